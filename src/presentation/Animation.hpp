// A sequence of frames from a sprite list, played at a fixed frame rate once or
// in a loop, drawn at the animation's position and rotation and tinted by a
// colour filter. Each frame has its own pivot, offset, turn and mirroring, so
// one sprite serves several poses.
//
//     <animation definition_source="inline" version="1">
//         <sprite_list definition_source="file">ship.spritelist</sprite_list>
//         <frames>
//             <frame index="0" center_x="32" center_y="32"/>
//             <frame index="1" center_x="32" center_y="32">
//                 <translation x="0" y="-2"/>  <!-- optional, turns with the animation -->
//                 <rotation>15</rotation>     <!-- optional, degrees, clockwise -->
//                 <mirror_x>true</mirror_x>   <!-- optional, mirrored about the pivot -->
//                 <mirror_y>false</mirror_y>
//             </frame>
//         </frames>
//         <loop>true</loop>
//         <frame_rate>8</frame_rate>            <!-- frames per second -->
//     </animation>
//
// One pass lasts (number of frames / frame rate) seconds; the progress through
// it is counted in ten-thousandths. Every update adds the frame's game time
// (truncated to whole ten-thousandths, nothing carried over); a looping
// animation wraps around, any other stops on its last frame (9999).
//
// The ResourceManager keeps one loaded animation per file and hands out
// clones (CreateAnimation), so every holder plays on its own.
#pragma once

#include "core/StablePtr.hpp"
#include "presentation/Positionable.hpp"
#include "presentation/Rotatable.hpp"

#include <SFML/Graphics/Color.hpp>

#include <cstdint>
#include <memory>
#include <string>

namespace pugi
{
    class xml_node;
}

namespace Kestrum
{
    class Shadow;

    class Animation : public Positionable<float>, public Rotatable
    {
    public:
        Animation();
        // Removes the shadow, if there is one, so that it is never drawn for a
        // dead animation.
        ~Animation() override;
        Animation(const Animation&) = delete;
        Animation& operator=(const Animation&) = delete;

        // Reads the definition; `name` is the resource path of the file that
        // holds it. Failures: LogicError "redundant loading", "expected inline,
        // found " + value, "frame_rate must be greater than zero" (0 or below);
        // the XML and resource errors of what it reads. A failed load leaves it
        // unloaded.
        void Load(const std::string& name, const pugi::xml_node& element);

        // The operations below fail with RuntimeError "forgot to call
        // Animation::Load()?" before Load.

        // Advances by the frame's game time. An animation without frames fails
        // here with LogicError "duration must be greater than zero".
        void OnUpdate();
        // Draws the current frame into the render window.
        void Draw();
        // An independent copy at the same progress, position, rotation and
        // colour, without a shadow.
        stable_ptr<Animation> Clone() const;
        void SetColorFilter(const sf::Color& colour);
        // Back to the first frame, colour filter white.
        void Reset();
        bool IsLooping() const;
        // Not looping and on its last tick.
        bool ReachedEnd() const;
        // The animation's shadow, made on the first call; the same object on
        // every later one. The holder adds it to the GameObjectManager.
        stable_ptr<Shadow> EnableShadow();

        // Progress through the pass in ten-thousandths (0 to 9999), and the
        // frame it shows.
        std::uint32_t GetProgress() const;
        std::size_t GetFrameNumber() const;
        std::size_t GetFrameCount() const;

    private:
        struct Data;
        const Data& GetData() const;
        Data& GetData();

        std::unique_ptr<Data> m_data;
    };
}
