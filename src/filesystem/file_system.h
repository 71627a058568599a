#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "filesystem/local_time.h"
#include "filesystem/name_table.h"

// What a fill needs to know of a path, from one reading.
struct PathFacts {
    bool isFolder = false;
    qint64 length = 0;
    LocalTime modified;
};

// The ordinary files of one folder (not folders, not hidden), keyed by their name in capitals:
// the stored name, or the empty text when several stored names share those capitals (possible
// where letter case matters).
using FolderIndex = NameTable;

// What changes whenever an entry of a folder is added, removed or renamed.
struct FolderStamp {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 modifiedNs = 0;  // since the epoch

    bool operator==(const FolderStamp&) const = default;
};

enum class RenameOutcome {
    Renamed,
    Failed,
};

// Every access of the program to the file system goes through this interface.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Facts of an existing file or folder (following symbolic links); nothing for a path that
    // names nothing.
    virtual std::optional<PathFacts> statPath(const QString& path) const = 0;

    // The name under which the ordinary file matching path is stored in its folder: the exact
    // name wins, otherwise the first entry equal ignoring letter case; empty when none.
    virtual QString storedName(const QString& path) const = 0;

    // The index of the ordinary files of folder (ending with "/"); empty when it cannot be read.
    virtual FolderIndex readFolder(const QString& folder) const = 0;

    // The folder's stamp, so that an unchanged folder need not be read again; nothing where the
    // file system cannot tell.
    virtual std::optional<FolderStamp> folderStamp(const QString& folder) const {
        Q_UNUSED(folder);
        return std::nullopt;
    }

    // Renames within one folder; never replaces an existing file.
    virtual RenameOutcome rename(const QString& from, const QString& to) = 0;
};

// The file system of the machine the program runs on.
FileSystem& hostFileSystem();
