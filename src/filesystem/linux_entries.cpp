#include "filesystem/linux_entries.h"

#include <QFile>

#include "filesystem/native_text.h"

#include <sys/sysmacros.h>

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
