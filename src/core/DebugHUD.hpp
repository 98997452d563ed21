// The debug overlay: lines of text drawn over every screen, toggled with F1.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace sf
{
    class Font;
    class Text;
}

namespace Kestrum
{
    class DebugHUD
    {
    public:
        typedef std::function<std::string()> LineFunction;

        // Takes the shared default font, which it holds for the whole run (so that
        // the screens and every mission's closing texts share one font); LoadError
        // when it cannot be read.
        DebugHUD();
        virtual ~DebugHUD();
        DebugHUD(const DebugHUD&) = delete;
        DebugHUD& operator=(const DebugHUD&) = delete;

        // Sets the line of one of the 16 slots; std::out_of_range for 16 and more.
        void SetLine(std::size_t index, const LineFunction& line);
        void Toggle();
        bool IsVisible() const { return m_visible; }
        // Draws the set lines into the registered window, white with a black shadow;
        // nothing (and no line asked for its text) while hidden.
        void Draw();

    private:
        bool m_visible;
        std::vector<LineFunction> m_lines;
        std::shared_ptr<sf::Font> m_font;
        std::unique_ptr<sf::Text> m_text;
    };

    // The frames-per-second text for the given frame time in seconds, with one decimal
    // after a comma ("FPS:   59,9"); `previous` when the frame time gives no sensible
    // rate (zero, negative or so small that the rate would overflow).
    std::string FormatFramesPerSecond(float frameTime, const std::string& previous);
}
