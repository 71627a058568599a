#pragma once

#include <QFlags>
#include <optional>
#include <vector>

#include "engine/rename_settings.h"
#include "filesystem/media_tags.h"
#include "plan/plan_failure.h"

class FileList;
class FileSystem;
class FolderIndexCache;

// What is wrong with one new name; several faults can meet in one.
enum class NameFault : quint16 {
    SameNewName = 1,  // another marked entry of the folder gets the same name
    NameTaken = 2,    // another existing file bears the name
    TypeOnly = 4,
    Blank = 8,
    Separator = 16,
    TooLong = 32,
    FolderClosed = 64,   // whether the name is taken cannot be told
    MissingValue = 128,  // the file lacks a value the mask takes from it: there is no name
    ValueUnread = 256,   // the file's contents are still being read
};
Q_DECLARE_FLAGS(NameFaults, NameFault)
Q_DECLARE_OPERATORS_FOR_FLAGS(NameFaults)

// The verdict on the new name of one marked entry that fails a check.
struct RowVerdict {
    int row = 0;  // 1-based position in the list
    NameFaults faults;
    int sameAs = 0;  // with SameNewName: another row of the same folder and new name
    MediaField missing = MediaField::NotRead;  // with MissingValue: the value lacked
};

// The verdicts over the new names of the marked entries.
struct NameChecks {
    // Every failing row, in list order; only those, so that a sound plan of many rows costs
    // nothing here.
    std::vector<RowVerdict> rows;
    NameFaults found;  // every fault of the rows
    // The marked rows, in list order, whose new name is the current name of another marked file of
    // the folder that moves away first; only where chains are allowed.
    std::vector<int> freedFirst;

    // No two marked entries share folder and new name.
    bool NamesUnique() const { return !found.testFlag(NameFault::SameNewName); }
    // No new name is taken by another existing file.
    bool NoClash() const { return !found.testFlag(NameFault::NameTaken); }
    bool allPassed() const { return !found; }
    // The first failed check, in the order they are reported.
    std::optional<PlanFailure> firstFailure() const;
    // The verdict on row p when it fails; null otherwise.
    const RowVerdict* verdictOf(int p) const;
    // The first failing row after row p, from the top again after the last; 0 when none fails.
    int nextRowInTrouble(int p) const;
};

// One pass over the marked entries: names compared in capitals through hashes, and each folder
// of a marked entry looked at once. Every check is made for every entry, so that each failing
// row is found. Where chains are allowed, a new name may be the current name of another marked file
// of the folder that gets another name in the same run: then only the end state counts, each new
// name unique in its folder and free of every file not in the run.
NameChecks checkNames(const FileList& list, const FileSystem& fileSystem, FolderIndexCache& cache,
                      Chains chains);
