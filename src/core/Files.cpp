#include "core/Files.hpp"

#include "core/Exception.hpp"
#include "core/ResourceUtility.hpp"

#include <algorithm>
#include <boost/format.hpp>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace Kestrum
{
    std::filesystem::path GetGameRoot()
    {
        return std::filesystem::current_path();
    }

    namespace
    {
        struct ChainLink
        {
            std::filesystem::path file;  // the same for every path that reaches it
            std::string path;            // as the reader was given it
        };

        std::vector<ChainLink>& GetChain()
        {
            thread_local std::vector<ChainLink> chain;
            return chain;
        }
    }

    void CheckRegularFile(const std::string& path)
    {
        if (!std::filesystem::is_regular_file(path))
            BOOST_THROW_EXCEPTION(LoadError(path + " is not a regular file"));
    }

    Details::FileBeingRead::FileBeingRead(const std::string& path) : m_path(path)
    {
        std::vector<ChainLink>& chain = GetChain();
        const std::filesystem::path file = ToFilesystemPath(path).lexically_normal();
        for (const ChainLink& link : chain)
            if (link.file == file)
            {
                std::string names;
                for (const ChainLink& each : chain)
                    names += each.path + " -> ";
                BOOST_THROW_EXCEPTION(LoadError(names + path));
            }
        chain.push_back(ChainLink{file, path});
    }

    Details::FileBeingRead::~FileBeingRead()
    {
        GetChain().pop_back();
    }

    std::string ToShownPath(const std::string& path)
    {
        std::string shown = path;
        // A resource path that does not convert (one with dots) is shown as given.
        if (path.find_first_of("|$") != std::string::npos)
            try
            {
                shown = ToFilesystemPath(path).generic_string();
            }
            catch (const ParseError&)
            {
            }
        return shown.compare(0, 2, "./") == 0 ? shown.substr(2) : shown;
    }

    namespace
    {
        // Whether the text holds `spelling` as a whole path, not as a part of a
        // longer one ("savings/3" is neither in "/game/savings/3" nor in "savings/31").
        bool HoldsPath(const std::string& text, const std::string& spelling)
        {
            const auto bounds = [](char c) {
                return std::isspace(static_cast<unsigned char>(c)) || std::strchr("\"'()<>[],;:", c);
            };
            for (std::size_t at = text.find(spelling); at != std::string::npos; at = text.find(spelling, at + 1))
            {
                const std::size_t end = at + spelling.size();
                if ((at == 0 || bounds(text[at - 1])) && (end == text.size() || bounds(text[end])))
                    return true;
            }
            return false;
        }

        // Whether the message names the file at `path` in one of the ways the game
        // spells a file: the path as the reader was given it, as shown, as a
        // file-system path from the game root ("./savings/3") or absolute.
        bool NamesItsFile(const std::string& message, const std::string& path)
        {
            const std::string shown = ToShownPath(path);
            // The game root as GetGameRoot gives it, without a throw of its own
            // while an error is being named.
            std::error_code failed;
            const std::filesystem::path root = std::filesystem::current_path(failed);
            const std::string spellings[] = {path, shown, "./" + shown,
                                             failed ? std::string() : (root / shown).lexically_normal().string()};
            return std::any_of(std::begin(spellings), std::end(spellings), [&](const std::string& spelling) {
                return !spelling.empty() && HoldsPath(message, spelling);
            });
        }
    }

    void NameDataFile(Exception& error, const std::string& path)
    {
        if (error.NamesFile())
            return;
        if (NamesItsFile(error.what(), path))
        {
            error.KeepOwnFileName();
            return;
        }
        std::string place = ToShownPath(path);
        if (const unsigned long* const line = boost::get_error_info<LineInfo>(error))
            place += ':' + std::to_string(*line);
        error.NameFile(place);
    }

    namespace
    {
        // Attaches the record and names the file in the message, where no file
        // read inside did it first.
        void NameFile(Exception& error, const std::string& path)
        {
            const std::string* const named = boost::get_error_info<ResourceFileInfo>(error);
            NameDataFile(error, named ? *named : path);
            if (!named)
                error << ResourceFileInfo(path);
        }
    }

    void Details::FileBeingRead::RethrowNamingFile() const
    {
        try
        {
            throw;
        }
        catch (Exception& error)
        {
            NameFile(error, m_path);
            throw;
        }
        catch (const std::exception& error)
        {
            LogicError wrapped(error.what());
            if (const boost::exception* const other = dynamic_cast<const boost::exception*>(&error))
                if (const unsigned long* const line = boost::get_error_info<LineInfo>(*other))
                    wrapped << LineInfo(*line);
            NameFile(wrapped, m_path);
            BOOST_THROW_EXCEPTION(wrapped);
        }
        catch (boost::exception& error)
        {
            if (!boost::get_error_info<ResourceFileInfo>(error))
                error << ResourceFileInfo(m_path);
            throw;
        }
    }

    stable_ptr<std::istream> OpenFile(const std::string& path)
    {
        CheckRegularFile(path);
        std::shared_ptr<std::ifstream> stream = std::make_shared<std::ifstream>(path);
        if (!stream->is_open())
            BOOST_THROW_EXCEPTION(LoadError("could not open " + path));
        stream->exceptions(std::ios::badbit);
        return create_stable_ptr(std::shared_ptr<std::istream>(stream));
    }

    bool IsTemporaryFileOf(const std::string& name, const std::string& fileName)
    {
        const std::size_t digits = 8;
        if (name.size() != fileName.size() + 1 + digits || name.compare(0, fileName.size(), fileName) != 0 ||
            name[fileName.size()] != '.')
            return false;
        return std::all_of(name.end() - digits, name.end(),
                           [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
    }

    namespace
    {
        std::filesystem::path GetFolderOf(const std::filesystem::path& path)
        {
            return path.has_parent_path() ? path.parent_path() : ".";
        }

        // Whether `name` still leads to the file open at the descriptor: nothing has
        // renamed or removed it meanwhile.
        bool StillNames(const std::string& name, int descriptor)
        {
            struct stat opened, named;
            return fstat(descriptor, &opened) == 0 && lstat(name.c_str(), &named) == 0 &&
                   opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
        }

        // Every temporary file is renamed or removed only by whoever holds it locked:
        // its writer from just after its creation until it is renamed, or a game
        // removing it as a leftover. The leftover's remover opens it without
        // waiting (a named pipe would block) and without following a link, and
        // removes it when it gets the lock and the name still leads to the file it
        // locked; a writer that renamed it meanwhile has left that name behind.
        void RemoveIfLeftover(const std::string& name)
        {
            const int descriptor = open(name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
            if (descriptor < 0)
                return;
            struct stat opened;
            if (flock(descriptor, LOCK_EX | LOCK_NB) == 0 && fstat(descriptor, &opened) == 0 &&
                S_ISREG(opened.st_mode) && StillNames(name, descriptor))
                unlink(name.c_str());
            close(descriptor);
        }

        // Creates the file `name`, which no file has yet, for writing, and locks it.
        // A game removing leftovers may take the new file before the lock; then the
        // name no longer leads to it, and the answer is -1 with EEXIST, as for a
        // name that was taken.
        int CreateLockedFile(const std::string& name)
        {
            const int descriptor = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (descriptor < 0)
                return -1;
            int locked;
            do
                locked = flock(descriptor, LOCK_EX);
            while (locked != 0 && errno == EINTR);
            if (locked == 0 && StillNames(name, descriptor))
                return descriptor;
            const int error = locked == 0 ? EEXIST : errno;
            if (locked != 0)
                unlink(name.c_str());
            close(descriptor);
            errno = error;
            return -1;
        }

        // The errno of the first failed write, 0 when everything was written.
        int WriteAll(int descriptor, const std::string& contents)
        {
            for (std::size_t done = 0; done < contents.size();)
            {
                const ssize_t count = write(descriptor, contents.data() + done, contents.size() - done);
                if (count > 0)
                    done += static_cast<std::size_t>(count);
                else if (count == 0)
                    return EIO;
                else if (errno != EINTR)
                    return errno;
            }
            return 0;
        }

        // The errno of a failed sync of the folder, 0 when it is synced or cannot
        // be: the folder cannot be opened for reading (EACCES), or its file
        // system does not sync folders (EINVAL).
        int SyncFolder(const std::filesystem::path& folder)
        {
            const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (descriptor < 0)
                return errno == EACCES ? 0 : errno;
            const int failure = fsync(descriptor) == 0 || errno == EINVAL ? 0 : errno;
            close(descriptor);
            return failure;
        }
    }

    void RemoveLeftoverTemporaryFiles(const std::filesystem::path& path)
    {
        const std::string fileName = path.filename().string();
        std::error_code error;
        for (std::filesystem::directory_iterator entry(GetFolderOf(path), error), end; !error && entry != end;
             entry.increment(error))
            if (IsTemporaryFileOf(entry->path().filename().string(), fileName))
                RemoveIfLeftover(entry->path().string());
    }

    void WriteThroughTemporaryFile(const std::filesystem::path& path, const std::string& contents,
                                   const std::function<std::string()>& drawName)
    {
        RemoveLeftoverTemporaryFiles(path);
        std::string name;
        int descriptor = -1;
        while (descriptor < 0)
        {
            name = drawName();
            descriptor = CreateLockedFile(name);
            if (descriptor < 0 && errno != EEXIST)
                BOOST_THROW_EXCEPTION(FileError("could not create a temporary file for " + path.string() + ": " +
                                                std::strerror(errno)));
        }
        try
        {
            int failure = WriteAll(descriptor, contents);
            // Readable by everyone, as a file written the ordinary way is.
            if (!failure && fchmod(descriptor, 0644) != 0)
                failure = errno;
            if (!failure && fsync(descriptor) != 0)
                failure = errno;
            if (failure)
                BOOST_THROW_EXCEPTION(FileError("could not write " + path.string() + ": " + std::strerror(failure)));
            std::filesystem::rename(name, path);
        }
        catch (...)
        {
            unlink(name.c_str());
            close(descriptor);
            throw;
        }
        // The lock goes only now: until the rename the temporary file is no leftover.
        close(descriptor);
        if (const int failure = SyncFolder(GetFolderOf(path)))
            BOOST_THROW_EXCEPTION(FileError("could not sync the folder of " + path.string() + ": " +
                                            std::strerror(failure)));
    }

    void WriteFileAtomically(const std::filesystem::path& path, const std::string& contents)
    {
        static std::mt19937 generator{std::random_device()()};
        int draws = 0;
        try
        {
            WriteThroughTemporaryFile(path, contents, [&path, &draws] {
                if (draws++ == 100)
                    BOOST_THROW_EXCEPTION(FileError("could not create a temporary file for " + path.string() + ": " +
                                                    std::strerror(EEXIST)));
                return (boost::format("%s.%08x") % path.string() % generator()).str();
            });
        }
        catch (const std::filesystem::filesystem_error& error)
        {
            BOOST_THROW_EXCEPTION(FileError("could not write " + path.string() + ": " + error.code().message()));
        }
    }
}
