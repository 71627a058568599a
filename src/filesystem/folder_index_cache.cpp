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
    if (m_ahead.valid() && folder == m_aheadFolder) {
        entry = m_ahead.get();
    } else if (const std::optional<FolderStamp> stamp = fileSystem.folderStamp(folder);
               !entry.reusable || entry.stamp != stamp) {
        entry = read(folder, fileSystem, stamp);
    }
    entry.used = true;
    return entry.listing;
}

void FolderIndexCache::readAhead(const QString& folder, const FileSystem& fileSystem) {
    if (m_entries.contains(folder) || m_ahead.valid()) {
        return;  // known already, or another read under way
    }
    m_aheadFolder = folder;
    m_ahead = std::async(std::launch::async, [folder, &fileSystem] {
        return read(folder, fileSystem, fileSystem.folderStamp(folder));
    });
}

FolderIndexCache::Entry FolderIndexCache::read(const QString& folder, const FileSystem& fileSystem,
                                               const std::optional<FolderStamp>& stamp) {
    Entry entry;
    entry.stamp = stamp;
    const qint64 readStartNs = QDateTime::currentMSecsSinceEpoch() * 1'000'000;
    entry.listing = fileSystem.readFolder(folder);
    // A folder not listed whole is asked name by name in every check.
    entry.reusable = entry.listing.complete && entry.stamp &&
                     entry.stamp->modifiedNs < readStartNs - kRacyStampNs;
    return entry;
}

void FolderIndexCache::dropUnused() {
    m_ahead = {};  // a read ahead of a folder no one asked for
    if (m_keeping == Keeping::OnePass) {
        m_entries.clear();
        return;
    }
    std::erase_if(m_entries, [](const auto& item) { return !item.second.used; });
    for (auto& item : m_entries) {
        item.second.used = false;
    }
}
