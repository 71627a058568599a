#include <QCoreApplication>
#include <QFile>

#include <malloc.h>
#include <signal.h>
#include <unistd.h>
#include <csignal>
#include <cstdlib>

#include "app/batch/batch_run.h"
#include "filesystem/journal_store.h"
#include "filesystem/linux_file_system.h"

namespace {

volatile std::sig_atomic_t stopSignal = 0;

void requestStop(int signal) {
    stopSignal = signal;
}

// SIGINT and SIGTERM end a run after the file at hand, with the journal closed and the summary
// written; a second one ends the program at once.
void stopOnSignals() {
    struct sigaction action {};
    action.sa_handler = requestStop;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

}  // namespace

int main(int argc, char* argv[]) {
    // A fixed threshold keeps each large block (a list of paths, a folder's table) in a mapping
    // of its own, given back when freed; glibc would otherwise raise the threshold at the first
    // such block freed and keep the later ones in its heap for good.
    ::mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    QCoreApplication app(argc, argv);
    stopOnSignals();
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
                                 ::isatty(STDOUT_FILENO) == 1};
    const int status = runBatch(arguments, environment);
    out.flush();
    err.flush();
    // Everything is written and the journal closed: freeing a hundred thousand entries one by one
    // would only delay the exit.
    std::_Exit(status);
}
