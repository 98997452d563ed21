#include "ButtonArt.hpp"

namespace Content
{
    const ButtonLook panelLooks[4] = {
        {Hex(0x1c2f5c, 235), Hex(0x0c1530, 235), Hex(0x7f9cc8), Hex(0xe8eeff), 2.f},
        {Hex(0x3a78c8, 245), Hex(0x1c3f80, 245), Hex(0xffffff), Hex(0xffffff), 2.f},
        {Hex(0x1f4a86, 240), Hex(0x0f2148, 240), Hex(0x4fe6ff), Hex(0xffe08a), 3.f},
        {Hex(0x3a3d45, 215), Hex(0x24262c, 215), Hex(0x6a6e78), Hex(0x8d919b), 2.f},
    };

    const sf::Color cardFaces[4] = {Hex(0xdfe8f8), Hex(0xf4f8ff), Hex(0xfff3d6), Hex(0xa4a8b2)};

    const sf::Color actionTones[4] = {Hex(0xffc45e), Hex(0xffffff), Hex(0xffe08a), Hex(0x8d919b)};

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
    sf::FloatRect FramePanel(Canvas& look, LookIndex index, float inset, float radius, const ButtonLook& colours)
    {
        const sf::FloatRect panel(inset, inset, float(look.Width()) - 2.f * inset, float(look.Height()) - 2.f * inset);
        if (index == focused)
            look.DropShadow(panel, radius, inset - 0.5f, Hex(0x4fe6ff, 150));
        look.Panel(panel, radius, colours.top, colours.bottom, colours.border, colours.borderWidth);
        return panel;
    }

    namespace
    {
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
    }

    void SaveCategoryTabs(const std::filesystem::path& root, const std::string& folder)
    {
        const ButtonLook shown = {Hex(0x2f6fb8, 245), Hex(0x173a70, 245), Hex(0xffc45e), Hex(0xffffff), 3.f};
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
            SaveButton(root, folder + tab.file + ".png", {100, 94},
                       [&](Canvas& look, LookIndex index) {
                           const ButtonLook& colours = index == disabled ? shown : panelLooks[index];
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
}
