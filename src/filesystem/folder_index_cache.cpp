#include "filesystem/folder_index_cache.h"

#include <QDateTime>
#include <utility>

namespace {

// Coarse file-system clocks (FAT keeps two seconds) must not hide a change behind an equal stamp.
constexpr qint64 kRacyStampNs = 3'000'000'000;

}  // namespace

const FolderListing& FolderIndexCache::index(const QString& folder, const FileSystem& fileSystem) {
    Entry& entry = m_entries[folder];
    if (std::exchange(entry.used, true)) {
        return entry.listing;
    }
    const std::optional<FolderStamp> stamp = fileSystem.folderStamp(folder);
    if (entry.reusable && entry.stamp == stamp) {
        return entry.listing;
    }
    const qint64 readStartNs = QDateTime::currentMSecsSinceEpoch() * 1'000'000;
    entry.listing = fileSystem.readFolder(folder);
    entry.stamp = stamp;
    // A folder not listed whole is asked name by name in every check.
    entry.reusable =
        entry.listing.complete && stamp && stamp->modifiedNs < readStartNs - kRacyStampNs;
    return entry.listing;
}

void FolderIndexCache::dropUnused() {
    std::erase_if(m_entries, [](const auto& item) { return !item.second.used; });
    for (auto& item : m_entries) {
        item.second.used = false;
    }
}
