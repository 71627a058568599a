#include "plan/rename_run.h"

#include <vector>

#include "filesystem/journal_store.h"
#include "list/file_list.h"
#include "plan/journal.h"

RenameRunResult renameMarkedEntries(FileList& list, FileSystem& fileSystem, JournalStore& journal,
                                    FailureDecision& decision, const ProgressCallback& progress) {
    RenameRunResult result;
    const int count = list.count();
    RunJournal record;
    // The plan in the order of the run: from the last row to the first.
    std::vector<int> rows;
    bool journaled = record.open(journal);
    for (int i = count; i >= 1 && journaled; --i) {
        const FileEntry& entry = list.at(i);
        if (entry.Selected) {
            record.plan(entry.InOrdner(), entry.AlterName(), entry.NeuerName, entry.identity);
            rows.push_back(i);
        }
    }
    if (!journaled || !record.commitPlan(journal)) {
        result.journalError = journal.why();
        return result;
    }
    // Renamed rows leave the list in one pass at the end; going from the last row to the first,
    // no row still to come changes its position meanwhile.
    std::vector<bool> renamed(static_cast<size_t>(count), false);
    for (size_t e = 0; e < rows.size(); ++e) {
        if (decision.stopRequested()) {
            result.interrupted = true;
            break;
        }
        const int i = rows[e];
        const FileEntry& entry = list.at(i);
        if (progress) {
            progress(count - i, count);
        }
        const RenameResult outcome =
            record.rename(fileSystem, static_cast<int>(e), entry.InOrdner(), entry.AlterName(),
                          entry.NeuerName, entry.identity);
        if (outcome.renamed()) {
            ++result.renamed;
            decision.renamed(entry);
            renamed[static_cast<size_t>(i - 1)] = true;
            continue;
        }
        ++result.failed;
        if (!decision.continueAfterFailure(entry, outcome)) {
            result.cancelled = true;
            break;
        }
    }
    record.end();
    if (result.renamed > 0) {
        list.removeRows(renamed);
    }
    if (progress) {
        progress(0, count);
    }
    return result;
}
