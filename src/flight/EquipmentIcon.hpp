// The two animations that picture a piece of equipment: "gui.animation", its
// look in menus (shop buttons, equipment slots, the technology tree), and
// "ingame.animation", its look in a flight (the pick-up an enemy drops).
#pragma once

#include "core/StablePtr.hpp"

#include <memory>
#include <string>

namespace Kestrum
{
    class Animation;

    class EquipmentIcon
    {
    public:
        // Loads both animations from the folder (a resource path). A missing or
        // malformed animation lets the resource manager's error out.
        explicit EquipmentIcon(const std::string& folder);
        virtual ~EquipmentIcon();
        EquipmentIcon(const EquipmentIcon&) = delete;
        EquipmentIcon& operator=(const EquipmentIcon&) = delete;

        // A new icon with copies of both animations, which then play apart.
        stable_ptr<EquipmentIcon> Clone() const;

        // The held animations themselves: moving or drawing them moves or draws the icon's.
        stable_ptr<Animation> GetGuiAnimation() const;
        stable_ptr<Animation> GetIngameAnimation() const;

    private:
        struct Data;
        explicit EquipmentIcon(std::unique_ptr<Data> data);

        std::unique_ptr<Data> m_data;
    };

    // Icons have no look of their own for an item that cannot be had yet. The
    // buttons that draw icons say so; the log gets it once a run, not every frame.
    void ReportIconsCannotBeDeactivated();
}
