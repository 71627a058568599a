#include "plan/rename_run.h"

#include <vector>

#include "filesystem/journal_store.h"
#include "list/file_list.h"
#include "plan/journal.h"
#include "plan/rename_order.h"

namespace {

bool unchanged(const FileEntry& entry) {
    return entry.NeuerName == entry.AlterName();
}

// Tells the decision of each renaming of the run, by the entry's row.
class RunOutcomes : public StepOutcomes {
  public:
    RunOutcomes(const FileList& list, std::vector<int> rows, FailureDecision& decision,
                const ProgressCallback& progress, RenameRunResult& result,
                std::vector<bool>& leaving)
        : m_list(list),
          m_rows(std::move(rows)),
          m_decision(decision),
          m_progress(progress),
          m_result(result),
          m_leaving(leaving) {}

    bool stopRequested() override { return m_decision.stopRequested(); }

    bool ended(int e, const RenameResult& outcome, bool mayAsk) override {
        const int i = m_rows[static_cast<size_t>(e)];
        const FileEntry& entry = m_list.at(i);
        if (m_progress) {
            m_progress(m_list.count() - i, m_list.count());
        }
        if (outcome.renamed()) {
            ++m_result.renamed;
            m_decision.renamed(entry);
            if (outcome.oldNameTaken) {
                ++m_result.oldNamesTaken;
                m_decision.oldNameTaken(entry);
            }
            m_leaving[static_cast<size_t>(i - 1)] = true;
            return true;
        }
        ++m_result.failed;
        if (mayAsk && !m_decision.continueAfterFailure(entry, outcome)) {
            m_result.cancelled = true;
        }
        return !m_result.cancelled;
    }

  private:
    const FileList& m_list;
    const std::vector<int> m_rows;  // by the index of the plan
    FailureDecision& m_decision;
    const ProgressCallback& m_progress;
    RenameRunResult& m_result;
    std::vector<bool>& m_leaving;
};

}  // namespace

RenameRunResult renameMarkedEntries(FileList& list, FileSystem& fileSystem, JournalStore& journal,
                                    FailureDecision& decision, const ProgressCallback& progress) {
    RenameRunResult result;
    const int count = list.count();
    // From the last row to the first, unless a target is still another's name.
    std::vector<int> rows;
    QList<JournalEntry> renamings;
    // Renamed and unchanged rows leave the list in one pass at the end.
    std::vector<bool> leaving(static_cast<size_t>(count), false);
    for (int i = count; i >= 1; --i) {
        const FileEntry& entry = list.at(i);
        if (entry.Selected && unchanged(entry)) {
            ++result.unchanged;
            leaving[static_cast<size_t>(i - 1)] = true;
        } else if (entry.Selected) {
            rows.push_back(i);
            renamings.append({entry.InOrdner().toString(), entry.AlterName().toString(),
                              entry.NeuerName, entry.identity});
        }
    }
    OrderedPlan order = orderPlan(renamings);
    renamings.clear();
    const QList<JournalEntry>& plan = order.plan;
    for (int& given : order.given) {
        given = rows[static_cast<size_t>(given)];
    }
    RunJournal record;
    if (!plan.isEmpty() && !record.begin(journal, plan)) {
        result.journalError = journal.why();
        result.unchanged = 0;
        return result;
    }
    RunOutcomes outcomes(list, std::move(order.given), decision, progress, result, leaving);
    if (!plan.isEmpty()) {
        result.interrupted =
            renameInOrder(record, fileSystem, plan, order.steps, outcomes) == OrderedEnd::Stopped;
        // What the run does after the journal fails would not be known to an undo.
        if (record.failed()) {
            result.journalFailure = record.failure();
        }
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
