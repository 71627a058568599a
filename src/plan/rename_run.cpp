#include "plan/rename_run.h"

#include <thread>
#include <vector>

#include "filesystem/journal_store.h"
#include "list/file_list.h"
#include "plan/journal.h"
#include "plan/rename_order.h"
#include "plan/two_thread_run.h"

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

// Where a second thread may take over: between folders, or within a folder whose file system
// renames side by side.
std::optional<size_t> secondPartFrom(const OrderedPlan& order, const FileSystem& fileSystem) {
    const auto folderAt = [&order](size_t s) -> const QString& {
        return order.plan.at(order.steps[s].e).folder;
    };
    std::optional<std::pair<QString, bool>> asked;  // the folder asked about last, and the answer
    return secondThreadFrom(order.tiedFrom, [&](size_t s) {
        const QString& folder = folderAt(s);
        if (folder != folderAt(s - 1)) {
            return true;
        }
        if (!asked || asked->first != folder) {
            asked.emplace(folder, fileSystem.renamesSideBySide(folder));
        }
        return asked->second;
    });
}

// Carries out the steps of a run, on two threads where that is allowed and worth it.
OrderedEnd carryOut(RunJournal& record, FileSystem& fileSystem, const OrderedPlan& order,
                    bool mayCancel, StepOutcomes& outcomes) {
    const std::optional<size_t> from = mayCancel || std::thread::hardware_concurrency() < 2
                                           ? std::nullopt
                                           : secondPartFrom(order, fileSystem);
    const std::unique_ptr<FileSystem> second = from ? fileSystem.renamerForSecondThread() : nullptr;
    if (!second) {
        return renameInOrder(record, fileSystem, order.plan, order.steps, outcomes);
    }
    return renameOnTwoThreads(record, fileSystem, *second, order.plan, order.steps, *from,
                              outcomes);
}

}  // namespace

PreparedRun::PreparedRun() = default;
PreparedRun::~PreparedRun() = default;

std::unique_ptr<PreparedRun> prepareRun(const FileList& list, JournalStore& journal) {
    auto run = std::make_unique<PreparedRun>();
    const int count = list.count();
    // From the last row to the first, unless a target is still another's name.
    std::vector<int> rows;
    QList<JournalEntry> renamings;
    rows.reserve(static_cast<size_t>(count));
    renamings.reserve(count);
    // Renamed and unchanged rows leave the list in one pass at the end.
    run->leaving.assign(static_cast<size_t>(count), false);
    QString folder;  // shared by the renamings of one folder
    for (int i = count; i >= 1; --i) {
        const FileEntry& entry = list.at(i);
        if (entry.Selected && unchanged(entry)) {
            ++run->unchanged;
            run->leaving[static_cast<size_t>(i - 1)] = true;
        } else if (entry.Selected) {
            if (entry.InOrdner() != folder) {
                folder = entry.InOrdner().toString();
            }
            rows.push_back(i);
            renamings.append(
                {folder, entry.AlterName().toString(), entry.NeuerName, entry.identity});
        }
    }
    run->order = std::make_unique<OrderedPlan>(orderPlan(std::move(renamings)));
    for (int& given : run->order->given) {
        given = rows[static_cast<size_t>(given)];
    }
    if (!run->order->plan.isEmpty()) {
        run->record = std::make_unique<RunJournal>();
        if (!run->record->begin(journal, run->order->plan)) {
            run->journalError = journal.why();
            run->record.reset();
        }
    }
    return run;
}

void dropRun(PreparedRun& run, JournalStore& journal) {
    if (run.record) {
        run.record->discard(journal);
        run.record.reset();
    }
}

RenameRunResult carryOutRun(PreparedRun& run, FileList& list, FileSystem& fileSystem,
                            JournalStore& journal, FailureDecision& decision,
                            const ProgressCallback& progress) {
    RenameRunResult result;
    if (run.journalError) {
        result.journalError = run.journalError;
        return result;
    }
    const int count = list.count();
    result.unchanged = run.unchanged;
    OrderedPlan& order = *run.order;
    RunOutcomes outcomes(list, std::move(order.given), decision, progress, result, run.leaving);
    if (run.record) {
        RunJournal& record = *run.record;
        result.interrupted = carryOut(record, fileSystem, order, decision.mayCancel(), outcomes) ==
                             OrderedEnd::Stopped;
        // What the run does after the journal fails would not be known to an undo.
        if (record.failed()) {
            result.journalFailure = record.failure();
        }
        if (result.interrupted || result.cancelled) {
            record.stopped();
        }
        if (!record.end(journal) && !result.journalFailure) {
            result.journalFailure = record.failure();
        }
    }
    list.removeRows(run.leaving);
    if (progress) {
        progress(0, count);
    }
    return result;
}

RenameRunResult renameMarkedEntries(FileList& list, FileSystem& fileSystem, JournalStore& journal,
                                    FailureDecision& decision, const ProgressCallback& progress) {
    const std::unique_ptr<PreparedRun> run = prepareRun(list, journal);
    return carryOutRun(*run, list, fileSystem, journal, decision, progress);
}
