// The debug overlay: lines of text drawn over every screen, toggled with F1.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace Kestrum
{
    class DebugHUD
    {
    public:
        typedef std::function<std::string()> LineFunction;

        DebugHUD();
        virtual ~DebugHUD();
        DebugHUD(const DebugHUD&) = delete;
        DebugHUD& operator=(const DebugHUD&) = delete;

        void SetLine(std::size_t index, const LineFunction& line);
        void Toggle();
        bool IsVisible() const { return m_visible; }
        void Draw();

    private:
        bool m_visible;
        std::vector<LineFunction> m_lines;
    };
}
