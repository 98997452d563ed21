#include "core/DebugHUD.hpp"

namespace Kestrum
{
    DebugHUD::DebugHUD() : m_visible(false), m_lines(16) {}
    DebugHUD::~DebugHUD() = default;

    void DebugHUD::SetLine(std::size_t index, const LineFunction& line)
    {
        m_lines.at(index) = line;
    }

    void DebugHUD::Toggle()
    {
        m_visible = !m_visible;
    }

    void DebugHUD::Draw()
    {
    }
}
