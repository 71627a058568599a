#pragma once

#include <QByteArray>
#include <string>

#include "filesystem/file_system.h"

// The file system of a Linux host: "/" separates, a name beginning with "." is hidden, and
// names are compared ignoring letter case only where the file system itself does so. Renamings
// happen relative to the folder opened once, with the bare names.
class LinuxFileSystem : public FileSystem {
  public:
    LinuxFileSystem() = default;
    LinuxFileSystem(const LinuxFileSystem&) = delete;
    LinuxFileSystem& operator=(const LinuxFileSystem&) = delete;
    ~LinuxFileSystem() override;

    std::optional<PathFacts> statPath(const QString& path) const override;
    QString storedName(const QString& path) const override;
    FolderListing readFolder(const QString& folder) const override;
    std::optional<FolderContents> folderContents(const QByteArray& folder) const override;
    NameLookup lookup(const QString& folder, const QString& name) const override;
    std::optional<QString> findByIdentity(const QString& folder,
                                          const FileIdentity& identity) const override;
    std::optional<FolderStamp> folderStamp(const QString& folder) const override;
    RenameResult rename(QStringView folder, QStringView from, QStringView to,
                        const FileIdentity& identity) override;
    std::unique_ptr<FileSystem> renamerForSecondThread() override;
    bool renamesSideBySide(const QString& folder) const override;

  protected:
    // renameat2 with RENAME_NOREPLACE: 0, or the errno of its failure. Network and FUSE file
    // systems may refuse the flag with EINVAL.
    virtual int renameExclusive(int folderFd, const char* from, const char* to);
    // linkat without following links: 0, or the errno of its failure.
    virtual int linkExclusive(int folderFd, const char* from, const char* to);
    // Whether name in the folder reaches file itself, as another spelling of its name does where
    // the file system ignores letter case.
    virtual bool reachesFile(int folderFd, const char* name, const FileIdentity& file);

  private:
    // The descriptor of folder, opened once for the renamings in it, or afresh; -1 when it cannot
    // be opened.
    int folderDescriptor(QStringView folder, bool afresh = false);
    // A renaming of the file of identity that never replaces, also where the file system refuses
    // the flag; oldNameTaken tells that another file took the old name meanwhile.
    int renameNoReplace(int folderFd, const char* from, const char* to,
                        const FileIdentity& identity, bool& oldNameTaken);
    RenameResult renameThroughTemporary(int folderFd, const std::string& from,
                                        const std::string& to, const FileIdentity& identity);

    QString m_openFolder;
    int m_openFolderFd = -1;
    std::string m_source;  // the names of the renaming at hand, their room kept for the next
    std::string m_target;
};
