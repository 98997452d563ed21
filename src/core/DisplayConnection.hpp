// The game's own connection to the X display, held open for the whole run.
//
// An X server that has been started for the game alone (xvfb-run, xinit,
// startx) resets when its last client leaves, and a client that connects in the
// middle of the reset is turned away. The window library opens and closes
// connections of its own before the window's (while it asks for the desktop's
// video mode), so without a connection that stays, the server could reset
// between them and the window library would abort the game. This one is made
// before anything else asks the display and closed when the game ends.
//
// It also says on the log why the display ends the game. A request that the
// server refuses (another program destroyed the game's window) and a connection
// that breaks (the server ended, the desktop was closed) are each logged as one
// error line, and the game ends with status 1, where Xlib would print on the
// terminal and end the game without a word in the log.
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
