#pragma once

#include <QList>
#include <QString>

#include "filesystem/progress.h"

class FileList;
class FileSystem;
struct FileEntry;

// Asked after the renaming of entry failed: true goes on with the next entry (OK), false ends
// the run (Cancel).
class FailureDecision {
  public:
    virtual ~FailureDecision() = default;
    virtual bool continueAfterFailure(const FileEntry& entry) = 0;
};

struct RenamedFile {
    QString from;  // full path before
    QString to;    // full path after
};

struct RenameRunResult {
    QList<RenamedFile> renamed;  // in the order of the run
    int failed = 0;
    bool cancelled = false;
};

// Renames the marked entries from the last to the first, each to its folder + new name, and
// removes every renamed entry from the list. Failed entries stay, still marked.
RenameRunResult renameMarkedEntries(FileList& list, FileSystem& fileSystem,
                                    FailureDecision& decision,
                                    const ProgressCallback& progress = {});
