#include "plan/name_checks.h"

#include <QHashFunctions>
#include <unordered_map>

#include "filesystem/capitals.h"
#include "filesystem/file_system.h"
#include "filesystem/folder_index_cache.h"
#include "list/file_list.h"

namespace {

bool isBlank(const QString& name) {
    for (QChar c : name) {
        if (c != u' ') {
            return false;
        }
    }
    return true;
}

// Whether the name takes at most limit bytes on disk; a UTF-16 unit takes at most three, so
// only a long name is encoded to count them.
bool fitsInBytes(const QString& name, int limit) {
    return name.size() * 3 <= limit || name.toUtf8().size() <= limit;
}

bool holdsSeparator(const QString& name) {
    return name.contains(u'/') || name.contains(QChar(u'\0'));
}

// Whether another file of the folder already bears the new name. A change of letter case alone
// never clashes with the entry's own file, but does with a different file spelled that way.
bool clashes(const FileEntry& entry, const QString& upperNew, const FolderIndex& folder) {
    if (entry.NeuerName == entry.AlterName()) {
        return false;
    }
    const NameTable::Item* found = folder.find(upperNew);
    if (found == nullptr) {
        return false;
    }
    return found->text != entry.AlterName() || upperNew != capitals(entry.AlterName().toString());
}

// The same for a folder that can be searched but not listed: only the exact name can be asked
// for, which is also what the kernel's renaming compares. Nothing when even that fails.
std::optional<bool> clashesByLookup(const FileEntry& entry, const FileSystem& fileSystem) {
    if (entry.NeuerName == entry.AlterName()) {
        return false;
    }
    const NameLookup found = fileSystem.lookup(entry.InOrdner().toString(), entry.NeuerName);
    if (!found.searchable) {
        return std::nullopt;
    }
    return found.entry && !found.isFolder && !entry.identity.matches(*found.entry);
}

// What the pass keeps for the folder of the entries it is walking through.
struct FolderState {
    const FolderListing* listing = nullptr;
    NameTable* targets = nullptr;  // new names in capitals, shared by spellings of the folder
};

}  // namespace

std::optional<PlanFailure> NameChecks::firstFailure() const {
    if (!NamesUnique) {
        return PlanFailure::NamesNotUnique;
    }
    if (!NoClash) {
        return PlanFailure::NameClash;
    }
    if (!NoTypeOnlyName) {
        return PlanFailure::TypeOnlyName;
    }
    if (!NoBlankName) {
        return PlanFailure::BlankName;
    }
    if (!NoSeparator) {
        return PlanFailure::SeparatorInName;
    }
    if (!NoLongName) {
        return PlanFailure::NameTooLong;
    }
    if (!FoldersSearchable) {
        return PlanFailure::FolderUnreadable;
    }
    return std::nullopt;
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
        const bool sameFolder = current.targets != nullptr && entry.InOrdner() == currentFolder;
        if (!sameFolder) {
            currentFolder = entry.InOrdner().toString();
            FolderState& state = folders[currentFolder];
            if (state.targets == nullptr) {
                state.targets = &targetsByFolder[capitals(currentFolder)];
                state.targets->reserve(targetsByFolder.size() == 1 ? list.count() : 0);
            }
            current = state;
        }
        const QString upperName = capitals(name);
        if (current.listing == nullptr) {
            current.listing = folders[currentFolder].listing =
                &cache.index(currentFolder, fileSystem);
        }
        checks.NoLongName = checks.NoLongName && fitsInBytes(name, current.listing->nameMax);
        if (checks.NoClash && current.listing->complete) {
            checks.NoClash = !clashes(entry, upperName, current.listing->index);
        } else if (checks.NoClash && checks.FoldersSearchable) {
            const std::optional<bool> clash = clashesByLookup(entry, fileSystem);
            checks.FoldersSearchable = clash.has_value();
            checks.NoClash = !clash.value_or(false);
        }
        if (checks.NamesUnique) {
            checks.NamesUnique = current.targets->insert(upperName, {}).second;
        }
    }
    cache.dropUnused();
    return checks;
}
