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
    // A signal, or standard output's reader gone, ended the run after the file at hand.
    kInterrupted = 4,
    // Standard output (or the journal) could not be written; with --apply or --undo the run
    // stopped after the file at hand.
    kWriteFailed = 5,
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
    // Told true just before a run or an undo opens its journal (a run's is written beside the
    // check of its plan) and false once it has ended or dropped it: meanwhile a signal is to stop
    // the run after the file at hand, not to end the program.
    std::function<void(bool)> runUnderWay = [](bool) {};
    // Told the name of each phase of a run as it ends, for the time each takes to be measured;
    // the journal's, which runs beside the check, on a thread of its own.
    std::function<void(const char*)> phaseEnded = [](const char*) {};
    // The system's error number of the first write to out that failed; 0 while none did. Nothing
    // more is written to out then.
    int outError = 0;
};

// The program taufix-batch: arguments are those after the program name, as the system passed
// them. Paths are taken and written as the file system's bytes, messages as UTF-8. Never
// touches the settings store. Returns the exit status, which finishBatch settles.
int runBatch(const QByteArrayList& arguments, BatchEnvironment& environment);
// The exit status once runBatch has returned status and everything for out is written: an
// output whose reader has gone ends the program as a signal would; any other failed write is
// said on err.
int finishBatch(int status, BatchEnvironment& environment);
