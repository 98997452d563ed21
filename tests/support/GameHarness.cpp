#include "support/GameHarness.hpp"

#include "support/ShippedGameRoot.hpp"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace Kestrum
{
    namespace Testing
    {
        namespace
        {
            struct ChildSetup
            {
                std::string display;
                fs::path workingDirectory;
                int output = -1;      // standard output of the child, or -1 to inherit
                int errors = -1;      // standard error of the child, or -1 to inherit
                int keepOpen = -1;    // one more descriptor the child keeps
                std::string audioDriver = "null";
                std::map<std::string, std::string> variables;
            };

            // Starts a program; the child gets the display and the silent sound driver.
            pid_t Spawn(const std::vector<std::string>& arguments, const ChildSetup& setup)
            {
                std::vector<char*> argv;
                for (const std::string& argument : arguments)
                    argv.push_back(const_cast<char*>(argument.c_str()));
                argv.push_back(nullptr);

                const pid_t parent = getpid();
                const pid_t pid = fork();
                if (pid < 0)
                    throw std::runtime_error("fork failed: " + std::string(std::strerror(errno)));
                if (pid == 0)
                {
                    // A test that dies (a sanitizer's abort, a crash) takes its
                    // servers and games along instead of leaving them running.
                    prctl(PR_SET_PDEATHSIG, SIGKILL);
                    if (getppid() != parent)
                        _exit(125);
                    if (!setup.workingDirectory.empty() && chdir(setup.workingDirectory.c_str()) != 0)
                        _exit(126);
                    if (!setup.display.empty())
                        setenv("DISPLAY", setup.display.c_str(), 1);
                    else
                        unsetenv("DISPLAY");
                    setenv("ALSOFT_DRIVERS", setup.audioDriver.c_str(), 1);
                    for (const auto& [name, value] : setup.variables)
                        setenv(name.c_str(), value.c_str(), 1);
                    const int nothing = open("/dev/null", O_RDWR);
                    dup2(nothing, 0);
                    dup2(setup.output >= 0 ? setup.output : nothing, 1);
                    dup2(setup.errors >= 0 ? setup.errors : nothing, 2);
                    // Leave the child no other descriptor of ours.
                    for (int fd = 3; fd < 1024; ++fd)
                        if (fd != setup.keepOpen)
                            close(fd);
                    execvp(argv[0], argv.data());
                    _exit(127);
                }
                return pid;
            }

            // Waits for a child; returns its exit code (128 + signal), or nothing on timeout.
            bool Reap(pid_t pid, int& exitCode, std::chrono::milliseconds timeout)
            {
                const auto deadline = Clock::now() + timeout;
                for (;;)
                {
                    int status = 0;
                    const pid_t done = waitpid(pid, &status, WNOHANG);
                    if (done == pid)
                    {
                        exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
                        return true;
                    }
                    if (done < 0)
                    {
                        exitCode = -1;
                        return true;
                    }
                    if (Clock::now() >= deadline)
                        return false;
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                }
            }

            void Kill(pid_t pid)
            {
                int ignored = 0;
                kill(pid, SIGKILL);
                Reap(pid, ignored, std::chrono::seconds(5));
            }

            // Runs a program to its end, collecting its standard output and error.
            int RunProcess(const std::vector<std::string>& arguments, const std::string& display,
                           std::string& output, std::string& errors, std::chrono::milliseconds timeout)
            {
                int outPipe[2];
                int errPipe[2];
                if (pipe(outPipe) != 0 || pipe(errPipe) != 0)
                    throw std::runtime_error("pipe failed");
                ChildSetup setup;
                setup.display = display;
                setup.output = outPipe[1];
                setup.errors = errPipe[1];
                pid_t pid = -1;
                try
                {
                    pid = Spawn(arguments, setup);
                }
                catch (...)
                {
                    close(outPipe[0]), close(outPipe[1]), close(errPipe[0]), close(errPipe[1]);
                    throw;
                }
                close(outPipe[1]);
                close(errPipe[1]);

                const auto deadline = Clock::now() + timeout;
                pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
                std::string* targets[2] = {&output, &errors};
                int open = 2;
                bool timedOut = false;
                while (open > 0)
                {
                    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
                    if (left.count() <= 0)
                    {
                        timedOut = true;
                        break;
                    }
                    if (poll(fds, 2, static_cast<int>(left.count())) < 0 && errno != EINTR)
                        break;
                    for (int i = 0; i < 2; ++i)
                    {
                        if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                            continue;
                        char buffer[4096];
                        const ssize_t count = read(fds[i].fd, buffer, sizeof buffer);
                        if (count > 0)
                            targets[i]->append(buffer, static_cast<std::size_t>(count));
                        else
                        {
                            close(fds[i].fd);
                            fds[i].fd = -1;
                            --open;
                        }
                    }
                }
                for (pollfd& fd : fds)
                    if (fd.fd >= 0)
                        close(fd.fd);

                int exitCode = -1;
                if (timedOut || !Reap(pid, exitCode, deadline > Clock::now()
                                                         ? std::chrono::duration_cast<std::chrono::milliseconds>(
                                                               deadline - Clock::now())
                                                         : std::chrono::milliseconds(0)))
                {
                    Kill(pid);
                    throw std::runtime_error(arguments[0] + " did not finish in time");
                }
                return exitCode;
            }

            std::string EscapeRegex(const std::string& text)
            {
                std::string escaped;
                for (char c : text)
                {
                    if (std::strchr("\\^$.|?*+()[]{}", c))
                        escaped += '\\';
                    escaped += c;
                }
                return escaped;
            }

            std::string ReadWhole(const fs::path& path)
            {
                std::ifstream file(path, std::ios::binary);
                std::ostringstream text;
                text << file.rdbuf();
                return text.str();
            }
        }

        GameHarness::GameHarness(const std::string& screen, bool resetWhenIdle)
        {
            std::string pattern = (fs::temp_directory_path() / "quorvallis-test-XXXXXX").string();
            if (!mkdtemp(pattern.data()))
                throw std::runtime_error("could not make a scratch folder");
            m_scratch = pattern;
            m_root = m_scratch / "game";
            // Only what the build put into the game root: a game played there by hand
            // leaves its log, profile, saves and the player's own configuration behind.
            for (const char* folder : {"resources", "configuration", "missions"})
                CopyShippedFolder(folder, m_root / folder);
            StartServer(screen, resetWhenIdle);
        }

        GameHarness::~GameHarness()
        {
            if (m_game > 0)
                Kill(m_game);
            StopServer();
            if (std::getenv("KESTRUM_KEEP_TEST_ROOT"))
            {
                std::fprintf(stderr, "kept the scratch game root %s\n", m_root.c_str());
                return;
            }
            std::error_code ignored;
            fs::remove_all(m_scratch, ignored);
        }

        void GameHarness::StartServer(const std::string& screen, bool resetWhenIdle)
        {
            int displayPipe[2];
            if (pipe(displayPipe) != 0)
                throw std::runtime_error("pipe failed");
            const int serverErrors = open((m_scratch / "xvfb.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ChildSetup setup;
            setup.errors = serverErrors;
            setup.keepOpen = displayPipe[1];
            // -noreset: without it the server resets whenever its last client leaves,
            // and a client that connects during the reset is turned away.
            m_server = Spawn({"Xvfb", "-displayfd", std::to_string(displayPipe[1]), "-screen", "0", screen,
                              "-nolisten", "tcp", resetWhenIdle ? "-reset" : "-noreset"},
                             setup);
            close(displayPipe[1]);
            close(serverErrors);

            // The server writes its display number once it accepts clients.
            std::string number;
            const auto deadline = Clock::now() + std::chrono::seconds(15);
            pollfd fd = {displayPipe[0], POLLIN, 0};
            while (number.find('\n') == std::string::npos && Clock::now() < deadline)
            {
                if (poll(&fd, 1, 100) > 0)
                {
                    char buffer[32];
                    const ssize_t count = read(displayPipe[0], buffer, sizeof buffer);
                    if (count <= 0)
                        break;
                    number.append(buffer, static_cast<std::size_t>(count));
                }
            }
            close(displayPipe[0]);
            if (number.find('\n') == std::string::npos)
            {
                StopServer();
                throw std::runtime_error("Xvfb did not start: " + ReadWhole(m_scratch / "xvfb.txt"));
            }
            m_display = ":" + number.substr(0, number.find('\n'));
        }

        void GameHarness::StopServer()
        {
            if (m_server <= 0)
                return;
            int ignored = 0;
            kill(m_server, SIGTERM);
            if (!Reap(m_server, ignored, std::chrono::seconds(5)))
                Kill(m_server);
            m_server = -1;
        }

        void GameHarness::WriteFile(const std::string& relativePath, const std::string& contents) const
        {
            const fs::path path = m_root / relativePath;
            fs::create_directories(path.parent_path());
            std::ofstream file(path, std::ios::binary | std::ios::trunc);
            file << contents;
            if (!file)
                throw std::runtime_error("could not write " + path.string());
        }

        void GameHarness::RemoveFile(const std::string& relativePath) const
        {
            fs::remove_all(m_root / relativePath);
        }

        bool GameHarness::FileExists(const std::string& relativePath) const
        {
            return fs::exists(m_root / relativePath);
        }

        std::string GameHarness::ReadFile(const std::string& relativePath) const
        {
            return ReadWhole(m_root / relativePath);
        }

        std::string GameHarness::ReadOutput() const
        {
            return ReadWhole(m_scratch / "output.txt") + ReadErrors();
        }

        std::string GameHarness::ReadErrors() const
        {
            return ReadWhole(m_scratch / "errors.txt");
        }

        void GameHarness::Start(const std::vector<std::string>& arguments, const std::optional<std::string>& display)
        {
            if (m_game > 0)
                throw std::runtime_error("the game is already running");
            std::vector<std::string> command = {KESTRUM_GAME_EXE};
            command.insert(command.end(), arguments.begin(), arguments.end());
            const int output = open((m_scratch / "output.txt").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
            const int errors = open((m_scratch / "errors.txt").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
            ChildSetup setup;
            setup.display = display.value_or(m_display);
            setup.workingDirectory = m_root;
            setup.output = output;
            setup.errors = errors;
            setup.audioDriver = m_audioDriver;
            setup.variables = m_variables;
            m_game = Spawn(command, setup);
            close(output);
            close(errors);
            m_exitCode = -1;
            m_window = 0;
        }

        bool GameHarness::IsRunning()
        {
            if (m_game <= 0)
                return false;
            if (Reap(m_game, m_exitCode, std::chrono::milliseconds(0)))
            {
                m_game = -1;
                return false;
            }
            return true;
        }

        bool GameHarness::FindWindow(const std::string& title, std::chrono::milliseconds timeout)
        {
            const auto deadline = Clock::now() + timeout;
            while (Clock::now() < deadline && IsRunning())
            {
                std::string output, errors;
                RunProcess({"xdotool", "search", "--onlyvisible", "--name", "^" + EscapeRegex(title) + "$"},
                           m_display, output, errors, std::chrono::seconds(10));
                std::istringstream lines(output);
                unsigned long id = 0;
                if (lines >> id)
                {
                    m_window = id;
                    return true;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
            return false;
        }

        bool GameHarness::WaitForLog(const std::string& text, std::chrono::milliseconds timeout)
        {
            const auto deadline = Clock::now() + timeout;
            for (;;)
            {
                if (ReadLog().find(text) != std::string::npos)
                    return true;
                if (Clock::now() >= deadline)
                    return false;
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }

        void GameHarness::RequireWindow() const
        {
            if (!m_window)
                throw std::runtime_error("no game window: call FindWindow first");
        }

        void GameHarness::Key(const std::string& keys)
        {
            RequireWindow();
            std::vector<std::string> command = {"xdotool", "key", "--window", std::to_string(m_window)};
            std::istringstream words(keys);
            for (std::string key; words >> key;)
                command.push_back(key);
            RunTool(command);
        }

        void GameHarness::KeyDown(const std::string& key)
        {
            RequireWindow();
            RunTool({"xdotool", "keydown", "--window", std::to_string(m_window), key});
        }

        void GameHarness::KeyUp(const std::string& key)
        {
            RequireWindow();
            RunTool({"xdotool", "keyup", "--window", std::to_string(m_window), key});
        }

        void GameHarness::MoveMouse(int x, int y)
        {
            RequireWindow();
            RunTool({"xdotool", "mousemove", "--window", std::to_string(m_window), std::to_string(x),
                     std::to_string(y)});
        }

        void GameHarness::Click(int x, int y, int button)
        {
            MoveMouse(x, y);
            RunTool({"xdotool", "click", std::to_string(button)});
        }

        void GameHarness::DoubleClick(int x, int y, int button)
        {
            MoveMouse(x, y);
            RunTool({"xdotool", "click", "--repeat", "2", "--delay", "60", std::to_string(button)});
        }

        void GameHarness::MouseDown(int x, int y, int button)
        {
            MoveMouse(x, y);
            RunTool({"xdotool", "mousedown", std::to_string(button)});
        }

        void GameHarness::MouseUp(int x, int y, int button)
        {
            MoveMouse(x, y);
            RunTool({"xdotool", "mouseup", std::to_string(button)});
        }

        fs::path GameHarness::Screenshot(const std::string& fileName)
        {
            RequireWindow();
            const fs::path path = m_scratch / fileName;
            RunTool({"import", "-window", std::to_string(m_window), path.string()});
            return path;
        }

        void GameHarness::Close()
        {
            RequireWindow();
            RunTool({KESTRUM_WMDELETE_EXE, std::to_string(m_window)});
        }

        int GameHarness::WaitForExit(std::chrono::milliseconds timeout)
        {
            if (m_game <= 0)
                return m_exitCode;
            if (Reap(m_game, m_exitCode, timeout))
            {
                m_game = -1;
                return m_exitCode;
            }
            Kill(m_game);
            m_game = -1;
            m_exitCode = -1;
            return -1;
        }

        std::string GameHarness::RunTool(const std::vector<std::string>& arguments) const
        {
            std::string output, errors;
            const int exitCode = RunProcess(arguments, m_display, output, errors, std::chrono::seconds(10));
            if (exitCode != 0)
                throw std::runtime_error(arguments[0] + " failed with " + std::to_string(exitCode) + ": " + errors);
            return output;
        }
    }
}
