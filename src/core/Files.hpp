// Opening files for reading and replacing files safely.
#pragma once

#include "core/StablePtr.hpp"

#include <filesystem>
#include <istream>
#include <string>

namespace Kestrum
{
    // The game root: every file of the game is found below the current directory,
    // which the game never changes.
    std::filesystem::path GetGameRoot();

    // Opens the file at a file-system path for reading; the stream throws once it
    // goes bad. Not a regular file: LoadError path + " is not a regular file"; a
    // regular file that cannot be opened: LoadError "could not open " + path.
    stable_ptr<std::istream> OpenFile(const std::string& path);

    // The game's temporary files of a file are written beside it and named after
    // it: the file's name, a dot and eight lower-case hexadecimal digits
    // ("general_configuration.xml.0badf00d").
    bool IsTemporaryFileOf(const std::string& name, const std::string& fileName);

    // Removes the regular files beside `path` whose names are those of its
    // temporary files, which a game ended half-way through a write leaves behind.
    // Nothing else is touched; a file that cannot be removed stays.
    void RemoveLeftoverTemporaryFiles(const std::filesystem::path& path);

    // Replaces the file at `path` with `contents` through a temporary file in the
    // same folder that is renamed over it, so a failed write leaves the old file
    // whole. Leftover temporary files of the path go first. Throws FileError and
    // removes the temporary file on failure.
    void WriteFileAtomically(const std::filesystem::path& path, const std::string& contents);
}
