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
        // <type>"; a second stage: LogicError "contains multiple stages, only
        // one allowed"; none: LogicError "<path> does not contain a stage".
        // Each carries the line of the element it refuses, and the file is
        // named before it as for every data file (ReadDataFile, core/Files.hpp).
        // The layers' own errors pass through.
        std::vector<std::shared_ptr<Layer>> Load() const override;

        // The root "mission" of a level file's document, checked for version 1;
        // the errors of Load.
        static pugi::xml_node GetLevelRoot(const pugi::xml_document& document, const std::string& path);
        // The layers under a root from GetLevelRoot; path names the file in the
        // stage errors of Load.
        static std::vector<std::shared_ptr<Layer>> LoadLayers(const pugi::xml_node& root, const std::string& path);

    private:
        std::string m_path;
    };
}
