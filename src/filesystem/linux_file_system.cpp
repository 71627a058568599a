#include "filesystem/linux_file_system.h"

#include <QFile>
#include <algorithm>

#include "filesystem/capitals.h"
#include "filesystem/native_text.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <ctime>

namespace {

constexpr int kTemporaryNameAttempts = 100;
constexpr qsizetype kBytesPerEntry = 20;
constexpr qsizetype kMostReserved = 1 << 20;

// The path as the kernel takes it; nothing when an embedded NUL would cut it short and so name
// another file.
std::optional<QByteArray> nativePath(const QString& path) {
    QByteArray native = QFile::encodeName(path);
    if (native.contains('\0')) {
        return std::nullopt;
    }
    return native;
}

// A bare name as the kernel takes it, written into bytes, whose room is kept from one renaming
// to the next; false for a name that is empty or would reach another folder.
bool nativeName(QStringView name, std::string& bytes) {
    bytes.clear();
    appendNative(bytes, name);
    bool reachesElsewhere = false;
    for (const char c : bytes) {
        reachesElsewhere |= c == '/' || c == '\0';
    }
    return !bytes.empty() && !reachesElsewhere && bytes != "." && bytes != "..";
}

const char* folderOrCurrent(const QByteArray& folder) {
    return folder.isEmpty() ? "." : folder.constData();
}

// Length of the folder part including its final "/"; 0 for a bare name.
qsizetype folderLength(const QByteArray& path) {
    return path.lastIndexOf('/') + 1;
}

bool isHidden(const char* name) {
    return name[0] == '.';
}

// Device and inode alone name a file only while it lives: a new file may get the inode of one
// deleted meanwhile. Its birth time, where the file system keeps one, tells them apart.
FileIdentity identityOf(const struct statx& sx) {
    const bool born = (sx.stx_mask & STATX_BTIME) != 0;
    return FileIdentity{
        makedev(sx.stx_dev_major, sx.stx_dev_minor), sx.stx_ino,
        static_cast<quint32>(sx.stx_mode & S_IFMT),
        born ? qint64(sx.stx_btime.tv_sec) * 1'000'000'000 + sx.stx_btime.tv_nsec : 0};
}

// The entry itself, a symbolic link not followed; nothing with errno set when there is none.
std::optional<struct statx> entryAt(int folderFd, const char* path) {
    struct statx sx;
    if (::statx(folderFd, path, AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0) {
        return std::nullopt;
    }
    return sx;
}

std::optional<FileIdentity> identityAt(int folderFd, const char* path) {
    const std::optional<struct statx> sx = entryAt(folderFd, path);
    return sx ? std::optional(identityOf(*sx)) : std::nullopt;
}

bool isFile(const std::optional<FileIdentity>& found, const FileIdentity& identity) {
    return found && identity.matches(*found);
}

// Any entry but a folder blocks a rename to its name, so links, fifos and devices count as
// ordinary files; the entry itself decides, not what a link points to.
bool isOrdinaryEntry(int folderFd, const dirent& entry) {
    if (isHidden(entry.d_name)) {
        return false;  // also "." and ".."
    }
    if (entry.d_type != DT_UNKNOWN) {
        return entry.d_type != DT_DIR;
    }
    struct stat st;
    return ::fstatat(folderFd, entry.d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISDIR(st.st_mode);
}

// Calls visit(fd, entry) for every entry of folder in directory order until it returns false;
// false when the folder cannot be read to its end.
template <typename Visit>
bool forEachEntry(const QByteArray& folder, Visit visit) {
    DIR* dir = ::opendir(folderOrCurrent(folder));
    if (dir == nullptr) {
        return false;
    }
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

RenameFailure failureOf(int error) {
    switch (error) {
        case EEXIST:
        case ENOTEMPTY:
            return RenameFailure::TargetExists;
        case EACCES:
        case EPERM:
        case EROFS:
            return RenameFailure::AccessDenied;
        case ENAMETOOLONG:
            return RenameFailure::NameTooLong;
        case ENOENT:
            return RenameFailure::SourceChanged;
        case ENOTSUP:
            return RenameFailure::NotSupported;
        default:
            return RenameFailure::Other;
    }
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

int LinuxFileSystem::renameExclusive(int folderFd, const char* from, const char* to) {
    return ::renameat2(folderFd, from, folderFd, to, RENAME_NOREPLACE) == 0 ? 0 : errno;
}

bool LinuxFileSystem::reachesFile(int folderFd, const char* name, const FileIdentity& file) {
    return isFile(identityAt(folderFd, name), file);
}

int LinuxFileSystem::linkExclusive(int folderFd, const char* from, const char* to) {
    return ::linkat(folderFd, from, folderFd, to, 0) == 0 ? 0 : errno;
}

int LinuxFileSystem::renameNoReplace(int fd, const char* from, const char* to,
                                     const FileIdentity& identity, bool& oldNameTaken) {
    const int error = renameExclusive(fd, from, to);
    if (error != EINVAL && error != ENOSYS) {
        return error;
    }
    // The file system refuses the flag (network and FUSE ones): a hard link under the new name
    // is refused atomically when the name is taken, and the old name goes after. One without
    // hard links cannot rename without the risk of replacing, so it does not.
    if (const int linkError = linkExclusive(fd, from, to); linkError != 0) {
        return linkError == EEXIST || linkError == EACCES || linkError == ENAMETOOLONG ||
                       linkError == ENOENT
                   ? linkError
                   : ENOTSUP;
    }
    // Another program may have saved a file of its own under the old name since the link; only
    // the file that was renamed loses that name. Nothing but this comparison lies between the
    // look and the unlink.
    const std::optional<FileIdentity> underOldName = identityAt(fd, from);
    if (!underOldName) {
        return 0;  // the old name is gone already
    }
    if (!identity.matches(*underOldName)) {
        oldNameTaken = true;
        return 0;
    }
    if (::unlinkat(fd, from, 0) != 0) {
        const int unlinkError = errno;
        if (isFile(identityAt(fd, to), identity)) {
            ::unlinkat(fd, to, 0);  // our own link: the file keeps its old name
        }
        return unlinkError;
    }
    return 0;
}

// A change of letter case on a file system that ignores it: the new name is taken by the file
// itself, so the file steps aside under a free name of the same folder first.
RenameResult LinuxFileSystem::renameThroughTemporary(int fd, const std::string& from,
                                                     const std::string& to,
                                                     const FileIdentity& identity) {
    static unsigned serial = 0;
    const QByteArray prefix = "taufix-" + QByteArray::number(::getpid()) + '-';
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const QByteArray temporary = prefix + QByteArray::number(++serial) + ".tmp";
        RenameResult result;
        const int error =
            renameNoReplace(fd, from.c_str(), temporary.constData(), identity, result.oldNameTaken);
        if (error == EEXIST) {
            continue;
        }
        if (error != 0) {
            return {failureOf(error), {}};
        }
        bool taken = false;
        const int onward = renameNoReplace(fd, temporary.constData(), to.c_str(), identity, taken);
        if (onward == 0) {
            return result;
        }
        // Should even the way back fail, the file stays whole under the temporary name.
        const bool back =
            !result.oldNameTaken &&
            renameNoReplace(fd, temporary.constData(), from.c_str(), identity, taken) == 0;
        result.failure = failureOf(onward);
        result.temporaryName = back ? QString() : QFile::decodeName(temporary);
        return result;
    }
    return {RenameFailure::Other, {}};
}

int LinuxFileSystem::folderDescriptor(QStringView folder, bool afresh) {
    if (!afresh && m_openFolderFd >= 0 && folder == m_openFolder) {
        return m_openFolderFd;
    }
    if (m_openFolderFd >= 0) {
        ::close(m_openFolderFd);
    }
    m_openFolder = folder.toString();
    const std::optional<QByteArray> native = nativePath(m_openFolder);
    m_openFolderFd =
        native ? ::open(folderOrCurrent(*native), O_PATH | O_DIRECTORY | O_CLOEXEC) : -1;
    if (!native) {
        errno = ENOENT;  // no folder bears a name with a NUL
    }
    return m_openFolderFd;
}

RenameResult LinuxFileSystem::rename(QStringView folder, QStringView from, QStringView to,
                                     const FileIdentity& identity) {
    std::string& source = m_source;
    std::string& target = m_target;
    if (!nativeName(from, source)) {
        return {RenameFailure::SourceChanged, {}};
    }
    if (!nativeName(to, target)) {
        return {RenameFailure::Other, {}};
    }
    int fd = folderDescriptor(folder);
    // The file the list names must still be the one it listed; a folder opened for an earlier
    // renaming may have been replaced under its path since, so it is opened afresh once.
    std::optional<FileIdentity> found = fd < 0 ? std::nullopt : identityAt(fd, source.c_str());
    if (!isFile(found, identity)) {
        fd = folderDescriptor(folder, true);
        found = fd < 0 ? std::nullopt : identityAt(fd, source.c_str());
    }
    if (fd < 0) {
        return {failureOf(errno), {}};
    }
    if (!found && errno != ENOENT && errno != ENOTDIR) {
        return {failureOf(errno), {}};  // the folder may no longer be searched, say
    }
    if (!isFile(found, identity)) {
        return {RenameFailure::SourceChanged, {}};
    }
    if (source == target) {
        return {};
    }
    // From here on the file is the one read now, birth time and all.
    RenameResult result;
    const int error =
        renameNoReplace(fd, source.c_str(), target.c_str(), *found, result.oldNameTaken);
    // A taken name may be taken by the file itself, on a file system that ignores letter case.
    if (error == EEXIST && sameCapitals(from, to) && reachesFile(fd, target.c_str(), *found)) {
        result = renameThroughTemporary(fd, source, target, *found);
    } else if (error != 0) {
        result.failure = failureOf(error);
    }
    result.bornNs = result.renamed() ? found->bornNs : 0;
    return result;
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
