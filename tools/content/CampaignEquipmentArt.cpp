// The pictures of the campaign's equipment screens: the shop's six category
// tabs, the frames of the shop's offers and of the equipment screen's choices
// (the item buttons' "batchet"), and the hangar's frame of a ship. Each is a
// button picture of four looks two by two: idle, clicked, focused, disabled.
// The item buttons carry small black text, so their faces are pale cards.
#include "ButtonArt.hpp"
#include "Canvas.hpp"
#include "Generator.hpp"

#include <functional>
#include <string>
#include <vector>

namespace
{
    using Content::Canvas;
    using Content::Hex;
    using Content::Style;
    using Content::TextStyle;

    using Look = Content::ButtonLook;
    using Content::cardFaces;
    using Content::clicked;
    using Content::disabled;
    using Content::focused;
    using Content::FramePanel;
    using Content::LookIndex;
    using Content::panelLooks;
    using Content::SaveButton;

    // ---- the item buttons -----------------------------------------------------------
    // The shop's offer: 256 x 150. The item's icon stands in the well at the top
    // left (64 pixels from (6, 6)), the texts on the pale card beside it from
    // (76, 6) down, 16 pixels a line; the strip below tells what a click does.
    // Click area: the panel (2 2 252 146).
    void ShopBatchet(const std::filesystem::path& root)
    {
        SaveButton(root, "resources|gui|screens|shop|batchet.png", {256, 150}, [](Canvas& look, LookIndex index) {
            const Look& colours = panelLooks[index];
            const sf::FloatRect panel = FramePanel(look, index, 2.f, 10.f, colours);
            look.FillRoundedRectangle(sf::FloatRect(4.f, 4.f, 68.f, 68.f), 7.f, Hex(0x050a18, 220));
            look.OutlineRoundedRectangle(sf::FloatRect(4.f, 4.f, 68.f, 68.f), 7.f, 1.f, Content::WithAlpha(colours.border, 160));
            const sf::FloatRect card(73.f, 4.f, panel.left + panel.width - 75.f, 88.f);
            look.FillRoundedRectangle(card, 6.f, cardFaces[index]);
            look.OutlineRoundedRectangle(card, 6.f, 1.f, sf::Color(0, 0, 0, 120));

            const sf::FloatRect strip(10.f, 102.f, panel.width - 16.f, 38.f);
            look.FillRoundedRectangle(strip, 8.f, Hex(0x050a18, 170));
            look.OutlineRoundedRectangle(strip, 8.f, 1.f, Content::WithAlpha(colours.border, 140));
            const char* const words[4] = {"BUY", "BOUGHT", "BUY", "UNAVAILABLE"};
            look.TextCentered(words[index], strip,
                              Style(16, Content::actionTones[index], Content::Font::Bold).WithShadow(sf::Color(0, 0, 0, 200), {1.f, 1.f}));
        });
    }

    // The equipment screen's choice: 270 x 92, one pale card under up to five
    // lines of text from (6, 6). Click area: the panel (1 1 268 90).
    void EquipmentBatchet(const std::filesystem::path& root)
    {
        SaveButton(root, "resources|gui|screens|equipment|batchet.png", {270, 92}, [](Canvas& look, LookIndex index) {
            const Look& colours = panelLooks[index];
            const sf::FloatRect panel = FramePanel(look, index, 1.f, 7.f, colours);
            const float inset = colours.borderWidth;
            const sf::FloatRect card(panel.left + inset, panel.top + inset, panel.width - 2.f * inset,
                                     panel.height - 2.f * inset);
            look.FillRoundedRectangle(card, 6.f, cardFaces[index]);
            // A tab of the panel's colour at the right end marks the button's edge.
            look.FillRoundedRectangle(sf::FloatRect(card.left + card.width - 10.f, card.top + 8.f, 4.f, card.height - 16.f),
                                      2.f, Content::WithAlpha(colours.border, 200));
        });
    }

    // ---- the hangar -------------------------------------------------------------------
    // A bay of 190 x 190 for one ship; the hull's square overview picture is laid
    // over it, 10 pixels short of the frame. Click area: the panel (3 3 184 184).
    void HangarFrame(const std::filesystem::path& root)
    {
        SaveButton(root, "resources|gui|screens|hangar|frame.png", {190, 190}, [](Canvas& look, LookIndex index) {
            const Look& colours = panelLooks[index];
            const sf::FloatRect panel = FramePanel(look, index, 3.f, 14.f, colours);
            for (float x = panel.left + 16.f; x < panel.left + panel.width - 8.f; x += 24.f)
                look.FillRectangle(sf::FloatRect(x, panel.top + 6.f, 1.f, panel.height - 12.f),
                                   Content::WithAlpha(colours.border, 40));
            for (float y = panel.top + 16.f; y < panel.top + panel.height - 8.f; y += 24.f)
                look.FillRectangle(sf::FloatRect(panel.left + 6.f, y, panel.width - 12.f, 1.f),
                                   Content::WithAlpha(colours.border, 40));
            const float l = panel.left + 8.f, t = panel.top + 8.f, r = panel.left + panel.width - 8.f,
                        b = panel.top + panel.height - 8.f;
            for (const auto& corner : {sf::Vector2f(l, t), sf::Vector2f(r, t), sf::Vector2f(l, b), sf::Vector2f(r, b)})
            {
                const float sx = corner.x < 95.f ? 1.f : -1.f;
                const float sy = corner.y < 95.f ? 1.f : -1.f;
                look.Line(corner, {corner.x + sx * 20.f, corner.y}, 2.5f, Content::WithAlpha(colours.border, 200));
                look.Line(corner, {corner.x, corner.y + sy * 20.f}, 2.5f, Content::WithAlpha(colours.border, 200));
            }
            if (index == disabled)
                look.TextCentered("EMPTY BAY", panel,
                                  Style(15, colours.text, Content::Font::Bold).WithShadow(sf::Color(0, 0, 0, 200), {1.f, 1.f}));
        });
    }

    void Generate(const std::filesystem::path& root)
    {
        Content::SaveCategoryTabs(root, "resources|gui|screens|shop|buttons|");
        ShopBatchet(root);
        EquipmentBatchet(root);
        HangarFrame(root);
    }

    const Content::Registration registration("campaign equipment", &Generate);
}
