#pragma once

#include <QByteArrayList>
#include <QString>
#include <memory>
#include <optional>

#include <sys/stat.h>

#include "filesystem/local_time.h"
#include "filesystem/name_table.h"

// Which file an entry of a folder is: the same for as long as the file exists, whatever its name.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    quint32 type = 0;   // the file-type bits of its mode
    qint64 bornNs = 0;  // its birth time where the file system keeps one; 0 elsewhere or unknown
    // Where the birth time is unknown: a moment by which the file existed (when its folder's
    // listing began), by the file system's clock; 0 where unknown too. A file born later is
    // another, which may have been given the inode of one deleted since.
    qint64 existedNs = 0;

    bool operator==(const FileIdentity&) const = default;
    // Whether found, read now, is this file.
    bool matches(const FileIdentity& found) const {
        return device == found.device && inode == found.inode && type == found.type &&
               mayBeBornAt(found.bornNs);
    }
    // Whether a file of this birth time (0: unknown) can be this file.
    bool mayBeBornAt(qint64 foundBornNs) const {
        if (bornNs != 0) {
            return bornNs == foundBornNs;
        }
        return existedNs == 0 || foundBornNs == 0 || foundBornNs <= existedNs;
    }
};

// What a fill needs to know of a path, from one reading.
struct PathFacts {
    bool isFolder = false;  // also a symbolic link to a folder
    qint64 length = 0;
    LocalTime modified;
    FileIdentity identity;  // of the entry itself, a symbolic link not followed
};

// What reading a folder found: its ordinary files (not folders, not hidden), found by their
// names ignoring letter case.
struct FolderListing {
    // Each stored name with the inode the listing gives for a regular file, 0 for any other
    // entry. A folder holds each name once, so a repeat is another spelling of the same
    // capitals (possible where letter case matters). Empty unless complete: half an index would
    // hide names.
    NameTable index;
    bool complete = false;  // every entry was read; otherwise names must be looked up one by one
    int nameMax = 255;      // the longest name, in bytes, that the folder's file system takes
    quint64 device = 0;     // the folder's, which its files share
    qint64 beganNs = 0;     // when the reading began, by the file system's clock

    // Adds an ordinary file as the folder lists it; inode 0 for one not known to be regular.
    void add(QStringView name, quint64 inode) { index.insert(name, inode); }
    // The stored name of the file found under name ignoring letter case: the empty text where
    // several share it; nothing where none does.
    std::optional<QStringView> storedName(QStringView name) const {
        const NameTable::Entry* entry = index.find(name);
        if (entry == nullptr) {
            return std::nullopt;
        }
        return entry->repeats() > 0 ? QStringView() : NameTable::nameOf(*entry);
    }
    // The identity of the regular file stored under exactly name, as far as the listing tells
    // (no birth time, but that it existed when the reading began); nothing where only a stat can
    // tell.
    std::optional<FileIdentity> regularFile(QStringView name) const {
        const NameTable::Entry* entry = index.find(name);
        if (entry == nullptr || entry->number == 0 || entry->repeats() > 0 ||
            NameTable::nameOf(*entry) != name) {
            return std::nullopt;
        }
        return FileIdentity{device, entry->number, S_IFREG, 0, beganNs};
    }
};

// What a folder holds, hidden entries left out: bare names as the folder stores them, in its
// order.
struct FolderContents {
    QByteArrayList files;    // anything but a folder; a symbolic link whatever it points to
    QByteArrayList folders;  // never a symbolic link: following one could lead in a circle
    bool complete = false;   // every entry was read
};

// What stands under one name in a folder.
struct NameLookup {
    bool searchable = true;             // false when the folder could not be searched
    std::optional<FileIdentity> entry;  // nothing when no entry bears the name
    bool isFolder = false;
};

// What changes whenever an entry of a folder is added, removed or renamed.
struct FolderStamp {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 modifiedNs = 0;  // since the epoch

    bool operator==(const FolderStamp&) const = default;
};

// Why a renaming did not happen.
enum class RenameFailure {
    None,
    SourceChanged,  // the file is gone, or another file bears its name now
    TargetExists,
    AccessDenied,
    NameTooLong,
    NotSupported,  // the file system can rename only by replacing, which is never done
    Other,
};

struct RenameResult {
    RenameFailure failure = RenameFailure::None;
    // A change of letter case on a file system that ignores it goes through a free name of the
    // folder; where both steps failed, the file stays under that name.
    QString temporaryName;
    // The renamed file's birth time as the check before the renaming read it; 0 where unknown.
    qint64 bornNs = 0;
    // Renamed on a file system that renames only by link and unlink, where another file took the
    // old name before it was unlinked: that file stays, and the renamed one keeps a single name.
    bool oldNameTaken = false;

    bool renamed() const { return failure == RenameFailure::None; }
};

// Every access of the program to the file system goes through this interface. Folders are
// given with their final "/", names without any.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Facts of an existing file or folder; nothing for a path that names nothing.
    virtual std::optional<PathFacts> statPath(const QString& path) const = 0;

    // The name under which the ordinary file matching path is stored in its folder: the exact
    // name wins, otherwise the first entry equal ignoring letter case; empty when none.
    virtual QString storedName(const QString& path) const = 0;

    virtual FolderListing readFolder(const QString& folder) const = 0;

    // What the folder holds; nothing where it is no folder or cannot be opened. Native, so that a
    // name that is no valid text still reaches the fill, which tells of it.
    virtual std::optional<FolderContents> folderContents(const QByteArray& folder) const = 0;

    virtual NameLookup lookup(const QString& folder, const QString& name) const = 0;

    // The name under which the file of this identity stands in folder; nothing when none does.
    virtual std::optional<QString> findByIdentity(const QString& folder,
                                                  const FileIdentity& identity) const = 0;

    // The folder's stamp, so that an unchanged folder need not be read again; nothing where the
    // file system cannot tell.
    virtual std::optional<FolderStamp> folderStamp(const QString& folder) const = 0;

    // Gives the file named from in folder the name to, if it still is the file of identity.
    // Never replaces an existing file.
    virtual RenameResult rename(QStringView folder, QStringView from, QStringView to,
                                const FileIdentity& identity) = 0;

    // Another file system of the same files, to rename on a second thread while this one renames;
    // nothing where renamings must stay on one thread.
    virtual std::unique_ptr<FileSystem> renamerForSecondThread() { return nullptr; }
    // Whether two threads renaming files of folder at once get on faster than one. Renamings in
    // one folder take its lock in turn; only where the folder lives in memory alone does the rest
    // of the work weigh enough to share.
    virtual bool renamesSideBySide(const QString& folder) const {
        Q_UNUSED(folder);
        return false;
    }
};

// The file system of the machine the program runs on.
FileSystem& hostFileSystem();

// Now, by the clock the file system stamps birth times by, in nanoseconds since the epoch: a file
// that existed then was born at or before it. (The file system's stamps may lag it by a tick, so a
// file born within that tick after it may pass for one born before.)
qint64 fileSystemClockNs();
