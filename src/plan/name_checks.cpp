#include "plan/name_checks.h"

#include <QHashFunctions>
#include <algorithm>
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

// The name of another file of the folder that already bears the new name, empty where several
// spellings do; nothing when none. A change of letter case alone never clashes with the entry's
// own file, but does with a different file spelled that way.
std::optional<QStringView> clashingName(const FileEntry& entry, const FolderListing& folder) {
    if (entry.NeuerName == entry.AlterName()) {
        return std::nullopt;
    }
    const std::optional<QStringView> stored = folder.storedName(entry.NeuerName);
    if (!stored ||
        (*stored == entry.AlterName() && sameCapitals(entry.NeuerName, entry.AlterName()))) {
        return std::nullopt;
    }
    return stored;
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

// A clash that a chain may excuse: the verdict's index and the name of the file in the way.
struct Blocked {
    size_t verdict;
    QString name;
};

// Clears the clashes with files that are marked themselves and get another name in the run, and
// drops the verdicts left without a fault.
void excuseChains(const FileList& list, const std::vector<Blocked>& blocked, NameChecks& checks) {
    std::unordered_map<QString, NameTable> leaving;  // current names by folder
    for (const FileEntry& entry : list) {
        if (entry.Selected && entry.NeuerName != entry.AlterName()) {
            leaving[entry.InOrdner().toString()].insertView(entry.AlterName(), 0);
        }
    }
    for (const Blocked& clash : blocked) {
        RowVerdict& verdict = checks.rows[clash.verdict];
        const auto folder = leaving.find(list.at(verdict.row).InOrdner().toString());
        const NameTable::Entry* found =
            folder == leaving.end() ? nullptr : folder->second.find(clash.name);
        if (found != nullptr && NameTable::nameOf(*found) == clash.name) {
            verdict.faults &= ~NameFaults(NameFault::NameTaken);
            checks.freedFirst.push_back(verdict.row);
        }
    }
    std::erase_if(checks.rows, [](const RowVerdict& verdict) { return !verdict.faults; });
}

// Puts the verdicts in row order and joins two of one row into one.
void sortByRow(std::vector<RowVerdict>& rows) {
    std::sort(rows.begin(), rows.end(),
              [](const RowVerdict& a, const RowVerdict& b) { return a.row < b.row; });
    std::vector<RowVerdict> joined;
    joined.reserve(rows.size());
    for (const RowVerdict& verdict : rows) {
        if (!joined.empty() && joined.back().row == verdict.row) {
            joined.back().faults |= verdict.faults;
            joined.back().sameAs = qMax(joined.back().sameAs, verdict.sameAs);
        } else {
            joined.push_back(verdict);
        }
    }
    rows = std::move(joined);
}

}  // namespace

const RowVerdict* NameChecks::verdictOf(int p) const {
    const auto found = std::lower_bound(rows.begin(), rows.end(), p,
                                        [](const RowVerdict& v, int row) { return v.row < row; });
    return found != rows.end() && found->row == p ? &*found : nullptr;
}

int NameChecks::nextRowInTrouble(int p) const {
    if (rows.empty()) {
        return 0;
    }
    const auto next = std::upper_bound(rows.begin(), rows.end(), p,
                                       [](int row, const RowVerdict& v) { return row < v.row; });
    return next != rows.end() ? next->row : rows.front().row;
}

std::optional<PlanFailure> NameChecks::firstFailure() const {
    static constexpr std::pair<NameFault, PlanFailure> kReportOrder[] = {
        {NameFault::SameNewName, PlanFailure::NamesNotUnique},
        {NameFault::NameTaken, PlanFailure::NameClash},
        {NameFault::TypeOnly, PlanFailure::TypeOnlyName},
        {NameFault::Blank, PlanFailure::BlankName},
        {NameFault::Separator, PlanFailure::SeparatorInName},
        {NameFault::TooLong, PlanFailure::NameTooLong},
        {NameFault::FolderClosed, PlanFailure::FolderUnreadable},
        {NameFault::MissingValue, PlanFailure::ValueMissing},
        {NameFault::ValueUnread, PlanFailure::ValuesUnread},
    };
    for (const auto& [fault, failure] : kReportOrder) {
        if (found.testFlag(fault)) {
            return failure;
        }
    }
    return std::nullopt;
}

NameChecks checkNames(const FileList& list, const FileSystem& fileSystem, FolderIndexCache& cache,
                      Chains chains) {
    NameChecks checks;
    std::vector<Blocked> blocked;
    // First each name by itself and against its folder, then the names against each other: the
    // folders' listings can go before the table of new names is built.
    std::unordered_map<QString, const FolderListing*> listings;
    QString currentFolder;
    const FolderListing* listing = nullptr;
    int row = 0;
    for (const FileEntry& entry : list) {
        ++row;
        if (!entry.Selected) {
            continue;
        }
        // Without a value there is no name to check.
        if (const std::optional<MediaField> missing = entry.missingValue) {
            const bool unread = *missing == MediaField::NotRead;
            checks.rows.push_back(
                {row, unread ? NameFault::ValueUnread : NameFault::MissingValue, 0, *missing});
            continue;
        }
        const QString& name = entry.NeuerName;
        NameFaults faults;
        if (name.startsWith(u'.')) {
            faults |= NameFault::TypeOnly;
        }
        if (isBlank(name)) {
            faults |= NameFault::Blank;
        }
        if (holdsSeparator(name)) {
            faults |= NameFault::Separator;
        }
        if (listing == nullptr || entry.InOrdner() != currentFolder) {
            currentFolder = entry.InOrdner().toString();
            const FolderListing*& known = listings[currentFolder];
            if (known == nullptr) {
                known = &cache.index(currentFolder, fileSystem);
            }
            listing = known;
        }
        if (!fitsInBytes(name, listing->nameMax)) {
            faults |= NameFault::TooLong;
        }
        std::optional<QStringView> inTheWay;
        if (listing->complete) {
            inTheWay = clashingName(entry, *listing);
        } else {
            const std::optional<bool> clash = clashesByLookup(entry, fileSystem);
            if (!clash) {
                faults |= NameFault::FolderClosed;
            } else if (*clash) {
                inTheWay = name;
            }
        }
        if (inTheWay) {
            faults |= NameFault::NameTaken;
            if (chains == Chains::Allowed) {
                blocked.push_back({checks.rows.size(), inTheWay->toString()});
            }
        }
        if (faults) {
            checks.rows.push_back({row, faults, 0});
        }
    }
    listings.clear();
    cache.dropUnused();
    if (!blocked.empty()) {
        excuseChains(list, blocked, checks);
    }

    // New names in capitals by folder in capitals, so that spellings of a folder share one table.
    std::unordered_map<QString, NameTable> targetsByFolder;
    NameTable* targets = nullptr;
    const size_t faulty = checks.rows.size();
    row = 0;
    for (const FileEntry& entry : list) {
        ++row;
        if (!entry.Selected || entry.missingValue) {
            continue;
        }
        if (targets == nullptr || entry.InOrdner() != currentFolder) {
            currentFolder = entry.InOrdner().toString();
            targets = &targetsByFolder[capitals(currentFolder)];
            targets->reserve(targetsByFolder.size() == 1 ? list.count() : 0);
        }
        // The list, and with it the new names, outlives the table. Each name's number is the
        // first row that takes it.
        const auto [first, added] = targets->insertView(entry.NeuerName, static_cast<quint64>(row));
        if (added) {
            continue;
        }
        const int sameAs = static_cast<int>(first->number);
        checks.rows.push_back({row, NameFault::SameNewName, sameAs});
        // The first row of a name is known to share it only at the second.
        if (first->repeats() == 1) {
            checks.rows.push_back({sameAs, NameFault::SameNewName, row});
        }
    }
    if (checks.rows.size() > faulty) {
        sortByRow(checks.rows);
    }
    for (const RowVerdict& verdict : checks.rows) {
        checks.found |= verdict.faults;
    }
    return checks;
}
