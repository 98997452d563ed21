// The pictures of the campaign's equipment screens: the shop's six category
// tabs, the frames of the shop's offers and of the equipment screen's choices
// (the item buttons' "batchet"), and the hangar's frame of a ship. Each is a
// button picture of four looks two by two: idle, clicked, focused, disabled.
// The item buttons carry small black text, so their faces are pale cards.
#include "Canvas.hpp"
#include "Generator.hpp"

#include <functional>
#include <string>
#include <vector>

namespace
{
    using Content::Canvas;
    using Content::Hex;
    using Content::Pi;
    using Content::Style;
    using Content::TextStyle;

    enum LookIndex
    {
        idle = 0,
        clicked = 1,
        focused = 2,
        disabled = 3
    };

    // The colours of the menus' panels, as on the title and options screens.
    struct Look
    {
        sf::Color top, bottom, border, text;
        float borderWidth;
    };

    const Look panelLooks[4] = {
        {Hex(0x1c2f5c, 235), Hex(0x0c1530, 235), Hex(0x7f9cc8), Hex(0xe8eeff), 2.f},
        {Hex(0x3a78c8, 245), Hex(0x1c3f80, 245), Hex(0xffffff), Hex(0xffffff), 2.f},
        {Hex(0x1f4a86, 240), Hex(0x0f2148, 240), Hex(0x4fe6ff), Hex(0xffe08a), 3.f},
        {Hex(0x3a3d45, 215), Hex(0x24262c, 215), Hex(0x6a6e78), Hex(0x8d919b), 2.f},
    };

    // The pale faces that carry the item texts, light enough for black letters.
    const sf::Color cardFaces[4] = {Hex(0xdfe8f8), Hex(0xf4f8ff), Hex(0xfff3d6), Hex(0xa4a8b2)};

    using PaintLook = std::function<void(Canvas& look, LookIndex index)>;

    // Paints the four looks of `size` each into one picture and saves it.
    void SaveButton(const std::filesystem::path& root, const std::string& file, sf::Vector2u size, const PaintLook& paint)
    {
        Canvas picture(size.x * 2, size.y * 2);
        for (int index = 0; index < 4; ++index)
        {
            Canvas look(size.x, size.y);
            paint(look, static_cast<LookIndex>(index));
            picture.Draw(look, (index % 2) * int(size.x), (index / 2) * int(size.y));
        }
        picture.Save(root, file);
    }

    // The panel of a look inset by `inset`, with the focus glow round it.
    sf::FloatRect FramePanel(Canvas& look, LookIndex index, float inset, float radius, const Look& colours)
    {
        const sf::FloatRect panel(inset, inset, float(look.Width()) - 2.f * inset, float(look.Height()) - 2.f * inset);
        if (index == focused)
            look.DropShadow(panel, radius, inset - 0.5f, Hex(0x4fe6ff, 150));
        look.Panel(panel, radius, colours.top, colours.bottom, colours.border, colours.borderWidth);
        return panel;
    }

    // ---- category symbols, drawn into a box -------------------------------------
    sf::Vector2f At(const sf::FloatRect& box, float u, float v)
    {
        return sf::Vector2f(box.left + u * box.width, box.top + v * box.height);
    }

    void WeaponSymbol(Canvas& c, const sf::FloatRect& b, const sf::Color& colour)
    {
        for (float u : {0.25f, 0.5f, 0.75f})
        {
            const float top = u == 0.5f ? 0.05f : 0.22f;
            c.FillPolygon({At(b, u, top), At(b, u + 0.08f, top + 0.2f), At(b, u + 0.08f, 0.95f), At(b, u - 0.08f, 0.95f),
                           At(b, u - 0.08f, top + 0.2f)},
                          colour);
        }
    }

    void ShieldSymbol(Canvas& c, const sf::FloatRect& b, const sf::Color& colour)
    {
        c.FillPolygon({At(b, 0.5f, 0.02f), At(b, 0.9f, 0.16f), At(b, 0.84f, 0.6f), At(b, 0.5f, 0.98f), At(b, 0.16f, 0.6f),
                       At(b, 0.1f, 0.16f)},
                      colour);
        c.FillPolygon({At(b, 0.5f, 0.18f), At(b, 0.74f, 0.27f), At(b, 0.7f, 0.56f), At(b, 0.5f, 0.8f)},
                      sf::Color(0, 0, 0, 90));
    }

    void BombSymbol(Canvas& c, const sf::FloatRect& b, const sf::Color& colour)
    {
        c.FillCircle(At(b, 0.45f, 0.6f), b.width * 0.34f, colour);
        c.Line(At(b, 0.62f, 0.3f), At(b, 0.78f, 0.12f), 3.f, colour);
        c.FillCircle(At(b, 0.84f, 0.08f), 3.f, Hex(0xffc45e));
        c.FillCircle(At(b, 0.34f, 0.5f), b.width * 0.08f, sf::Color(255, 255, 255, 120));
    }

    void EngineSymbol(Canvas& c, const sf::FloatRect& b, const sf::Color& colour)
    {
        c.FillPolygon({At(b, 0.5f, 0.92f), At(b, 0.66f, 0.62f), At(b, 0.5f, 0.7f), At(b, 0.34f, 0.62f)}, Hex(0xffa530));
        c.FillPolygon({At(b, 0.3f, 0.05f), At(b, 0.7f, 0.05f), At(b, 0.7f, 0.32f), At(b, 0.8f, 0.58f), At(b, 0.2f, 0.58f),
                       At(b, 0.3f, 0.32f)},
                      colour);
    }

    void HullSymbol(Canvas& c, const sf::FloatRect& b, const sf::Color& colour)
    {
        c.FillPolygon({At(b, 0.5f, 0.02f), At(b, 0.62f, 0.4f), At(b, 0.95f, 0.72f), At(b, 0.62f, 0.75f), At(b, 0.6f, 0.98f),
                       At(b, 0.4f, 0.98f), At(b, 0.38f, 0.75f), At(b, 0.05f, 0.72f), At(b, 0.38f, 0.4f)},
                      colour);
    }

    void GadgetSymbol(Canvas& c, const sf::FloatRect& b, const sf::Color& colour)
    {
        const sf::Vector2f centre = At(b, 0.5f, 0.5f);
        const float radius = b.width * 0.3f;
        for (int tooth = 0; tooth < 8; ++tooth)
        {
            const float a = float(tooth) * Pi / 4.f;
            c.Line(Content::Polar(centre, radius, a), Content::Polar(centre, radius + b.width * 0.16f, a), 6.f, colour);
        }
        c.FillCircle(centre, radius, colour);
        c.FillCircle(centre, radius * 0.4f, sf::Color(0, 0, 0, 150));
    }

    // ---- the shop's tabs ----------------------------------------------------------
    // 100 x 94 each, standing 97 apart down the left edge; the click area is the
    // panel (4 4 92 86). The disabled look marks the category on show, so it is
    // the brightest of the four.
    void ShopTabs(const std::filesystem::path& root)
    {
        const Look shown = {Hex(0x2f6fb8, 245), Hex(0x173a70, 245), Hex(0xffc45e), Hex(0xffffff), 3.f};
        struct Tab
        {
            const char* file;
            const char* label;
            void (*symbol)(Canvas&, const sf::FloatRect&, const sf::Color&);
        };
        const Tab tabs[] = {{"weapons", "WEAPONS", &WeaponSymbol}, {"shields", "SHIELDS", &ShieldSymbol},
                            {"bombs", "BOMBS", &BombSymbol},       {"engines", "ENGINES", &EngineSymbol},
                            {"hulls", "HULLS", &HullSymbol},       {"gadgets", "GADGETS", &GadgetSymbol}};
        for (const Tab& tab : tabs)
            SaveButton(root, std::string("resources|gui|screens|shop|buttons|") + tab.file + ".png", {100, 94},
                       [&](Canvas& look, LookIndex index) {
                           const Look& colours = index == disabled ? shown : panelLooks[index];
                           const sf::FloatRect panel = FramePanel(look, index, 4.f, 10.f, colours);
                           const float drop = index == clicked ? 1.f : 0.f;
                           const sf::FloatRect box(panel.left + panel.width / 2.f - 19.f, panel.top + 9.f + drop, 38.f,
                                                   38.f);
                           tab.symbol(look, sf::FloatRect(box.left + 1.f, box.top + 2.f, box.width, box.height),
                                      sf::Color(0, 0, 0, 140));
                           tab.symbol(look, box, index == disabled ? Hex(0xffc45e) : colours.text);
                           TextStyle label = Style(13, colours.text, Content::Font::Bold)
                                                 .WithShadow(sf::Color(0, 0, 0, 200), {1.f, 1.f});
                           while (label.size > 9 && Canvas::MeasureText(tab.label, label).x > panel.width - 10.f)
                               --label.size;
                           look.TextCentered(tab.label,
                                             sf::FloatRect(panel.left, panel.top + 54.f + drop, panel.width, 22.f), label);
                       });
    }

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
            const sf::Color tones[4] = {Hex(0xffc45e), Hex(0xffffff), Hex(0xffe08a), Hex(0x8d919b)};
            look.TextCentered(words[index], strip,
                              Style(16, tones[index], Content::Font::Bold).WithShadow(sf::Color(0, 0, 0, 200), {1.f, 1.f}));
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
        ShopTabs(root);
        ShopBatchet(root);
        EquipmentBatchet(root);
        HangarFrame(root);
    }

    const Content::Registration registration("campaign equipment", &Generate);
}
