#pragma once

#include <QHash>
#include <QString>
#include <optional>
#include <unordered_map>

#include "plan/file_system.h"

class FileList;

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

// Folder indexes kept from one check to the next, so that an unchanged folder costs one stat
// instead of a full read. A folder changed so recently that a later change could leave its
// stamp as it is is read again every time.
class FolderIndexCache {
  public:
    const FolderIndex& index(const QString& folder, const FileSystem& fileSystem);
    // Forgets the folders not asked for since the last call.
    void dropUnused();

  private:
    struct Entry {
        std::optional<FolderStamp> stamp;
        FolderIndex index;
        bool reusable = false;
        bool used = true;
    };
    std::unordered_map<QString, Entry> m_entries;  // references stay valid as folders are added
};

// One pass over the marked entries: names compared in capitals through hashes, and each folder
// of a marked entry looked at once.
NameChecks checkNames(const FileList& list, const FileSystem& fileSystem, FolderIndexCache& cache);
