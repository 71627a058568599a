#pragma once

#include <QList>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "filesystem/file_system.h"
#include "filesystem/progress.h"

class FileList;
class JournalStore;
class FileEntry;
class RunJournal;
struct OrderedPlan;

struct RenamedFile {
    QString from;  // full path before
    QString to;    // full path after
};

// Follows a run: told each renaming as it happens (the entry still with its old path), asked
// after each failure whether to go on (OK) or end the run (Cancel), and asked before each
// renaming whether to stop.
class FailureDecision {
  public:
    virtual ~FailureDecision() = default;
    virtual bool continueAfterFailure(const FileEntry& entry, const RenameResult& result) = 0;
    virtual void renamed(const FileEntry& entry) { Q_UNUSED(entry); }
    // After renamed(): another file took the entry's old name while it was being renamed.
    virtual void oldNameTaken(const FileEntry& entry) { Q_UNUSED(entry); }
    virtual bool stopRequested() { return false; }
    // Whether continueAfterFailure may end the run: then each renaming waits for the answers on
    // the ones before it.
    virtual bool mayCancel() const { return true; }
};

struct RenameRunResult {
    int renamed = 0;    // each told to the decision as it happened
    int unchanged = 0;  // whose new name is their name: nothing to rename
    int failed = 0;
    int oldNamesTaken = 0;     // of the renamed, told to the decision too
    bool cancelled = false;    // by the answer to a failure
    bool interrupted = false;  // by stopRequested
    // Why the journal could not be written; then nothing was renamed.
    std::optional<QString> journalError;
    // Why the journal stopped taking records; the run stopped after the file at hand.
    std::optional<QString> journalFailure;
};

// A run made ready from the list's marked entries: its order, and its journal with the plan
// durable; a run with nothing to rename has none.
struct PreparedRun {
    PreparedRun();
    ~PreparedRun();

    std::unique_ptr<OrderedPlan> order;  // given as rows of the list
    std::vector<bool> leaving;           // by row - 1: the unchanged rows so far
    int unchanged = 0;
    std::unique_ptr<RunJournal> record;
    std::optional<QString> journalError;  // why the journal could not be written
};

// Orders the renamings of the marked entries, from the last to the first, and writes their plan
// to the journal. Only reads the list, which must not change until the run is carried out or
// dropped.
std::unique_ptr<PreparedRun> prepareRun(const FileList& list, JournalStore& journal);
// Removes the journal of a run that is not carried out after all.
void dropRun(PreparedRun& run, JournalStore& journal);

// Renames the entries of a prepared run, each to its folder + new name if it still is the file
// that was listed, and removes every renamed or unchanged entry from the list. Failed entries
// stay, still marked. Where the decision never ends a run and the file system can rename on two
// threads, a large run is shared between them.
RenameRunResult carryOutRun(PreparedRun& run, FileList& list, FileSystem& fileSystem,
                            JournalStore& journal, FailureDecision& decision,
                            const ProgressCallback& progress = {});

// prepareRun and carryOutRun at once.
RenameRunResult renameMarkedEntries(FileList& list, FileSystem& fileSystem, JournalStore& journal,
                                    FailureDecision& decision,
                                    const ProgressCallback& progress = {});
