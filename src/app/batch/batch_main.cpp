#include <QCoreApplication>
#include <QFile>

#include <fcntl.h>
#include <malloc.h>
#include <signal.h>
#include <unistd.h>
#include <csignal>

#include "app/batch/batch_main.h"
#include "app/batch/batch_run.h"
#include "filesystem/journal_store.h"
#include "filesystem/linux_file_system.h"

namespace {

volatile std::sig_atomic_t stopSignal = 0;

void requestStop(int signal) {
    stopSignal = signal;
}

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
bool ignoredSignal[NSIG] = {};

// While a run is under way, each of these signals, however often it comes, stops it after the
// file at hand, so that its journal is ended; otherwise, with nothing being renamed, they end
// the program at once. A signal ignored when the program started (nohup) stays ignored.
void stopOnSignals(bool runUnderWay) {
    struct sigaction action {};
    action.sa_handler = runUnderWay ? requestStop : SIG_DFL;
    action.sa_flags = SA_RESTART;  // the run's system calls go on; it stops between files
    sigemptyset(&action.sa_mask);
    for (const int signal : kStopSignals) {
        if (!ignoredSignal[signal]) {
            ::sigaction(signal, &action, nullptr);
        }
    }
}

// A standard descriptor the program was started without is taken by /dev/null, opened for
// reading only: no file opened later (the journal) can become it, and writes to it still fail.
void takeClosedStandardDescriptors() {
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) == -1) {
            ::open("/dev/null", O_RDONLY);  // the lowest free descriptor: this one
        }
    }
}

void noteIgnoredSignals() {
    for (const int signal : kStopSignals) {
        struct sigaction action {};
        ::sigaction(signal, nullptr, &action);
        ignoredSignal[signal] = action.sa_handler == SIG_IGN;
    }
}

}  // namespace

int batchMain(int argc, char* argv[], const std::function<void(const char*)>& phaseEnded) {
    takeClosedStandardDescriptors();
    // A fixed threshold keeps each large block (a list of paths, a folder's table) in a mapping
    // of its own, given back when freed; glibc would otherwise raise the threshold at the first
    // such block freed and keep the later ones in its heap for good.
    ::mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    QCoreApplication app(argc, argv);
    if (phaseEnded) {
        phaseEnded("Qt gestartet");
    }
    noteIgnoredSignals();
    // A reader gone shows as EPIPE from the write instead, so that a run ends its journal.
    ::signal(SIGPIPE, SIG_IGN);
    // Opened without QIODevice::Unbuffered: QFile buffers writes, and the file descriptors
    // bypass the C library's own buffers.
    QFile in;
    QFile out;
    QFile err;
    in.open(STDIN_FILENO, QIODevice::ReadOnly);
    out.open(STDOUT_FILENO, QIODevice::WriteOnly);
    err.open(STDERR_FILENO, QIODevice::WriteOnly);
    QByteArrayList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QByteArray(argv[i]);
    }
    JournalStore journal;
    BatchEnvironment environment{in,
                                 out,
                                 err,
                                 hostFileSystem(),
                                 journal,
                                 [] { return stopSignal != 0; },
                                 ::isatty(STDOUT_FILENO) == 1,
                                 stopOnSignals};
    if (phaseEnded) {
        environment.phaseEnded = phaseEnded;
    }
    // The output writes through out's buffer as it goes: nothing is left to flush.
    const int status = finishBatch(runBatch(arguments, environment), environment);
    err.flush();
    return status;
}
