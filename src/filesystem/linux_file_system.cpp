#include "filesystem/linux_file_system.h"

#include <QFile>

#include "filesystem/capitals.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <ctime>

namespace {

constexpr int kTemporaryNameAttempts = 100;

// The path as the kernel takes it; nothing when an embedded NUL would cut it short and so name
// another file.
std::optional<QByteArray> nativePath(const QString& path) {
    QByteArray native = QFile::encodeName(path);
    if (native.contains('\0')) {
        return std::nullopt;
    }
    return native;
}

// Length of the folder part including its final "/"; 0 for a bare name.
qsizetype folderLength(const QByteArray& path) {
    return path.lastIndexOf('/') + 1;
}

bool isHidden(const char* name) {
    return name[0] == '.';
}

bool sameEntry(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
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

// Calls visit(name) for every ordinary entry of folder in directory order until it returns
// false; false when the folder cannot be read to its end.
template <typename Visit>
bool forEachOrdinaryEntry(const QByteArray& folder, Visit visit) {
    DIR* dir = ::opendir(folder.isEmpty() ? "." : folder.constData());
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
        if (isOrdinaryEntry(fd, *entry) && !visit(entry->d_name)) {
            break;
        }
    }
    ::closedir(dir);
    return complete;
}

// Whether the folder of path also finds the file under another spelling of its name, which
// only a file system that ignores letter case does (or a hard link, which the scan sorts out).
bool foundUnderOtherCase(const QByteArray& path, qsizetype nameStart, const struct stat& found) {
    const QString name = QFile::decodeName(path.mid(nameStart));
    QString variant = capitals(name);
    if (variant == name) {
        variant = name.toLower();
    }
    if (variant == name) {
        return false;
    }
    const QByteArray other = path.left(nameStart) + QFile::encodeName(variant);
    struct stat st;
    return ::lstat(other.constData(), &st) == 0 && sameEntry(st, found);
}

// rename(2) that never replaces: 0 or the errno of the failure.
int renameNoReplace(const char* from, const char* to) {
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errno;
    }
    // The file system refuses the flag (some network and FUSE ones): check, then rename. A file
    // created under the new name between the two steps would be replaced; no safer call is left.
    struct stat st;
    if (::lstat(to, &st) == 0) {
        return EEXIST;
    }
    if (errno != ENOENT) {
        return errno;
    }
    return ::rename(from, to) == 0 ? 0 : errno;
}

// A change of letter case on a file system that ignores it: the new name is taken by the file
// itself, so the file steps aside under a free name of the same folder first.
RenameOutcome renameThroughTemporary(const QByteArray& from, const QByteArray& to) {
    static unsigned serial = 0;
    const QByteArray prefix =
        from.left(folderLength(from)) + "taufix-" + QByteArray::number(::getpid()) + '-';
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const QByteArray temporary = prefix + QByteArray::number(++serial) + ".tmp";
        const int error = renameNoReplace(from.constData(), temporary.constData());
        if (error == EEXIST) {
            continue;
        }
        if (error != 0) {
            return RenameOutcome::Failed;
        }
        if (renameNoReplace(temporary.constData(), to.constData()) == 0) {
            return RenameOutcome::Renamed;
        }
        // Should even the way back fail, the file stays whole under the temporary name.
        renameNoReplace(temporary.constData(), from.constData());
        return RenameOutcome::Failed;
    }
    return RenameOutcome::Failed;
}

}  // namespace

std::optional<PathFacts> LinuxFileSystem::statPath(const QString& path) const {
    const std::optional<QByteArray> native = nativePath(path);
    struct stat st;
    if (!native || ::stat(native->constData(), &st) != 0) {
        return std::nullopt;
    }
    // localtime_r rather than Qt's conversion: fills ask from several threads at once, and
    // Qt's serialises them on a lock.
    struct tm local;
    if (::localtime_r(&st.st_mtime, &local) == nullptr) {
        return PathFacts{S_ISDIR(st.st_mode), st.st_size, LocalTime{}};
    }
    return PathFacts{S_ISDIR(st.st_mode), st.st_size,
                     LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                               local.tm_min, local.tm_sec}};
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
    const QByteArray nativeName = native->mid(nameStart);
    struct stat st;
    if (::lstat(native->constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            return {};
        }
        if (!foundUnderOtherCase(*native, nameStart, st)) {
            return QFile::decodeName(nativeName);
        }
    }
    // No entry of exactly this name, or one the folder also finds under another spelling.
    const QString wanted = capitals(QFile::decodeName(nativeName));
    QString match;
    forEachOrdinaryEntry(native->left(nameStart), [&](const char* entry) {
        if (nativeName == entry) {
            match = QFile::decodeName(nativeName);
            return false;
        }
        if (match.isEmpty()) {
            QString name = QFile::decodeName(entry);
            if (capitals(name) == wanted) {
                match = std::move(name);
            }
        }
        return true;
    });
    return match;
}

FolderIndex LinuxFileSystem::readFolder(const QString& folder) const {
    FolderIndex index;
    const std::optional<QByteArray> native = nativePath(folder);
    if (!native) {
        return index;
    }
    const bool complete = forEachOrdinaryEntry(*native, [&index](const char* entry) {
        const QString name = QFile::decodeName(entry);
        const auto [stored, added] = index.insert(capitals(name), name);
        if (!added && *stored != name) {
            stored->clear();  // several spellings of one name
        }
        return true;
    });
    // Half an index would hide clashes as surely as none.
    return complete ? index : FolderIndex();
}

std::optional<FolderStamp> LinuxFileSystem::folderStamp(const QString& folder) const {
    const std::optional<QByteArray> native = nativePath(folder);
    struct stat st;
    if (!native || ::stat(native->isEmpty() ? "." : native->constData(), &st) != 0) {
        return std::nullopt;
    }
    return FolderStamp{st.st_dev, st.st_ino,
                       qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

RenameOutcome LinuxFileSystem::rename(const QString& from, const QString& to) {
    const std::optional<QByteArray> source = nativePath(from);
    const std::optional<QByteArray> target = nativePath(to);
    if (!source || !target) {
        return RenameOutcome::Failed;
    }
    // A "/" in the new name would move the file into another folder.
    const qsizetype nameStart = folderLength(*source);
    if (nameStart == source->size() || target->size() == nameStart ||
        target->left(folderLength(*target)) != source->left(nameStart)) {
        return RenameOutcome::Failed;
    }
    struct stat sourceStat;
    if (*source == *target) {
        return ::lstat(source->constData(), &sourceStat) == 0 ? RenameOutcome::Renamed
                                                              : RenameOutcome::Failed;
    }
    const int error = renameNoReplace(source->constData(), target->constData());
    if (error == 0) {
        return RenameOutcome::Renamed;
    }
    // A taken name may be taken by the file itself, on a file system that ignores letter case.
    struct stat targetStat;
    if (error != EEXIST || capitals(from) != capitals(to) ||
        ::lstat(source->constData(), &sourceStat) != 0 ||
        ::lstat(target->constData(), &targetStat) != 0 || !sameEntry(sourceStat, targetStat)) {
        return RenameOutcome::Failed;
    }
    return renameThroughTemporary(*source, *target);
}

FileSystem& hostFileSystem() {
    static LinuxFileSystem fileSystem;
    return fileSystem;
}
