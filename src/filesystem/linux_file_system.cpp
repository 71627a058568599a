#include "filesystem/linux_file_system.h"

#include <QFile>
#include <algorithm>

#include "filesystem/capitals.h"
#include "filesystem/linux_entries.h"
#include "filesystem/native_text.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <ctime>

namespace {

constexpr qsizetype kBytesPerEntry = 20;
constexpr qsizetype kMostReserved = 1 << 20;

// Length of the folder part including its final "/"; 0 for a bare name.
qsizetype folderLength(const QByteArray& path) {
    return path.lastIndexOf('/') + 1;
}

bool isHidden(const char* name) {
    return name[0] == '.';
}

// The entry itself decides, not what a link points to; the listing's type spares a stat where
// the file system gives one.
bool isFolderEntry(int folderFd, const dirent& entry) {
    if (entry.d_type != DT_UNKNOWN) {
        return entry.d_type == DT_DIR;
    }
    struct stat st;
    return ::fstatat(folderFd, entry.d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
}

// Any entry but a folder blocks a rename to its name, so links, fifos and devices count as
// ordinary files.
bool isOrdinaryEntry(int folderFd, const dirent& entry) {
    return !isHidden(entry.d_name) && !isFolderEntry(folderFd, entry);  // hidden: also "." and ".."
}

// Calls visit(fd, entry) for every entry of the open folder in directory order until it returns
// false, and closes it; false when the folder cannot be read to its end.
template <typename Visit>
bool forEachEntryOf(DIR* dir, Visit visit) {
    const int fd = ::dirfd(dir);
    bool complete = true;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr) {
            complete = errno == 0;
            break;
        }
        if (!visit(fd, *entry)) {
            break;
        }
    }
    ::closedir(dir);
    return complete;
}

// forEachEntryOf the folder; false also when it cannot be opened.
template <typename Visit>
bool forEachEntry(const QByteArray& folder, Visit visit) {
    DIR* dir = ::opendir(folderOrCurrent(folder));
    return dir != nullptr && forEachEntryOf(dir, visit);
}

// Whether the folder of path also finds the file under another spelling of its name, which
// only a file system that ignores letter case does (or a hard link, which the scan sorts out).
bool foundUnderOtherCase(const QByteArray& path, qsizetype nameStart, const FileIdentity& found) {
    const std::optional<QString> variant = otherSpelling(QFile::decodeName(path.mid(nameStart)));
    if (!variant) {
        return false;
    }
    const QByteArray other = path.left(nameStart) + QFile::encodeName(*variant);
    return identityAt(AT_FDCWD, other.constData()) == found;
}

}  // namespace

LinuxFileSystem::~LinuxFileSystem() {
    if (m_openFolderFd >= 0) {
        ::close(m_openFolderFd);
    }
}

std::optional<PathFacts> LinuxFileSystem::statPath(const QString& path) const {
    const std::optional<QByteArray> native = nativePath(path);
    const std::optional<struct statx> entry =
        native ? entryAt(AT_FDCWD, native->constData()) : std::nullopt;
    if (!entry) {
        return std::nullopt;
    }
    // A link shows what it points to, and is a folder where that is one; a dead link names
    // nothing.
    struct stat st;
    st.st_mode = entry->stx_mode;
    st.st_size = static_cast<off_t>(entry->stx_size);
    st.st_mtime = entry->stx_mtime.tv_sec;
    if (S_ISLNK(entry->stx_mode) && ::stat(native->constData(), &st) != 0) {
        return std::nullopt;
    }
    // localtime_r rather than Qt's conversion: fills ask from several threads at once, and
    // Qt's serialises them on a lock.
    struct tm local;
    PathFacts facts{S_ISDIR(st.st_mode), st.st_size, LocalTime{}, identityOf(*entry)};
    if (::localtime_r(&st.st_mtime, &local) != nullptr) {
        facts.modified = LocalTime{local.tm_year + 1900,
                                   static_cast<quint8>(local.tm_mon + 1),
                                   static_cast<quint8>(local.tm_mday),
                                   static_cast<quint8>(local.tm_hour),
                                   static_cast<quint8>(local.tm_min),
                                   static_cast<quint8>(local.tm_sec)};
    }
    return facts;
}

QString LinuxFileSystem::storedName(const QString& path) const {
    const std::optional<QByteArray> native = nativePath(path);
    if (!native) {
        return {};
    }
    const qsizetype nameStart = folderLength(*native);
    if (nameStart == native->size() || isHidden(native->constData() + nameStart)) {
        return {};
    }
    const QByteArray wantedName = native->mid(nameStart);
    if (const std::optional<struct statx> entry = entryAt(AT_FDCWD, native->constData())) {
        if (S_ISDIR(entry->stx_mode)) {
            return {};
        }
        if (!foundUnderOtherCase(*native, nameStart, identityOf(*entry))) {
            return QFile::decodeName(wantedName);
        }
    }
    // No entry of exactly this name, or one the folder also finds under another spelling.
    const QString wanted = capitals(QFile::decodeName(wantedName));
    QString match;
    forEachEntry(native->left(nameStart), [&](int fd, const dirent& entry) {
        if (!isOrdinaryEntry(fd, entry)) {
            return true;
        }
        if (wantedName == entry.d_name) {
            match = QFile::decodeName(wantedName);
            return false;
        }
        if (match.isEmpty()) {
            QString name = QFile::decodeName(entry.d_name);
            if (capitals(name) == wanted) {
                match = std::move(name);
            }
        }
        return true;
    });
    return match;
}

FolderListing LinuxFileSystem::readFolder(const QString& folder) const {
    FolderListing listing;
    const std::optional<QByteArray> native = nativePath(folder);
    if (!native) {
        return listing;
    }
    listing.beganNs = fileSystemClockNs();
    QString name;  // its room kept from one entry to the next
    listing.complete = forEachEntry(*native, [&listing, &name](int fd, const dirent& entry) {
        if (listing.device == 0) {
            struct stat st;
            if (::fstat(fd, &st) == 0) {
                listing.device = st.st_dev;
                // A folder's size grows with its entries (by at least 20 bytes each on common
                // file systems): room for them at once spares the table its growing.
                listing.index.reserve(
                    std::min<qsizetype>(st.st_size / kBytesPerEntry, kMostReserved));
            }
        }
        if (isOrdinaryEntry(fd, entry)) {
            assignNative(name, entry.d_name);
            listing.add(name, entry.d_type == DT_REG ? entry.d_ino : 0);
        }
        return true;
    });
    if (!listing.complete) {
        // Half an index would hide clashes as surely as none.
        listing.index = NameTable();
    }
    listing.index.squeeze();  // the room reserved from the folder's size may be more than taken
    const long nameMax = ::pathconf(folderOrCurrent(*native), _PC_NAME_MAX);
    listing.nameMax = nameMax > 0 ? static_cast<int>(nameMax) : listing.nameMax;
    return listing;
}

std::optional<FolderContents> LinuxFileSystem::folderContents(const QByteArray& folder) const {
    DIR* dir = ::opendir(folderOrCurrent(folder));
    if (dir == nullptr) {
        return std::nullopt;
    }
    FolderContents contents;
    contents.complete = forEachEntryOf(dir, [&contents](int fd, const dirent& entry) {
        if (!isHidden(entry.d_name)) {
            (isFolderEntry(fd, entry) ? contents.folders : contents.files) << entry.d_name;
        }
        return true;
    });
    return contents;
}

NameLookup LinuxFileSystem::lookup(const QString& folder, const QString& name) const {
    const std::optional<QByteArray> nativeFolder = nativePath(folder);
    std::string native;
    if (!nativeFolder || !nativeName(name, native)) {
        return {false, std::nullopt, false};
    }
    native.insert(0, nativeFolder->constData(), static_cast<size_t>(nativeFolder->size()));
    if (const std::optional<struct statx> entry = entryAt(AT_FDCWD, native.c_str())) {
        return {true, identityOf(*entry), S_ISDIR(entry->stx_mode)};
    }
    return {errno == ENOENT || errno == ENAMETOOLONG, std::nullopt, false};
}

std::optional<QString> LinuxFileSystem::findByIdentity(const QString& folder,
                                                       const FileIdentity& identity) const {
    const std::optional<QByteArray> native = nativePath(folder);
    std::optional<QString> found;
    if (!native) {
        return found;
    }
    // The listing's inode numbers spare a stat per entry; some FUSE file systems give other
    // numbers there than stat does, so a second pass asks every entry.
    for (const bool byListedInode : {true, false}) {
        forEachEntry(*native, [&](int fd, const dirent& entry) {
            if ((!byListedInode || entry.d_ino == identity.inode) &&
                isFile(identityAt(fd, entry.d_name), identity)) {
                found = QFile::decodeName(entry.d_name);
                return false;
            }
            return true;
        });
        if (found) {
            break;
        }
    }
    return found;
}

std::optional<FolderStamp> LinuxFileSystem::folderStamp(const QString& folder) const {
    const std::optional<QByteArray> native = nativePath(folder);
    struct stat st;
    if (!native || ::stat(folderOrCurrent(*native), &st) != 0) {
        return std::nullopt;
    }
    return FolderStamp{st.st_dev, st.st_ino,
                       qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

FileSystem& hostFileSystem() {
    static LinuxFileSystem fileSystem;
    return fileSystem;
}

qint64 fileSystemClockNs() {
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}
