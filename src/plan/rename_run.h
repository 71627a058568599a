#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "filesystem/file_system.h"
#include "filesystem/progress.h"

class FileList;
class JournalStore;
class FileEntry;

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

// Renames the marked entries from the last to the first, each to its folder + new name if it
// still is the file that was listed, and removes every renamed or unchanged entry from the list.
// Failed entries stay, still marked. The plan is written to the journal before the first
// renaming; a run with nothing to rename writes none.
RenameRunResult renameMarkedEntries(FileList& list, FileSystem& fileSystem, JournalStore& journal,
                                    FailureDecision& decision,
                                    const ProgressCallback& progress = {});
