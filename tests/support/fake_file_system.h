#pragma once

#include <QFileInfo>
#include <functional>

#include "filesystem/linux_file_system.h"

// The host's file system with hooks a test sets to meddle with a renaming, and a record of what
// was asked of it.
class FakeFileSystem : public FileSystem {
  public:
    std::optional<PathFacts> statPath(const QString& path) const override {
        return m_host.statPath(path);
    }
    QString storedName(const QString& path) const override { return m_host.storedName(path); }
    FolderIndex readFolder(const QString& folder) const override {
        ++folderReads;
        return m_host.readFolder(folder);
    }
    std::optional<FolderStamp> folderStamp(const QString& folder) const override {
        return m_host.folderStamp(folder);
    }
    RenameOutcome rename(const QString& from, const QString& to) override {
        renamed << QFileInfo(from).fileName();
        if (beforeRename) {
            beforeRename(from, to);
        }
        if (refuseRename && refuseRename(from, to)) {
            return RenameOutcome::Failed;
        }
        return m_host.rename(from, to);
    }

    // Runs just before each renaming, as another program might.
    std::function<void(const QString& from, const QString& to)> beforeRename;
    // Fails a renaming without touching the file, as a denied access would.
    std::function<bool(const QString& from, const QString& to)> refuseRename;
    QStringList renamed;  // the names of the sources, in the order asked
    mutable int folderReads = 0;

  private:
    LinuxFileSystem m_host;
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
