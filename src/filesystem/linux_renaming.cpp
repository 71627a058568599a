#include "filesystem/linux_file_system.h"

#include <QFile>

#include "filesystem/capitals.h"
#include "filesystem/linux_entries.h"
#include "filesystem/temporary_name.h"

#include <linux/magic.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <cerrno>

namespace {

constexpr int kTemporaryNameAttempts = 100;

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
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const QByteArray temporary = QFile::encodeName(temporaryName());
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

// Each thread keeps its own open folder and names.
std::unique_ptr<FileSystem> LinuxFileSystem::renamerForSecondThread() {
    return std::make_unique<LinuxFileSystem>();
}

// On a disk's file system each renaming in a folder also waits for its journal: a second thread
// in the same folder only slows the first.
bool LinuxFileSystem::renamesSideBySide(const QString& folder) const {
    const std::optional<QByteArray> native = nativePath(folder);
    struct statfs facts;
    return native && ::statfs(folderOrCurrent(*native), &facts) == 0 &&
           (facts.f_type == TMPFS_MAGIC || facts.f_type == RAMFS_MAGIC);
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
