// The pictures of the campaign's hub: the missions screen's background with
// the frame of the world map, the readout of the picked mission and the bar of
// its six buttons, the buttons' idle and clicked pictures, and the two buttons
// of the flight's pause menu. The buttons' pictures are named plainly "idle"
// and "clicked", without an extension: the game finds them by those names and
// the image loader reads their content, so they are written as PNG and renamed.
#include "ButtonArt.hpp"
#include "Canvas.hpp"
#include "Generator.hpp"

#include <cmath>
#include <filesystem>
#include <string>

namespace
{
    using Content::Canvas;
    using Content::Hex;
    using Content::Style;
    using Content::TextStyle;

    // The missions screen is laid out for a window of 1024 x 768; the picture
    // is wider so that wider windows show sky at the sides.
    const float pictureWidth = 1366.f;
    const float left = (pictureWidth - 1024.f) / 2.f;
    // The map: 500 x 420 pixels whose top-left corner stands at 1.2% and 1.9%
    // of the window; the readout lines start at (520, 8) and (520, 48); the
    // buttons stand at 91.9% of the height, 15% of the width apart.
    const sf::FloatRect mapArea(left + 12.288f, 14.592f, 500.f, 420.f);
    const sf::Vector2f hubButtonSize(144.f, 52.f);
    const float barTop = 696.f;
    const sf::Vector2f menuButtonSize(140.f, 48.f);

    const sf::Color frameBlue = Hex(0x6f8fc8, 200);
    const sf::Color bracketCyan = Hex(0x4fe6ff, 200);
    const sf::Color gold = Hex(0xffc45e);

    // Writes the picture under a name without extension.
    void SaveBare(const Canvas& canvas, const std::filesystem::path& root, const std::string& file)
    {
        const std::filesystem::path bare = Content::Prepare(root, file);
        std::filesystem::path png = bare;
        png += ".png";
        canvas.Save(png);
        std::filesystem::rename(png, bare);
    }

    // The idle and clicked pictures of a button with its label in capitals.
    void SaveButton(const std::filesystem::path& root, const std::string& folder, const std::string& label,
                    sf::Vector2f size, const sf::Color& idleText)
    {
        for (int index = 0; index < 2; ++index)
        {
            // Idle and clicked, as the menus' buttons; a clicked one sinks a pixel.
            const Content::ButtonLook& look = Content::panelLooks[index];
            const float drop = float(index);
            Canvas canvas(unsigned(size.x), unsigned(size.y));
            const sf::FloatRect panel(2.f, 2.f + drop, size.x - 4.f, size.y - 4.f - drop);
            canvas.Panel(panel, 10.f, look.top, look.bottom, look.border, 2.f);
            TextStyle style = Style(19, index == 0 ? idleText : look.text, Content::Font::Bold)
                                  .WithShadow(sf::Color(0, 0, 0, 210), {1.f, 1.f});
            while (style.size > 10 && Canvas::MeasureText(label, style).x > panel.width - 16.f)
                --style.size;
            canvas.TextCentered(label, panel, style);
            SaveBare(canvas, root, folder + (index == 0 ? "/idle" : "/clicked"));
        }
    }

    // A bracket of two strokes at a corner, its arms pointing along sx and sy.
    void Bracket(Canvas& canvas, const sf::Vector2f& corner, float sx, float sy, float arm)
    {
        canvas.Line(corner, {corner.x + sx * arm, corner.y}, 3.f, bracketCyan);
        canvas.Line(corner, {corner.x, corner.y + sy * arm}, 3.f, bracketCyan);
    }

    // A framed pane, darker than the sky, with brackets at its corners.
    void Pane(Canvas& canvas, const sf::FloatRect& pane, float arm)
    {
        canvas.FillRoundedRectangle(pane, 10.f, Hex(0x0a1230, 190));
        canvas.OutlineRoundedRectangle(pane, 10.f, 1.5f, frameBlue);
        const float r = pane.left + pane.width, b = pane.top + pane.height;
        Bracket(canvas, {pane.left - 3.f, pane.top - 3.f}, 1.f, 1.f, arm);
        Bracket(canvas, {r + 3.f, pane.top - 3.f}, -1.f, 1.f, arm);
        Bracket(canvas, {pane.left - 3.f, b + 3.f}, 1.f, -1.f, arm);
        Bracket(canvas, {r + 3.f, b + 3.f}, -1.f, -1.f, arm);
    }

    void Background(const std::filesystem::path& root)
    {
        Canvas canvas(unsigned(pictureWidth), 768);
        canvas.GradientRectangle(canvas.Bounds(), Hex(0x050a1e), Hex(0x1a1238));
        canvas.RadialGradient({left + 780.f, 560.f}, 420.f, Hex(0x3a2a7a, 90), Hex(0x3a2a7a, 0));
        canvas.RadialGradient({left + 200.f, 600.f}, 300.f, Hex(0x1d7c9a, 60), Hex(0x1d7c9a, 0));
        canvas.Stars(canvas.Bounds(), 420, 83, Hex(0xbcd4ff));
        // A moon low over the right half, lit from the upper left.
        const sf::Vector2f moon(left + 860.f, 596.f);
        const float radius = 84.f;
        canvas.RadialGradient(moon, radius + 22.f, Hex(0x6fd8ff, 60), Hex(0x6fd8ff, 0));
        for (int y = int(moon.y - radius); y <= int(moon.y + radius); ++y)
            for (int x = int(moon.x - radius); x <= int(moon.x + radius); ++x)
            {
                const float dx = (float(x) + 0.5f - moon.x) / radius, dy = (float(y) + 0.5f - moon.y) / radius;
                const float d = dx * dx + dy * dy;
                if (d >= 1.f)
                    continue;
                const float light = Content::Clamp01(-0.6f * dx - 0.6f * dy + 0.53f * std::sqrt(1.f - d));
                canvas.BlendPixel(x, y, Content::Mix(Hex(0x10162c), Hex(0xc8d6ee), light),
                                  Content::Clamp01((1.f - std::sqrt(d)) * radius));
            }

        // The world map's frame; the map covers its inside.
        const sf::FloatRect frame(mapArea.left - 4.f, mapArea.top - 4.f, mapArea.width + 8.f, mapArea.height + 8.f);
        Pane(canvas, frame, 30.f);
        canvas.Text("WORLD MAP", {frame.left + 4.f, frame.top + frame.height + 8.f},
                    Style(13, frameBlue, Content::Font::Bold));

        // The readout of the picked mission, two lines of small white text,
        // on a strip along the top from the map's frame to the right edge.
        const float stripLeft = frame.left + frame.width + 1.f;
        canvas.GradientRectangle({stripLeft, 0.f, pictureWidth - stripLeft, 66.f}, Hex(0x1c2f5c, 230),
                                 Hex(0x0c1530, 230));
        canvas.FillRectangle({stripLeft, 66.f, pictureWidth - stripLeft, 2.f}, Hex(0x4fe6ff, 170));
        canvas.FillRectangle({stripLeft + 4.f, 38.f, pictureWidth - stripLeft, 1.f}, Hex(0x6f8fc8, 110));
        canvas.Text("MISSION", {left + 1008.f, 10.f}, Style(12, frameBlue, Content::Font::Bold), Content::Align::Right);

        // How the screen works, beside the map.
        const sf::FloatRect help(left + 530.f, 92.f, 470.f, 330.f);
        Pane(canvas, help, 20.f);
        canvas.Text("CAMPAIGN COMMAND", {help.left + 20.f, help.top + 16.f},
                    Style(24, gold, Content::Font::Bold).WithShadow(sf::Color(0, 0, 0, 200), {1.f, 1.f}));
        const TextStyle body = Style(16, Hex(0xdfe8ff)).WithShadow(sf::Color(0, 0, 0, 200), {1.f, 1.f});
        canvas.FillCircle({help.left + 28.f, help.top + 78.f}, 5.f, Hex(0xff0000));
        canvas.Text("An open mission: click it for its payment\nand difficulty.", {help.left + 44.f, help.top + 68.f},
                    body);
        canvas.Text("START flies the chosen mission. It needs\nthe mission's key equipment fitted to the\n"
                    "selected ship.",
                    {help.left + 20.f, help.top + 130.f}, body);
        canvas.Text("SHOP buys equipment, INVENTORY opens\nthe hangar, TECHNOLOGY develops new items.",
                    {help.left + 20.f, help.top + 210.f}, body);
        canvas.Text("SAVE writes the campaign to its slot.", {help.left + 20.f, help.top + 272.f}, body);

        // The bar that carries the six buttons.
        canvas.GradientRectangle({0.f, barTop, pictureWidth, 768.f - barTop}, Hex(0x1c2f5c, 220), Hex(0x0c1530, 240));
        canvas.FillRectangle({0.f, barTop, pictureWidth, 2.f}, Hex(0x4fe6ff, 170));
        canvas.FillRectangle({0.f, barTop + 2.f, pictureWidth, 3.f}, Hex(0x000000, 110));
        canvas.Save(root, "resources/missionsscreen/background.jpg");
    }

    void Generate(const std::filesystem::path& root)
    {
        Background(root);
        const char* const hub[6][2] = {{"shop", "SHOP"}, {"inventory", "INVENTORY"}, {"technology", "TECHNOLOGY"},
                                       {"exit", "EXIT"},  {"save", "SAVE"},           {"start", "START"}};
        for (const auto& button : hub)
            SaveButton(root, std::string("resources/missionsscreen/buttons/") + button[0], button[1], hubButtonSize,
                       std::string(button[0]) == "start" ? gold : Content::panelLooks[0].text);
        SaveButton(root, "resources/flightscreen/buttons/continue", "CONTINUE", menuButtonSize, gold);
        SaveButton(root, "resources/flightscreen/buttons/exit", "EXIT", menuButtonSize, Content::panelLooks[0].text);
    }

    const Content::Registration registration("campaignhub", &Generate);
}
