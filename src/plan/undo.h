#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "filesystem/file_system.h"
#include "plan/journal.h"
#include "plan/rename_run.h"

class JournalStore;

// A file an undo could not give its old name back, and why.
struct NotRestored {
    JournalEntry entry;
    RenameFailure reason;  // SourceChanged: no file of the journal's identity is left in its folder
};

struct UndoResult {
    bool nothingToUndo = false;  // no run, or its undo was done already
    QList<RenamedFile> restored;
    QList<NotRestored> notRestored;
    bool interrupted = false;
    std::optional<QString> journalError;  // then nothing was renamed
};

// Follows an undo as FailureDecision follows a run; an undo never asks, it goes on.
class UndoListener {
  public:
    virtual ~UndoListener() = default;
    virtual void restored(const RenamedFile& file) { Q_UNUSED(file); }
    virtual void notRestored(const NotRestored& file) { Q_UNUSED(file); }
    virtual bool stopRequested() { return false; }
};

// Takes the last run back: every file of its plan, found by its identity wherever the run left
// it, gets its old name again, in reverse order, never replacing a file. The undo is journaled
// like a run, which marks the run as undone.
UndoResult undoLastRun(JournalStore& journal, FileSystem& fileSystem, UndoListener& listener);
