#pragma once

#include <QList>
#include <QString>
#include <memory>
#include <optional>

#include "filesystem/file_system.h"
#include "filesystem/journal_store.h"
#include "plan/journal.h"
#include "plan/rename_run.h"

// What tells a file under the name a run gave from the file the run renamed.
enum class Difference {
    None,
    AnotherFile,  // another inode
    Type,
    BirthTime,  // as where a layered file system copied the file up
};

// A file an undo could not give its old name back, and why.
struct NotRestored {
    JournalEntry entry;
    RenameFailure reason;  // SourceChanged: no file of the journal's identity is left in its folder
    Difference differs = Difference::None;  // of the file under the new name, with SourceChanged
};

// What an undo will do, known before it does it: the run it takes back and the renamings that
// give its files their old names again, the last renamed first.
struct UndoPlan {
    bool nothingToUndo = false;  // no run, or its undo was done already
    bool busy = false;           // the run, or an undo of it, still goes on
    JournalRun run;
    QList<JournalEntry> steps;  // each with the identity the file has now
    QList<NotRestored> missing;
    std::unique_ptr<JournalHold> hold;  // keeps other undos out until the undo is done
};

struct UndoResult {
    bool nothingToUndo = false;
    bool busy = false;  // then nothing was renamed
    QList<RenamedFile> restored;
    QList<NotRestored> notRestored;
    bool interrupted = false;
    std::optional<QString> journalError;  // then nothing was renamed
    // Why the undo's journal stopped taking records; the undo stopped there.
    std::optional<QString> journalFailure;
};

// Follows an undo as FailureDecision follows a run; an undo never asks, it goes on.
class UndoListener {
  public:
    virtual ~UndoListener() = default;
    virtual void restored(const RenamedFile& file) { Q_UNUSED(file); }
    virtual void notRestored(const NotRestored& file) { Q_UNUSED(file); }
    virtual bool stopRequested() { return false; }
};

// Finds the newest run that renamed something and where its files stand now. A file counts as
// the run's only where it is proven to be: under a name the run gave it (or its old one) with the
// identity the journal keeps, or found anywhere in its folder by an identity that includes its
// birth time. Entries the run provably did not rename are left alone.
UndoPlan planUndo(const JournalStore& journal, const FileSystem& fileSystem);
// Carries the plan out: every file gets its old name again, never replacing a file. The undo is
// journaled like a run; an undo that ends unstopped marks the run as undone, another one finishes
// what a stopped one left.
UndoResult carryOutUndo(UndoPlan& plan, JournalStore& journal, FileSystem& fileSystem,
                        UndoListener& listener);
UndoResult undoLastRun(JournalStore& journal, FileSystem& fileSystem, UndoListener& listener);
