#pragma once

#include <QHashFunctions>
#include <QString>
#include <future>
#include <optional>
#include <unordered_map>

#include "filesystem/file_system.h"

// Folder indexes kept from one pass to the next, so that an unchanged folder costs one stat
// instead of a full read; within a pass (a fill and the check after it) a folder is read once.
// A folder changed so recently that a later change could leave its stamp as it is is read again
// in every pass.
class FolderIndexCache {
  public:
    enum class Keeping {
        AcrossPasses,
        OnePass,  // for a program that makes one pass: its end lets every listing go
    };
    explicit FolderIndexCache(Keeping keeping = Keeping::AcrossPasses) : m_keeping(keeping) {}

    bool isEmpty() const { return m_entries.empty(); }

    const FolderListing& index(const QString& folder, const FileSystem& fileSystem);
    // Starts reading folder on a thread of its own for the index() of it to come, so that the
    // caller can do other work meanwhile; the file system must bear reads from two threads.
    void readAhead(const QString& folder, const FileSystem& fileSystem);
    // Ends a pass: forgets the folders not asked for in it, or every folder after one pass.
    void dropUnused();

  private:
    struct Entry {
        std::optional<FolderStamp> stamp;
        FolderListing listing;
        bool reusable = false;
        bool used = false;  // asked for in this pass
    };
    static Entry read(const QString& folder, const FileSystem& fileSystem,
                      const std::optional<FolderStamp>& stamp);

    Keeping m_keeping;
    std::unordered_map<QString, Entry> m_entries;  // references stay valid as folders are added
    QString m_aheadFolder;
    std::future<Entry> m_ahead;
};
