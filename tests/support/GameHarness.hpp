// Runs the real game executable for end-to-end tests.
//
// Each GameHarness owns a scratch folder with a fresh copy of the built game root
// (KESTRUM_GAME_ROOT) and its own X server (Xvfb on a free display, screen
// 1280x1024x24). The game runs there with ALSOFT_DRIVERS=null, its current
// directory at the copied root, its standard output and error captured to a file.
//
//     GameHarness game;                               // scratch root + X server
//     game.WriteFile("configuration/general_configuration.xml", text);  // optional
//     game.Start();                                   // or Start({"--some", "argument"})
//     ASSERT_TRUE(game.FindWindow());                 // "Quorvallis 0.4 (alpha)"
//     game.Key("Escape");                             // xdotool key names
//     game.Click(100, 200);                           // window coordinates
//     game.Screenshot("start.png");                   // path of the picture
//     game.Close();                                   // WM_DELETE_WINDOW, like a close box
//     EXPECT_EQ(0, game.WaitForExit());
//     EXPECT_NE(std::string::npos, game.ReadLog().find("Log system is running"));
//
// The destructor kills a game that is still running, stops the X server and
// removes the scratch folder (set KESTRUM_KEEP_TEST_ROOT=1 to keep it; its path is
// printed then). Nothing here needs a display before Start or the constructor runs.
#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace Kestrum
{
    namespace Testing
    {
        class GameHarness
        {
        public:
            // Prepares the scratch game root and starts the X server with a screen
            // of the given size ("WIDTHxHEIGHTxDEPTH"); throws std::runtime_error
            // when either fails; with resetWhenIdle it resets when its last client leaves (as xvfb-run's).
            explicit GameHarness(const std::string& screen = "1280x1024x24", bool resetWhenIdle = false);
            ~GameHarness();
            GameHarness(const GameHarness&) = delete;
            GameHarness& operator=(const GameHarness&) = delete;

            // The scratch game root (the game's current directory).
            const std::filesystem::path& Root() const { return m_root; }
            // The X display of this harness, e.g. ":3".
            const std::string& Display() const { return m_display; }

            // Files below the game root, by path relative to it. WriteFile creates
            // missing folders; RemoveFile removes files and folders alike.
            void WriteFile(const std::string& relativePath, const std::string& contents) const;
            void RemoveFile(const std::string& relativePath) const;
            bool FileExists(const std::string& relativePath) const;
            // The whole file; an empty string when it does not exist.
            std::string ReadFile(const std::string& relativePath) const;
            // "log.txt" of the game root.
            std::string ReadLog() const { return ReadFile("log.txt"); }
            // What the game wrote to its standard output, then what it wrote to
            // its standard error; and that alone.
            std::string ReadOutput() const;
            std::string ReadErrors() const;

            // Starts the game executable (KESTRUM_GAME_EXE) with the given arguments on
            // this harness's display, or on `display` (without DISPLAY when it is "").
            void Start(const std::vector<std::string>& arguments = {}, const std::optional<std::string>& display = {});
            bool IsRunning();
            // ALSOFT_DRIVERS of the games started from now on (default "null"), and the running game's process.
            void SetAudioDriver(const std::string& driver) { m_audioDriver = driver; }
            // One more environment variable of the games started from now on.
            void SetVariable(const std::string& name, const std::string& value) { m_variables[name] = value; }
            pid_t Pid() const { return m_game; }

            // Waits for a window whose title is exactly `title`; on success its id is
            // kept for the calls below. False when none appears in time or the game ends.
            bool FindWindow(const std::string& title = "Quorvallis 0.4 (alpha)",
                            std::chrono::milliseconds timeout = std::chrono::seconds(20));
            unsigned long WindowId() const { return m_window; }

            // Waits until log.txt contains `text`; false on timeout.
            bool WaitForLog(const std::string& text, std::chrono::milliseconds timeout = std::chrono::seconds(10));

            // Keyboard input to the window, in xdotool's key names ("Escape", "Return",
            // "space", "Left", "F1", "ctrl+a"; several separated by blanks). Key taps
            // each key quickly, as xdotool's key does (down and up a few milliseconds
            // apart); KeyDown and KeyUp hold a key for as long as the caller waits.
            void Key(const std::string& keys);
            void KeyDown(const std::string& key);
            void KeyUp(const std::string& key);
            // Pointer input in window coordinates; button 1 is the left button.
            void MoveMouse(int x, int y);
            void Click(int x, int y, int button = 1);
            void DoubleClick(int x, int y, int button = 1);
            void MouseDown(int x, int y, int button = 1);
            void MouseUp(int x, int y, int button = 1);

            // Takes a picture of the window into the scratch folder (outside the game
            // root) and returns its path.
            std::filesystem::path Screenshot(const std::string& fileName);

            // Asks the window to close, as a window manager's close box does.
            void Close();
            // Ends the X server, as a desktop that is closed does.
            void StopServer();
            // Waits for the game to end and returns its exit code (128 + signal when
            // it was killed by one). On timeout the game is killed and -1 returned.
            int WaitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(20));

            // Runs a helper program (xdotool and the like) on this harness's display
            // and returns its standard output; throws std::runtime_error when it
            // fails or takes longer than 10 seconds.
            std::string RunTool(const std::vector<std::string>& arguments) const;

        private:
            void StartServer(const std::string& screen, bool resetWhenIdle);
            void RequireWindow() const;

            std::filesystem::path m_scratch;
            std::filesystem::path m_root;
            std::string m_display;
            pid_t m_server = -1;
            pid_t m_game = -1;
            int m_exitCode = -1;
            unsigned long m_window = 0;
            std::string m_audioDriver = "null";
            std::map<std::string, std::string> m_variables;
        };
    }
}
