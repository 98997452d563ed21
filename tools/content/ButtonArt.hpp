// The buttons of the campaign's menus: pictures of four looks two by two
// (idle, clicked, focused, disabled) on panels of the title and options
// screens' colours, and the six equipment category tabs that the shop and the
// technology screen stand down their left edge.
#pragma once

#include "Canvas.hpp"

#include <filesystem>
#include <functional>
#include <string>

namespace Content
{
    enum LookIndex
    {
        idle = 0,
        clicked = 1,
        focused = 2,
        disabled = 3
    };

    // The colours of one look of a panel.
    struct ButtonLook
    {
        sf::Color top, bottom, border, text;
        float borderWidth;
    };

    // The menus' panels in their four looks, as on the title and options screens.
    extern const ButtonLook panelLooks[4];
    // The pale faces that carry black item texts, in the four looks.
    extern const sf::Color cardFaces[4];
    // The words of action buttons (buy, continue, develop), in the four looks.
    extern const sf::Color actionTones[4];

    using PaintLook = std::function<void(Canvas& look, LookIndex index)>;

    // Paints the four looks of `size` each into one picture and saves it.
    void SaveButton(const std::filesystem::path& root, const std::string& file, sf::Vector2u size,
                    const PaintLook& paint);

    // The panel of a look inset by `inset`, with the focus glow round it.
    sf::FloatRect FramePanel(Canvas& look, LookIndex index, float inset, float radius, const ButtonLook& colours);

    // "weapons.png" ... "gadgets.png" in the folder (a resource path ending in
    // '|'): 100 x 94 each, a symbol over the category's name. The disabled look
    // marks the category on show, so it is the brightest of the four. Their
    // click area is the panel (4 4 92 86).
    void SaveCategoryTabs(const std::filesystem::path& root, const std::string& folder);
}
