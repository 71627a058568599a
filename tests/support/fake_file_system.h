#pragma once

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <functional>
#include <mutex>

#include "filesystem/capitals.h"
#include "filesystem/linux_file_system.h"

// The host's file system with hooks a test sets to meddle with a renaming, as another program
// or another kind of file system would, and a record of what was asked of it.
class FakeFileSystem : public LinuxFileSystem {
  public:
    FolderListing readFolder(const QString& folder) const override {
        ++folderReads;
        return LinuxFileSystem::readFolder(folder);
    }
    std::optional<FolderContents> folderContents(const QByteArray& folder) const override {
        std::optional<FolderContents> contents = LinuxFileSystem::folderContents(folder);
        if (contents && brokenFolders.contains(folder)) {
            contents->complete = false;
        }
        return contents;
    }
    RenameResult rename(QStringView folder, QStringView from, QStringView to,
                        const FileIdentity& identity) override {
        // A second thread's renamings come here too, one at a time, hooks and all.
        const std::lock_guard lock(m_renaming);
        renamed << from.toString();
        const QString source = folder.toString() + from.toString();
        const QString target = folder.toString() + to.toString();
        if (beforeRename) {
            beforeRename(source, target);
        }
        if (refuseRename && refuseRename(source, target)) {
            return {RenameFailure::AccessDenied, {}};
        }
        return LinuxFileSystem::rename(folder, from, to, identity);
    }

    std::unique_ptr<FileSystem> renamerForSecondThread() override {
        return secondThread ? std::make_unique<SecondThread>(*this) : nullptr;
    }
    bool renamesSideBySide(const QString&) const override { return secondThread; }

    // Whether a run may rename on a second thread, through this file system too.
    bool secondThread = false;
    // Runs just before each renaming, with the full paths.
    std::function<void(const QString& from, const QString& to)> beforeRename;
    // Fails a renaming without touching the file, as a denied access would.
    std::function<bool(const QString& from, const QString& to)> refuseRename;
    // Runs once the file has its new name as a hard link, before it loses the old one.
    std::function<void(const QString& from)> afterLink;
    // Folders whose reading fails before their end, as on a failing disk.
    QByteArrayList brokenFolders;
    // As network and FUSE file systems do, refuse renamings that must not replace.
    bool refusesNoReplaceFlag = false;
    // As a file system that ignores letter case would, a name is taken by any spelling of it.
    bool ignoresCase = false;
    QStringList renamed;  // the names of the sources, in the order asked
    mutable int folderReads = 0;

  protected:
    int renameExclusive(int folderFd, const char* from, const char* to) override {
        if (refusesNoReplaceFlag) {
            return EINVAL;
        }
        return ignoresCase && spelling(folderFd, to)
                   ? EEXIST
                   : LinuxFileSystem::renameExclusive(folderFd, from, to);
    }
    int linkExclusive(int folderFd, const char* from, const char* to) override {
        const int error = LinuxFileSystem::linkExclusive(folderFd, from, to);
        if (error == 0 && afterLink) {
            afterLink(folderPath(folderFd) + QFile::decodeName(from));
        }
        return error;
    }
    bool reachesFile(int folderFd, const char* name, const FileIdentity& file) override {
        const std::optional<QString> stored = ignoresCase ? spelling(folderFd, name) : std::nullopt;
        return stored ? LinuxFileSystem::reachesFile(folderFd,
                                                     QFile::encodeName(*stored).constData(), file)
                      : LinuxFileSystem::reachesFile(folderFd, name, file);
    }

  private:
    // Hands every call to the file system it belongs to.
    class SecondThread : public FileSystem {
      public:
        explicit SecondThread(FakeFileSystem& first) : m_first(first) {}
        std::optional<PathFacts> statPath(const QString& path) const override {
            return m_first.statPath(path);
        }
        QString storedName(const QString& path) const override { return m_first.storedName(path); }
        FolderListing readFolder(const QString& folder) const override {
            return m_first.readFolder(folder);
        }
        std::optional<FolderContents> folderContents(const QByteArray& folder) const override {
            return m_first.folderContents(folder);
        }
        NameLookup lookup(const QString& folder, const QString& name) const override {
            return m_first.lookup(folder, name);
        }
        std::optional<QString> findByIdentity(const QString& folder,
                                              const FileIdentity& identity) const override {
            return m_first.findByIdentity(folder, identity);
        }
        std::optional<FolderStamp> folderStamp(const QString& folder) const override {
            return m_first.folderStamp(folder);
        }
        RenameResult rename(QStringView folder, QStringView from, QStringView to,
                            const FileIdentity& identity) override {
            return m_first.rename(folder, from, to, identity);
        }

      private:
        FakeFileSystem& m_first;
    };

    static QString folderPath(int folderFd) {
        return QFileInfo(QStringLiteral("/proc/self/fd/%1").arg(folderFd)).symLinkTarget() + u'/';
    }
    // The name under which the folder stores name in any spelling.
    static std::optional<QString> spelling(int folderFd, const char* name) {
        const QString wanted = capitals(QFile::decodeName(name));
        for (const QString& entry :
             QDir(folderPath(folderFd)).entryList(QDir::AllEntries | QDir::Hidden)) {
            if (capitals(entry) == wanted) {
                return entry;
            }
        }
        return std::nullopt;
    }

    std::mutex m_renaming;
};

// Puts a file of this content under the target name of the renaming of source, just before it.
inline std::function<void(const QString&, const QString&)> blockTarget(const QString& sourceName,
                                                                       QByteArray content) {
    return [sourceName, content](const QString& from, const QString& to) {
        if (QFileInfo(from).fileName() == sourceName) {
            QFile blocker(to);
            blocker.open(QIODevice::WriteOnly);
            blocker.write(content);
        }
    };
}
