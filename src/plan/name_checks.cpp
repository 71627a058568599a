#include "plan/name_checks.h"

#include <QDateTime>

#include "engine/capitals.h"
#include "list/file_list.h"

namespace {

// Coarse file-system clocks (FAT keeps two seconds) must not hide a change behind an equal stamp.
constexpr qint64 kRacyStampNs = 3'000'000'000;

bool isBlank(const QString& name) {
    for (QChar c : name) {
        if (c != u' ') {
            return false;
        }
    }
    return true;
}

bool holdsSeparator(const QString& name) {
    return name.contains(u'/') || name.contains(QChar(u'\0'));
}

// Whether another file of the folder already bears the new name. A change of letter case alone
// never clashes with the entry's own file, but does with a different file spelled that way.
bool clashes(const FileEntry& entry, const QString& upperNew, const FolderIndex& folder) {
    if (entry.NeuerName == entry.AlterName) {
        return false;
    }
    const QString* found = folder.find(upperNew);
    if (found == nullptr) {
        return false;
    }
    return *found != entry.AlterName || upperNew != capitals(entry.AlterName);
}

// What the pass keeps for the folder of the entries it is walking through.
struct FolderState {
    const FolderIndex* index = nullptr;
    NameTable* targets = nullptr;  // new names in capitals, shared by spellings of the folder
};

}  // namespace

QString NameChecks::firstFailure() const {
    if (!NamesUnique) {
        return QStringLiteral(
            "Fehler: Die neuen Dateinamen sind nicht alle eindeutig - überprüfen Sie die Maske!");
    }
    if (!NoClash) {
        return QStringLiteral(
            "Fehler: Einige neue Namen überschneiden sich mit denen existierender Dateien!");
    }
    if (!NoTypeOnlyName) {
        return QStringLiteral("Fehler: Es gibt Namen, die nur aus einer Typenkennung bestehen!");
    }
    if (!NoBlankName) {
        return QStringLiteral(
            "Fehler: Es gibt Namen, die nur aus Leerzeichen oder gar keinen Zeichen bestehen!");
    }
    if (!NoSeparator) {
        return QStringLiteral("Fehler: Es gibt Namen, die ein Ordner-Trennzeichen enthalten!");
    }
    return QString();
}

const FolderIndex& FolderIndexCache::index(const QString& folder, const FileSystem& fileSystem) {
    const std::optional<FolderStamp> stamp = fileSystem.folderStamp(folder);
    Entry& entry = m_entries[folder];
    entry.used = true;
    if (entry.reusable && entry.stamp == stamp) {
        return entry.index;
    }
    const qint64 readStartNs = QDateTime::currentMSecsSinceEpoch() * 1'000'000;
    entry.index = fileSystem.readFolder(folder);
    entry.stamp = stamp;
    entry.reusable = stamp && stamp->modifiedNs < readStartNs - kRacyStampNs;
    return entry.index;
}

void FolderIndexCache::dropUnused() {
    std::erase_if(m_entries, [](const auto& item) { return !item.second.used; });
    for (auto& item : m_entries) {
        item.second.used = false;
    }
}

NameChecks checkNames(const FileList& list, const FileSystem& fileSystem, FolderIndexCache& cache) {
    NameChecks checks;
    // Node-based maps: the pass keeps pointers into them while they grow.
    std::unordered_map<QString, NameTable> targetsByFolder;
    std::unordered_map<QString, FolderState> folders;
    QString currentFolder;
    FolderState current;
    for (const FileEntry& entry : list) {
        if (!entry.Selected) {
            continue;
        }
        const QString& name = entry.NeuerName;
        checks.NoTypeOnlyName = checks.NoTypeOnlyName && !name.startsWith(u'.');
        checks.NoBlankName = checks.NoBlankName && !isBlank(name);
        checks.NoSeparator = checks.NoSeparator && !holdsSeparator(name);
        // Entries of one folder share its text, so most changes of folder are told by identity.
        const bool sameFolder = current.targets != nullptr &&
                                (entry.InOrdner.constData() == currentFolder.constData() ||
                                 entry.InOrdner == currentFolder);
        if (!sameFolder) {
            currentFolder = entry.InOrdner;
            FolderState& state = folders[currentFolder];
            if (state.targets == nullptr) {
                state.targets = &targetsByFolder[capitals(currentFolder)];
                state.targets->reserve(targetsByFolder.size() == 1 ? list.count() : 0);
            }
            current = state;
        }
        const QString upperName = capitals(name);
        if (checks.NoClash) {
            if (current.index == nullptr) {
                current.index = folders[currentFolder].index =
                    &cache.index(currentFolder, fileSystem);
            }
            checks.NoClash = !clashes(entry, upperName, *current.index);
        }
        if (checks.NamesUnique) {
            checks.NamesUnique = current.targets->insert(upperName, QString()).second;
        }
    }
    cache.dropUnused();
    return checks;
}
