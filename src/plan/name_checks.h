#pragma once

#include <QString>

class FileList;
class FileSystem;

// The verdicts over the new names of the marked entries.
struct NameChecks {
    bool NamesUnique = true;     // no two marked entries share folder and new name
    bool NoClash = true;         // no new name is taken by another existing file
    bool NoTypeOnlyName = true;  // no new name begins with "."
    bool NoBlankName = true;     // no new name is empty or blanks only
    bool NoSeparator = true;     // no new name holds "/" or a NUL character

    bool allPassed() const {
        return NamesUnique && NoClash && NoTypeOnlyName && NoBlankName && NoSeparator;
    }
    // The message of the first failed check, in the order they are reported; empty if none.
    QString firstFailure() const;
};

// One pass over the marked entries: names compared in capitals through a hash, and each folder
// of a marked entry read once.
NameChecks checkNames(const FileList& list, const FileSystem& fileSystem);
