// The game's own connection to the X display, held open for the whole run.
//
// An X server that has been started for the game alone (xvfb-run, xinit,
// startx) resets when its last client leaves, and a client that connects in the
// middle of the reset is turned away. The window library opens and closes
// connections of its own before the window's (while it asks for the desktop's
// video mode), so without a connection that stays, the server could reset
// between them and the window library would abort the game. This one is made
// before anything else asks the display and closed when the game ends.
#pragma once

struct _XDisplay;

namespace Kestrum
{
    class DisplayConnection
    {
    public:
        // Opens the connection to the display that DISPLAY names. When it does
        // not open, says why on the log's error line: `cannot open the X display
        // ":4711"`, or `cannot open an X display: DISPLAY is not set`.
        DisplayConnection();
        ~DisplayConnection();
        DisplayConnection(const DisplayConnection&) = delete;
        DisplayConnection& operator=(const DisplayConnection&) = delete;

        bool IsOpen() const { return m_display != nullptr; }

    private:
        _XDisplay* m_display;
    };
}
