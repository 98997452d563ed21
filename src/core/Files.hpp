// Opening files for reading and replacing files safely.
#pragma once

#include "core/Exception.hpp"
#include "core/StablePtr.hpp"

#include <filesystem>
#include <functional>
#include <istream>
#include <string>

namespace Kestrum
{
    // The game root: every file of the game is found below the current directory,
    // which the game never changes.
    std::filesystem::path GetGameRoot();

    // Refuses, without opening it, what is not a regular file at a file-system
    // path (nothing, a folder, a named pipe, which would block whoever opens it
    // until something writes to it): LoadError path + " is not a regular file".
    void CheckRegularFile(const std::string& path);

    // Opens the file at a file-system path for reading; the stream throws once it
    // goes bad. Not a regular file: LoadError path + " is not a regular file"; a
    // regular file that cannot be opened: LoadError "could not open " + path.
    stable_ptr<std::istream> OpenFile(const std::string& path);

    // How messages name a data file: a resource path ("missions|arcade|7|a.xml",
    // "$resources|b.xml") as the path relative to the game root that it reaches,
    // with '/' separators ("missions/arcade/7/a.xml"); a file-system path as
    // given, less a leading "./" ("./savings/7" gives "savings/7").
    std::string ToShownPath(const std::string& path);

    // Names the data file at `path` in the error's message once, by its shown
    // path and the error's LineInfo: "<shown path>:<line>: <message>", or
    // "<shown path>: <message>" without a line. A message that holds the file's
    // path already (as given, shown, from the game root as "./<shown path>" or
    // absolute: "/game/savings/3 is not a regular file") stays as it is.
    void NameDataFile(Exception& error, const std::string& path);

    namespace Details
    {
        // A data file on the chain of the files being read, for as long as it lives.
        class FileBeingRead
        {
        public:
            explicit FileBeingRead(const std::string& path);
            ~FileBeingRead();
            FileBeingRead(const FileBeingRead&) = delete;
            FileBeingRead& operator=(const FileBeingRead&) = delete;

            // Rethrows the exception being handled, naming the file in it.
            [[noreturn]] void RethrowNamingFile() const;

        private:
            std::string m_path;
        };
    }

    // Reads the data file of a resource path through `read`, which opens it and
    // makes of it what it answers. The file stands on the chain of the files being
    // read meanwhile, so a definition that names another reads that one inside.
    // A file already on the chain (a definition naming itself, directly or
    // through others) is refused before it is opened, with LoadError naming the
    // chain: "a|b.statemachine -> a|c.statemachine -> a|b.statemachine".
    // Whatever leaves `read` names the file, the innermost file being read only:
    // an exception of the family gets a ResourceFileInfo of the path and its
    // message the place "<shown path>:<line>: " in front ("<shown path>: " without
    // a LineInfo), unless a file read inside named itself first or the message
    // names its file already (a parse error of LoadXmlFile, a text that holds its
    // path: NameDataFile); another standard exception becomes a LogicError of its
    // text so named, with the record; any other boost::exception gets the record
    // only.
    template <typename Read>
    auto ReadDataFile(const std::string& path, Read&& read) -> decltype(read())
    {
        const Details::FileBeingRead file(path);
        try
        {
            return read();
        }
        catch (...)
        {
            file.RethrowNamingFile();
        }
    }

    // The game's temporary files of a file are written beside it and named after
    // it: the file's name, a dot and eight lower-case hexadecimal digits
    // ("general_configuration.xml.0badf00d").
    bool IsTemporaryFileOf(const std::string& name, const std::string& fileName);

    // Removes the regular files beside `path` whose names are those of its
    // temporary files, which a game ended half-way through a write leaves behind.
    // A temporary file that a game (this one or another in the same folder) is
    // writing at that moment is held locked by it and stays. Nothing else is
    // touched; a file that cannot be opened to check it, or removed, stays.
    void RemoveLeftoverTemporaryFiles(const std::filesystem::path& path);

    // Replaces the file at `path` with `contents` through a temporary file beside
    // it that is renamed over it, so a failed write leaves the old file whole.
    // Leftover temporary files of the path go first. `drawName` gives the
    // temporary file's name, drawn anew while the name is taken, and throws when
    // it gives up. The temporary file is locked from its creation until it has
    // been renamed, so two games writing the same file at once both succeed and
    // the last one wins. Then the folder is synced, so the new file survives a
    // power cut right after; a file system that cannot sync folders, or a folder
    // that cannot be read, is left unsynced. A failed creation, write or sync
    // throws FileError, a failed rename the file-system library's error; the
    // temporary file goes again on failure.
    void WriteThroughTemporaryFile(const std::filesystem::path& path, const std::string& contents,
                                   const std::function<std::string()>& drawName);

    // WriteThroughTemporaryFile with random names; every failure is a FileError
    // that names the path and the reason ("could not write <path>: <reason>").
    void WriteFileAtomically(const std::filesystem::path& path, const std::string& contents);
}
