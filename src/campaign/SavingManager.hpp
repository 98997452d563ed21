// Lists, loads, writes and deletes the save slots. Every saving is one file in
// the folder "savings" of the game root, named by the saving's number in
// decimal ("savings/3"). A saving is written whole or not at all: a failed
// write leaves the file as it was.
#pragma once

#include "core/StablePtr.hpp"

#include <boost/date_time/posix_time/ptime.hpp>
#include <boost/exception/error_info.hpp>

#include <vector>

namespace Kestrum
{
    class Saving;

    // Attached to the error of a saving that cannot be opened: its number.
    typedef boost::error_info<struct tag_saving_id, unsigned long> SavingIdInfo;

    class SavingManager
    {
    public:
        SavingManager();
        virtual ~SavingManager();
        SavingManager(const SavingManager&) = delete;
        SavingManager& operator=(const SavingManager&) = delete;

        // The numbers of the savings present, in the order the folder lists
        // them. Only regular files named by the decimal text of their number
        // count; anything else there, an entry whose type cannot be read
        // included, is skipped with a warning. No folder: no savings; a
        // "savings" that cannot be listed gives none, with a warning. Never
        // throws for what the folder holds.
        std::vector<unsigned long> GetSavingIDs() const;
        // The saving read from its file, the data file "savings|<id>", whose
        // path and line every error names. Not a regular file: LoadError path +
        // " is not a regular file", carrying the number as SavingIdInfo. Larger
        // than savingFileMostBytes, refused by CheckSavingFile, unreadable to
        // the archive or breaking the saving's rules: the reason's error.
        // Nothing read is kept from a refused file.
        stable_ptr<Saving> Load(unsigned long id) const;
        // Copies the played state back from the registered inventory, checks
        // the saving and its text as a load would, and replaces its file (the
        // folder is made if need be). Every failure names the file
        // ("savings/3: ...") and leaves the file as it was.
        void Save(const stable_ptr<Saving>& saving) const;
        // Deletes the saving's file.
        void Remove(const stable_ptr<Saving>& saving) const;

        // When the saving's file was last written, from its text alone: Load's
        // check without the archive, the saving's rules or its world map. A
        // file that is no regular file, is too large, is refused by
        // CheckSavingFile or is stamped further ahead than a load accepts
        // fails as Load fails for it; one that passes may still fail to load.
        boost::posix_time::ptime GetSavingTime(unsigned long id) const;
    };
}
