#pragma once

#include "filesystem/file_system.h"

// The file system of a Linux host: "/" separates, a name beginning with "." is hidden, and
// names are compared ignoring letter case only where the file system itself does so.
class LinuxFileSystem : public FileSystem {
  public:
    std::optional<PathFacts> statPath(const QString& path) const override;
    QString storedName(const QString& path) const override;
    FolderIndex readFolder(const QString& folder) const override;
    std::optional<FolderStamp> folderStamp(const QString& folder) const override;
    RenameOutcome rename(const QString& from, const QString& to) override;
};
