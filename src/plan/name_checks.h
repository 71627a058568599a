#pragma once

#include <optional>

#include "plan/plan_failure.h"

class FileList;
class FileSystem;
class FolderIndexCache;

// The verdicts over the new names of the marked entries.
struct NameChecks {
    bool NamesUnique = true;        // no two marked entries share folder and new name
    bool NoClash = true;            // no new name is taken by another existing file
    bool NoTypeOnlyName = true;     // no new name begins with "."
    bool NoBlankName = true;        // no new name is empty or blanks only
    bool NoSeparator = true;        // no new name holds "/" or a NUL character
    bool NoLongName = true;         // no new name is longer than its file system takes
    bool FoldersSearchable = true;  // every folder could be asked whether a new name is taken

    bool allPassed() const { return !firstFailure(); }
    // The first failed check, in the order they are reported.
    std::optional<PlanFailure> firstFailure() const;
};

// One pass over the marked entries: names compared in capitals through hashes, and each folder
// of a marked entry looked at once.
NameChecks checkNames(const FileList& list, const FileSystem& fileSystem, FolderIndexCache& cache);
