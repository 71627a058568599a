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
    virtual bool stopRequested() { return false; }
};

struct RenameRunResult {
    int renamed = 0;  // each told to the decision as it happened
    int failed = 0;
    bool cancelled = false;    // by the answer to a failure
    bool interrupted = false;  // by stopRequested
    // Why the journal could not be written; then nothing was renamed.
    std::optional<QString> journalError;
};

// Renames the marked entries from the last to the first, each to its folder + new name if it
// still is the file that was listed, and removes every renamed entry from the list. Failed
// entries stay, still marked. The plan is written to the journal before the first renaming.
RenameRunResult renameMarkedEntries(FileList& list, FileSystem& fileSystem, JournalStore& journal,
                                    FailureDecision& decision,
                                    const ProgressCallback& progress = {});
