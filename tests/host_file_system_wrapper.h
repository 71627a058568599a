#pragma once

#include "plan/linux_file_system.h"

// The host's file system, for tests that meddle with some of its operations.
class HostFileSystemWrapper : public FileSystem {
  public:
    std::optional<PathFacts> statPath(const QString& path) const override {
        return hostFileSystem().statPath(path);
    }
    QString storedName(const QString& path) const override {
        return hostFileSystem().storedName(path);
    }
    FolderIndex readFolder(const QString& folder) const override {
        return hostFileSystem().readFolder(folder);
    }
    std::optional<FolderStamp> folderStamp(const QString& folder) const override {
        return hostFileSystem().folderStamp(folder);
    }
    RenameOutcome rename(const QString& from, const QString& to) override {
        return hostFileSystem().rename(from, to);
    }
};
