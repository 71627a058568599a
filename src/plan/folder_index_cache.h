#pragma once

#include <QHashFunctions>
#include <QString>
#include <optional>
#include <unordered_map>

#include "filesystem/file_system.h"

// Folder indexes kept from one check to the next, so that an unchanged folder costs one stat
// instead of a full read. A folder changed so recently that a later change could leave its
// stamp as it is is read again every time.
class FolderIndexCache {
  public:
    const FolderListing& index(const QString& folder, const FileSystem& fileSystem);
    // Forgets the folders not asked for since the last call.
    void dropUnused();

  private:
    struct Entry {
        std::optional<FolderStamp> stamp;
        FolderListing listing;
        bool reusable = false;
        bool used = true;
    };
    std::unordered_map<QString, Entry> m_entries;  // references stay valid as folders are added
};
