#include "plan/rename_run.h"

#include <vector>

#include "filesystem/file_system.h"
#include "list/file_list.h"

RenameRunResult renameMarkedEntries(FileList& list, FileSystem& fileSystem,
                                    FailureDecision& decision, const ProgressCallback& progress) {
    RenameRunResult result;
    const int count = list.count();
    // Renamed rows leave the list in one pass at the end; going from the last row to the first,
    // no row still to come changes its position meanwhile.
    std::vector<bool> renamed(static_cast<size_t>(count), false);
    for (int i = count; i >= 1; --i) {
        const FileEntry& entry = list.at(i);
        if (!entry.Selected) {
            continue;
        }
        if (progress) {
            progress(count - i, count);
        }
        const QString target = entry.InOrdner + entry.NeuerName;
        if (fileSystem.rename(entry.PfadName, target) == RenameOutcome::Renamed) {
            result.renamed.push_back({entry.PfadName, target});
            renamed[static_cast<size_t>(i - 1)] = true;
            continue;
        }
        ++result.failed;
        if (!decision.continueAfterFailure(entry)) {
            result.cancelled = true;
            break;
        }
    }
    if (!result.renamed.isEmpty()) {
        list.removeRows(renamed);
    }
    if (progress) {
        progress(0, count);
    }
    return result;
}
