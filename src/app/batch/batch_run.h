#pragma once

#include <QByteArrayList>
#include <functional>

class FileSystem;
class JournalStore;
class QIODevice;

enum BatchExitStatus : int {
    kPlanSound = 0,    // with --apply: every renaming done
    kPlanRefused = 1,  // nothing renamed
    kUsageError = 2,
    kRenamingFailed = 3,  // at least one renaming (or, with --undo, one restoring) failed
    kInterrupted = 4,     // a signal ended the run after the file at hand
};

// What the program works with besides its arguments. in is read for "--files-from -".
struct BatchEnvironment {
    QIODevice& in;
    QIODevice& out;
    QIODevice& err;
    FileSystem& fileSystem;
    JournalStore& journal;
    std::function<bool()> stopRequested = [] { return false; };
    bool lineByLine = false;  // the output goes to a terminal
};

// The program taufix-batch: arguments are those after the program name, as the system passed
// them. Paths are taken and written as the file system's bytes, messages as UTF-8. Never
// touches the settings store. Returns the exit status.
int runBatch(const QByteArrayList& arguments, BatchEnvironment& environment);
