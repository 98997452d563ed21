// The pictures of the savings screen and of the technology screen: the slot of
// a saved game with the delete button on its corner, the technology screen's
// six category tabs, the background of a node of the technology tree and the
// button that develops a node. Each is a button picture of four looks two by
// two: idle, clicked, focused, disabled.
#include "ButtonArt.hpp"
#include "Canvas.hpp"
#include "Generator.hpp"

#include <string>

namespace
{
    using Content::ButtonLook;
    using Content::Canvas;
    using Content::clicked;
    using Content::disabled;
    using Content::focused;
    using Content::FramePanel;
    using Content::Hex;
    using Content::LookIndex;
    using Content::panelLooks;
    using Content::SaveButton;
    using Content::Style;

    const sf::Color textShadow(0, 0, 0, 200);

    // ---- the savings screen ---------------------------------------------------------
    // A saved game: 240 x 150, four to a row with 10 pixels between. The game
    // writes the saving's time in black at (10, 30), size 12, so a pale card lies
    // under it, clear of the delete button's 32 x 32 in the top-right corner; the
    // strip below says what a click does. Click area: the panel (3 3 234 144).
    void SavingSlot(const std::filesystem::path& root)
    {
        SaveButton(root, "resources|gui|screens|saving|buttons|slot|graphics.png", {240, 150},
                   [](Canvas& look, LookIndex index) {
                       const ButtonLook& colours = panelLooks[index];
                       const sf::FloatRect panel = FramePanel(look, index, 3.f, 12.f, colours);
                       look.Text("SAVED CAMPAIGN", {12.f, 8.f},
                                 Style(11, colours.text, Content::Font::Bold).WithShadow(textShadow, {1.f, 1.f}));
                       const sf::FloatRect card(5.f, 25.f, 196.f, 26.f);
                       look.FillRoundedRectangle(card, 5.f, Content::cardFaces[index]);
                       look.OutlineRoundedRectangle(card, 5.f, 1.f, sf::Color(0, 0, 0, 120));

                       // A small planet over a starry strip: the campaign's world.
                       const sf::FloatRect sky(10.f, 58.f, panel.width - 14.f, 36.f);
                       look.FillRoundedRectangle(sky, 6.f, Hex(0x050a18, 200));
                       look.Stars(sky, 24, 11u + unsigned(index), Content::WithAlpha(colours.text, 170));
                       const sf::Color land = index == disabled ? Hex(0x6a6e78) : Hex(0x3f9a6a);
                       const sf::Color sea = index == disabled ? Hex(0x3a3d45) : Hex(0x1d4f9a);
                       look.RadialGradient({sky.left + sky.width - 30.f, sky.top + 18.f}, 14.f, land, sea);
                       look.OutlineRoundedRectangle(sky, 6.f, 1.f, Content::WithAlpha(colours.border, 140));

                       const float drop = index == clicked ? 1.f : 0.f;
                       const sf::FloatRect strip(10.f, 102.f + drop, panel.width - 14.f, 38.f);
                       look.FillRoundedRectangle(strip, 8.f, Hex(0x050a18, 170));
                       look.OutlineRoundedRectangle(strip, 8.f, 1.f, Content::WithAlpha(colours.border, 140));
                       look.TextCentered("CONTINUE", strip,
                                         Style(16, Content::actionTones[index], Content::Font::Bold).WithShadow(textShadow, {1.f, 1.f}));
                   });
    }

    // The delete button on a slot's top-right corner: 32 x 32, a red panel with
    // a white cross. Click area: the panel (3 3 26 26).
    void DeleteButton(const std::filesystem::path& root)
    {
        const ButtonLook reds[4] = {
            {Hex(0xb03a30, 240), Hex(0x6a1810, 240), Hex(0xf0a090), Hex(0xffffff), 2.f},
            {Hex(0xe05a48, 250), Hex(0x902818, 250), Hex(0xffffff), Hex(0xffffff), 2.f},
            {Hex(0xc84838, 245), Hex(0x7a2014, 245), Hex(0x4fe6ff), Hex(0xffe08a), 2.f},
            panelLooks[disabled],
        };
        SaveButton(root, "resources|gui|screens|saving|buttons|delete|graphics.png", {32, 32},
                   [&](Canvas& look, LookIndex index) {
                       const ButtonLook& colours = reds[index];
                       const sf::FloatRect panel = FramePanel(look, index, 3.f, 6.f, colours);
                       const sf::Vector2f centre(panel.left + panel.width / 2.f, panel.top + panel.height / 2.f +
                                                                                      (index == clicked ? 1.f : 0.f));
                       const float arm = 6.f;
                       for (const sf::Vector2f& shift : {sf::Vector2f(1.f, 1.f), sf::Vector2f(0.f, 0.f)})
                       {
                           const sf::Color colour = shift.x > 0.f ? sf::Color(0, 0, 0, 150) : colours.text;
                           const sf::Vector2f c = centre + shift;
                           look.Line({c.x - arm, c.y - arm}, {c.x + arm, c.y + arm}, 3.5f, colour);
                           look.Line({c.x + arm, c.y - arm}, {c.x - arm, c.y + arm}, 3.5f, colour);
                       }
                   });
    }

    // ---- the technology screen ------------------------------------------------------
    // A node of the tree: 84 x 84, centred on the node's place; the item's icon
    // (64 x 64) lies in the dark well in the middle. Click area: the panel
    // (3 3 78 78).
    void NodeBackground(const std::filesystem::path& root)
    {
        SaveButton(root, "resources|gui|screens|technology|node_background.png", {84, 84},
                   [](Canvas& look, LookIndex index) {
                       const ButtonLook& colours = panelLooks[index];
                       FramePanel(look, index, 3.f, 12.f, colours);
                       const sf::FloatRect well(9.f, 9.f, 66.f, 66.f);
                       look.FillRoundedRectangle(well, 8.f, Hex(0x050a18, 220));
                       look.OutlineRoundedRectangle(well, 8.f, 1.f, Content::WithAlpha(colours.border, 160));
                   });
    }

    // The button that develops a node: 110 x 48, standing in the node's details
    // panel. Click area: the panel (3 3 104 42).
    void DevelopmentButton(const std::filesystem::path& root)
    {
        SaveButton(root, "resources|gui|screens|technology|buttons|development|start.png", {110, 48},
                   [](Canvas& look, LookIndex index) {
                       const ButtonLook& colours = panelLooks[index];
                       sf::FloatRect panel = FramePanel(look, index, 3.f, 9.f, colours);
                       if (index == clicked)
                           panel.top += 1.f;
                       look.TextCentered("DEVELOP", panel,
                                         Style(15, Content::actionTones[index], Content::Font::Bold).WithShadow(textShadow, {1.f, 1.f}));
                   });
    }

    void Generate(const std::filesystem::path& root)
    {
        SavingSlot(root);
        DeleteButton(root);
        Content::SaveCategoryTabs(root, "resources|gui|screens|technology|buttons|categories|");
        NodeBackground(root);
        DevelopmentButton(root);
    }

    const Content::Registration registration("savings and technology", &Generate);
}
