#include "plan/rename_run.h"

#include <vector>

#include "filesystem/journal_store.h"
#include "list/file_list.h"
#include "plan/journal.h"

namespace {

bool unchanged(const FileEntry& entry) {
    return entry.NeuerName == entry.AlterName();
}

}  // namespace

RenameRunResult renameMarkedEntries(FileList& list, FileSystem& fileSystem, JournalStore& journal,
                                    FailureDecision& decision, const ProgressCallback& progress) {
    RenameRunResult result;
    const int count = list.count();
    // Renamed and unchanged rows leave the list in one pass at the end; going from the last row to
    // the first, no row still to come changes its position meanwhile.
    std::vector<bool> leaving(static_cast<size_t>(count), false);
    // The plan in the order of the run: from the last row to the first.
    std::vector<int> rows;
    for (int i = count; i >= 1; --i) {
        const FileEntry& entry = list.at(i);
        if (entry.Selected && unchanged(entry)) {
            ++result.unchanged;
            leaving[static_cast<size_t>(i - 1)] = true;
        } else if (entry.Selected) {
            rows.push_back(i);
        }
    }
    RunJournal record;
    if (!rows.empty()) {
        bool journaled = record.open(journal);
        for (size_t e = 0; e < rows.size() && journaled; ++e) {
            const FileEntry& entry = list.at(rows[e]);
            record.plan(entry.InOrdner(), entry.AlterName(), entry.NeuerName, entry.identity);
        }
        if (!journaled || !record.commitPlan(journal)) {
            result.journalError = journal.why();
            result.unchanged = 0;
            return result;
        }
    }
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
            if (outcome.oldNameTaken) {
                ++result.oldNamesTaken;
                decision.oldNameTaken(entry);
            }
            leaving[static_cast<size_t>(i - 1)] = true;
        } else {
            ++result.failed;
            if (!decision.continueAfterFailure(entry, outcome)) {
                result.cancelled = true;
            }
        }
        // What the run does after the journal fails would not be known to an undo.
        if (record.failed()) {
            result.journalFailure = record.failure();
        }
        if (result.cancelled || result.journalFailure) {
            break;
        }
    }
    if (!rows.empty()) {
        if (result.interrupted || result.cancelled) {
            record.stopped();
        }
        if (!record.end() && !result.journalFailure) {
            result.journalFailure = record.failure();
        }
    }
    list.removeRows(leaving);
    if (progress) {
        progress(0, count);
    }
    return result;
}
