#include <gtest/gtest.h>
#include <QProcess>
#include <QThread>

#include <fcntl.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include "app/batch/batch_run.h"
#include "filesystem/journal_store.h"
#include "plan/journal.h"
#include "temp_folder.h"

namespace {

const QByteArray kUnwritable = "Fehler: Die Standardausgabe lässt sich nicht schreiben (";

// The built program in folder, with its journal in state rather than in the user's own.
void prepare(QProcess& process, const TempFolder& folder, const TempFolder& state) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_STATE_HOME", state.path());
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder.path());
}

QByteArrayList linesOf(const QByteArray& output) {
    return output.trimmed().split('\n');
}

// Whether a signal sent to the process has not been taken yet.
bool pending(qint64 pid, int signal) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("ShdPnd:")) {
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
        }
    }
    return false;
}

// Whether the process waits in the system call on the file descriptor; taken as so where the
// system does not tell, so that no test waits for good.
bool waitingIn(qint64 pid, long call, int fd) {
    QFile file(QStringLiteral("/proc/%1/syscall").arg(pid));
    const QByteArray state = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    return state.isEmpty() ||
           state.startsWith(QByteArray::number(call) + " 0x" + QByteArray::number(fd) + ' ');
}

// Polls until the condition holds or the process has ended.
template <typename Condition>
void waitUntil(QProcess& process, const Condition& condition) {
    while (!condition() && !process.waitForFinished(0)) {
        QThread::yieldCurrentThread();
    }
}

TEST(BatchProgram, RenamesRelativePathsFromStandardInputAndAfterTheDoubleDash) {
    const TempFolder folder({"a.txt", "b.txt", "-x.txt"});
    const TempFolder state;
    QProcess process;
    prepare(process, folder, state);
    process.start(QStringLiteral(TAUFIX_BATCH_PATH),
                  {"--sort", "keine", "-0", "--files-from", "-", "-m", "[NAME]_neu[TYP]", "--apply",
                   "--", "-x.txt"});
    process.write(QByteArray("b.txt\0a.txt\0", 12));
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(-1));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardError(), "3 umbenannt, 0 fehlgeschlagen.\n");
    const auto line = [&](const char* from, const char* to) {
        return folder.native(from) + '\t' + folder.native(to) + '\n';
    };
    EXPECT_EQ(
        process.readAllStandardOutput(),
        line("-x.txt", "-x_neu.txt") + line("a.txt", "a_neu.txt") + line("b.txt", "b_neu.txt"));
    EXPECT_EQ(folder.contents(),
              (Contents{{"-x_neu.txt", "-x.txt"}, {"a_neu.txt", "a.txt"}, {"b_neu.txt", "b.txt"}}));
    EXPECT_EQ(QDir(state.file("taufix")).entryList({"*.journal"}).size(), 1);
}

TEST(BatchProgram, ARunStoppedBySignalsOrByItsOutputEndsItsJournalAndLosesNoFile) {
    enum class Output { Pipe, ClosedPipe, Full };
    struct Case {
        const char* name;
        std::vector<int> sent;  // one after another, each once taken
        Output output;
        int status;
        QByteArray afterSummary;  // how the last line on standard error begins
    };
    const Case cases[] = {
        {"SIGINT", {SIGINT}, Output::Pipe, kInterrupted, {}},
        {"two SIGINTs", {SIGINT, SIGINT}, Output::Pipe, kInterrupted, {}},
        {"SIGHUP", {SIGHUP}, Output::Pipe, kInterrupted, {}},
        {"reader gone", {}, Output::ClosedPipe, kInterrupted, {}},
        {"full", {}, Output::Full, kWriteFailed, kUnwritable},
    };
    // Several times the output a pipe and a block hold: the run cannot end while nobody reads.
    constexpr int kFiles = 1000;
    QStringList names;
    for (int i = 0; i < kFiles; ++i) {
        names << QString::number(10000 + i) + QString(240, u'n') + QStringLiteral(".txt");
    }
    const TempFolder folder(names);  // each case's undo gives every file its name back
    const auto count = [&](const QString& pattern) {
        return QDir(folder.path()).entryList({pattern}).size();
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TempFolder state;
        QProcess process;
        prepare(process, folder, state);
        int pipeEnds[2] = {-1, -1};
        if (c.output == Output::Full) {
            process.setStandardOutputFile(QStringLiteral("/dev/full"));
        } else {
            ASSERT_EQ(::pipe2(pipeEnds, O_CLOEXEC), 0);
            process.setChildProcessModifier([&] { ::dup2(pipeEnds[1], STDOUT_FILENO); });
        }
        process.start(QStringLiteral(TAUFIX_BATCH_PATH),
                      QStringList{"--apply", "-m", "[NAME]_neu[TYP]", "--"} + names);
        ASSERT_TRUE(process.waitForStarted(-1));
        if (c.output != Output::Full) {
            ::close(pipeEnds[1]);
            char block[4096];
            ASSERT_GT(::read(pipeEnds[0], block, sizeof block), 0);  // the run is under way
            const qint64 pid = process.processId();
            const auto blocked = [&] { return waitingIn(pid, SYS_write, STDOUT_FILENO); };
            // Blocked by the full pipe, mid-run: each signal comes while the run goes on.
            waitUntil(process, blocked);
            for (const int signal : c.sent) {
                ::kill(static_cast<pid_t>(pid), signal);
                waitUntil(process, [&] { return !pending(pid, signal) && blocked(); });
            }
            while (c.output == Output::Pipe && ::read(pipeEnds[0], block, sizeof block) > 0) {
            }
            ::close(pipeEnds[0]);
        }
        ASSERT_TRUE(process.waitForFinished(-1) || process.state() == QProcess::NotRunning);
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), c.status);
        const qsizetype renamed = count("*_neu.txt");
        EXPECT_EQ(renamed + count("*n.txt"), kFiles);
        EXPECT_LT(renamed, kFiles);
        const QByteArrayList err = linesOf(process.readAllStandardError());
        EXPECT_EQ(err.value(0).toStdString(),
                  std::to_string(renamed) + " umbenannt, 0 fehlgeschlagen, abgebrochen.");
        EXPECT_EQ(err.size(), c.afterSummary.isEmpty() ? 1 : 2);
        EXPECT_TRUE(err.last().startsWith(c.afterSummary)) << err.last().constData();
        const JournalStore journal(state.file("taufix"));
        EXPECT_TRUE(readJournal(journal, journal.names().value(0)).value_or(JournalRun()).ended);

        QProcess undo;
        prepare(undo, folder, state);
        undo.start(QStringLiteral(TAUFIX_BATCH_PATH), {"--undo"});
        ASSERT_TRUE(undo.waitForFinished(-1));
        EXPECT_EQ(undo.readAllStandardError().toStdString(),
                  std::to_string(renamed) + " zurückbenannt, 0 fehlgeschlagen.\n");
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), names);
        if (HasFailure()) {
            break;  // the next case would not find the files as named
        }
    }
}

TEST(BatchProgram, OutputThatCannotBeWrittenIsSaidWithStatus5EvenWhenOnlyItsLastBlockFails) {
    const TempFolder folder({"a.txt"});
    const TempFolder state;
    // In this order: the list shows the run before it. A closed output is not taken by a file
    // opened later.
    const std::tuple<QStringList, bool, QByteArray> runs[] = {
        {{"--apply", "-m", "[NAME]_neu[TYP]", "a.txt"}, false, ")."},
        {{"--undo", "--list"}, false, ")."},
        {{"--version"}, true, QByteArray(::strerror(EBADF)) + ")."},
    };
    for (const auto& [arguments, closed, end] : runs) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        QProcess process;
        prepare(process, folder, state);
        if (closed) {
            process.setChildProcessModifier([] { ::close(STDOUT_FILENO); });
        } else {
            process.setStandardOutputFile(QStringLiteral("/dev/full"));
        }
        process.start(QStringLiteral(TAUFIX_BATCH_PATH), arguments);
        ASSERT_TRUE(process.waitForFinished(-1));
        EXPECT_EQ(process.exitCode(), kWriteFailed);
        const QByteArray last = linesOf(process.readAllStandardError()).last();
        EXPECT_TRUE(last.startsWith(kUnwritable) && last.endsWith(end)) << last.constData();
    }
}

TEST(BatchProgram, OutsideARunASignalEndsTheProgramAtOnce) {
    const TempFolder folder;
    const TempFolder state;
    QProcess process;
    prepare(process, folder, state);
    process.start(QStringLiteral(TAUFIX_BATCH_PATH), {"--apply", "--files-from", "-"});
    ASSERT_TRUE(process.waitForStarted(-1));
    const qint64 pid = process.processId();
    waitUntil(process, [&] { return waitingIn(pid, SYS_read, STDIN_FILENO); });
    ::kill(static_cast<pid_t>(pid), SIGINT);
    waitUntil(process, [&] { return !pending(pid, SIGINT); });
    process.closeWriteChannel();  // a program that lived on would read its end now
    process.waitForFinished(-1);
    EXPECT_EQ(process.exitStatus(), QProcess::CrashExit);
}

}  // namespace
