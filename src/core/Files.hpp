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

    // Replaces the file at `path` with `contents` through a temporary file in the
    // same folder that is renamed over it, so a failed write leaves the old file
    // whole. Throws FileError and removes the temporary file on failure.
    void WriteFileAtomically(const std::filesystem::path& path, const std::string& contents);
}
