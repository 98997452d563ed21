// The check of a save file's text before the archive reads it. The archive
// trusts what it reads; only a document of the exact shape the game writes,
// whose every value fits its field, goes on to it.
#pragma once

#include <cstddef>
#include <string>

namespace Kestrum
{
    // The most a save file may hold: no campaign comes near these.
    constexpr std::size_t savingFileMostBytes = 16 * 1024 * 1024;
    constexpr std::size_t savingCollectionMostItems = 10000;

    // Refuses every text that is not the save file of the saving `id`: a
    // ParseError that says where and what ("Shop: count 4000000000 is above the
    // most a collection may hold, 10000"), with the LineInfo of the line where
    // the problem lies.
    void CheckSavingFile(const std::string& text, unsigned long id);
}
