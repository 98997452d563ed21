// Reads the layers of a level file, "structure.xml" in the mission's folder:
//
//     <mission version="1">
//         <layers>                                    drawn in this order
//             <layer type="tangible" scroll_factor="1"> ... </layer>    see TangibleLayer
//             <layer type="sparse" scroll_factor="1"> ... </layer>      see SparseLayer
//             <layer type="procedural"/>
//             <stage type="tangible" scroll_factor="1"> ... </stage>    see TangibleStage, exactly one
//             ...
//         </layers>
//         <background_music>1</background_music>     resources|music|0000000001.ogg
//         <scroll_behaviour>                         the scroll speed over the flight time,
//             <graph type="linear_interpolation">    in window heights per second
//                 <point x="0" y="0.1"/> ...
//             </graph>
//         </scroll_behaviour>
//     </mission>
//
// The loader reads only "layers"; the mission reads the music and the scroll.
#pragma once

#include "levels/LayerLoader.hpp"

#include <pugixml.hpp>

#include <string>

namespace Kestrum
{
    class XmlLayerLoader : public LayerLoader
    {
    public:
        // The level file's resource path; nothing is read yet.
        explicit XmlLayerLoader(const std::string& path);
        ~XmlLayerLoader() override;

        // Reads the file anew and makes its layers, the stage among them in its
        // place. Nothing is returned in part. A missing or malformed file, root
        // or "layers": XmlError; a version other than 1: LogicError "Expected
        // attribute version to be 1 but found <version>" ("Expected mission to
        // have version" without one); a child of "layers" other than "layer"
        // and "stage": ParseError "Unsupported layer type <name>"; a layer type
        // other than tangible, sparse and procedural: ParseError "Layer type
        // <type> unknown"; a stage type "procedural": NotImplementedError, any
        // other but "tangible": NotSupportedError "Unsupported stage type
        // <type>"; a second stage: LogicError "<path> contains multiple stages,
        // only one allowed"; none: LogicError "<path> does not contain a stage".
        // The layers' own errors pass through.
        std::vector<std::shared_ptr<Layer>> Load() const override;

    private:
        std::string m_path;
    };

    // The level file's root must carry version="1": without it LogicError
    // "Expected mission to have version", another number LogicError "Expected
    // attribute version to be 1 but found <number>", a text that is no number
    // XmlError.
    void AssertLevelVersion(const pugi::xml_node& root);
}
