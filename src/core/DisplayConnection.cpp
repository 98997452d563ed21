#include "core/DisplayConnection.hpp"

#include "core/LogSystem.hpp"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
// Last: Xlib defines macros (None, Status, Bool) that other headers use as names.
#include <X11/Xlib.h>

namespace Kestrum
{
    namespace
    {
        // The log has its lines in its file already (its sinks flush each line);
        // the game ends at once, as Xlib would, without going back into it.
        [[noreturn]] void EndWithError()
        {
            std::fflush(nullptr);
            _exit(1);
        }

        // A request of the game that the X server refused: its window was
        // destroyed by another program, say. Xlib's own handler would print it on
        // the terminal and end the game behind its back.
        int OnRequestFailed(Display* display, XErrorEvent* error)
        {
            char text[256] = "";
            XGetErrorText(display, error->error_code, text, sizeof text);
            std::string request = std::to_string(error->request_code);
            if (error->request_code < 128)
            {
                char name[128] = "";
                XGetErrorDatabaseText(display, "XRequest", request.c_str(), "", name, sizeof name);
                if (name[0])
                    request = name;
            }
            else
                request += "." + std::to_string(error->minor_code);
            *Log(LogLevel::error) << "the X display \"" << DisplayString(display) << "\" refused the game's request "
                                  << request << ": " << text << ": the game ends";
            EndWithError();
        }

        // The connection to the X server broke: the server ended, or the desktop
        // was closed.
        int OnConnectionLost(Display* display)
        {
            *Log(LogLevel::error) << "the connection to the X display \"" << DisplayString(display)
                                  << "\" was lost: the game ends";
            EndWithError();
        }
    }

    DisplayConnection::DisplayConnection() : m_display(XOpenDisplay(nullptr))
    {
        if (m_display)
        {
            // For every connection of the game, the window library's too.
            XSetErrorHandler(&OnRequestFailed);
            XSetIOErrorHandler(&OnConnectionLost);
            return;
        }
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
