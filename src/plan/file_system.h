#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

// What a fill needs to know of a path, from one reading.
struct PathFacts {
    bool isFolder = false;
    qint64 length = 0;
    QDateTime modified;  // local time, whole seconds
};

// The ordinary files of one folder (not folders, not hidden), keyed by their name in capitals.
// Several stored names can share a key on a case-sensitive file system.
using FolderIndex = QHash<QString, QStringList>;

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

    // Renames within one folder; never replaces an existing file.
    virtual RenameOutcome rename(const QString& from, const QString& to) = 0;
};

// The file system of the machine the program runs on.
FileSystem& hostFileSystem();
