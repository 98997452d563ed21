#include "core/DisplayConnection.hpp"

#include "core/LogSystem.hpp"

#include <cstdlib>
// Last: Xlib defines macros (None, Status, Bool) that other headers use as names.
#include <X11/Xlib.h>

namespace Kestrum
{
    DisplayConnection::DisplayConnection() : m_display(XOpenDisplay(nullptr))
    {
        if (m_display)
            return;
        if (const char* const name = std::getenv("DISPLAY"))
            *Log(LogLevel::error) << "cannot open the X display \"" << name << "\"";
        else
            *Log(LogLevel::error) << "cannot open an X display: DISPLAY is not set";
    }

    DisplayConnection::~DisplayConnection()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
}
