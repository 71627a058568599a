#include "app/batch/batch_run.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include "app/batch/batch_output.h"

#include "fake_file_system.h"
#include "filesystem/journal_store.h"
#include "temp_folder.h"

namespace {

struct Outcome {
    int status = -1;
    QList<QByteArray> out;
    QList<QByteArray> err;
};

QList<QByteArray> linesOf(QByteArray output) {
    if (output.endsWith('\n')) {
        output.chop(1);
    }
    return output.isEmpty() ? QList<QByteArray>() : output.split('\n');
}

// The program with its own journal folder, so that an undo finds the runs before it.
struct Batch {
    Outcome run(const QStringList& arguments) {
        QByteArrayList native;
        for (const QString& argument : arguments) {
            native << QFile::encodeName(argument);
        }
        QBuffer in;
        QBuffer out;
        QBuffer err;
        for (QBuffer* buffer : {&in, &out, &err}) {
            buffer->open(QIODevice::ReadWrite);
        }
        JournalStore journal(journalFolder.path());
        BatchEnvironment environment{in, out, err, fileSystem, journal, stopRequested};
        environment.runUnderWay = runUnderWay;
        const int status = runBatch(native, environment);
        return {status, linesOf(out.data()), linesOf(err.data())};
    }

    FakeFileSystem fileSystem;
    TempFolder journalFolder;
    std::function<bool()> stopRequested = [] { return false; };
    std::function<void(bool)> runUnderWay = [](bool) {};
};

QStringList pathsOf(const TempFolder& folder, const QStringList& names) {
    QStringList paths;
    for (const QString& name : names) {
        paths << folder.file(name);
    }
    return paths;
}

// An output line "old<TAB>new" for two names in the folder.
QByteArray line(const TempFolder& folder, const QString& from, const QString& to) {
    return readablePath(folder.native(from)) + '\t' + readablePath(folder.native(to));
}

TEST(BatchOutput, PathsAreWrittenReadablyOnOneLine) {
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"/a b/Ärger.txt", "/a b/Ärger.txt"},
        {"/x/a\nb\tc\\d", "/x/a\\nb\\tc\\\\d"},
        {"/x/\x01\x7f\r", "/x/\\x01\\x7f\\x0d"},
        {"/x/\xff\xc3\xa4", "/x/\\xff\\xc3\\xa4"},  // no valid UTF-8: every high byte escaped
    };
    for (const auto& [native, readable] : cases) {
        EXPECT_EQ(readablePath(native), readable) << native.constData();
    }
}

TEST(BatchRun, ARunReportsEachRenamingAndFailureWithItsReasonAndEndsWithASummary) {
    const QString odd = QStringLiteral("b\n-->\nx.txt");  // looks like the dialog's lines
    const TempFolder folder({"a.txt", odd, "c.txt"});
    Batch batch;
    batch.fileSystem.beforeRename = blockTarget(odd, "fremd");
    const QStringList arguments =
        QStringList{"--apply", "-m", "n[ZAHL][TYP]"} + pathsOf(folder, {"a.txt", odd, "c.txt"});
    const Outcome run = batch.run(arguments);
    EXPECT_EQ(run.status, kRenamingFailed);
    EXPECT_EQ(run.out, (QList<QByteArray>{line(folder, "c.txt", "n3.txt"),
                                          line(folder, "a.txt", "n1.txt")}));
    EXPECT_EQ(run.err, (QList<QByteArray>{"Folgende Datei ließ sich nicht umbenennen: " +
                                              line(folder, odd, "n2.txt").replace('\t', " --> ") +
                                              " (Ziel existiert bereits)",
                                          "2 umbenannt, 1 fehlgeschlagen."}));
    EXPECT_EQ(
        folder.contents(),
        (Contents{
            {odd, odd.toUtf8()}, {"n1.txt", "a.txt"}, {"n2.txt", "fremd"}, {"n3.txt", "c.txt"}}));
}

// A file left as it was, an old name another file took meanwhile, an undo while its run goes on.
TEST(BatchRun, UnchangedAndOldNamesTakenAreToldAndAnUndoWaitsForItsRun) {
    const TempFolder folder({"a.txt", "b.txt"});
    Batch batch;
    batch.fileSystem.refusesNoReplaceFlag = true;
    batch.fileSystem.afterLink = [](const QString& from) {
        QFile::rename(from, from + ".alt");
        QFile(from).open(QIODevice::WriteOnly);
    };
    const Outcome run = batch.run(QStringList{"--apply", "--search", "b", "--replace", "c"} +
                                  pathsOf(folder, {"a.txt", "b.txt"}));
    EXPECT_EQ(run.status, kPlanSound);
    EXPECT_EQ(run.err, (QList<QByteArray>{"Hinweis: " + folder.native("b.txt") +
                                              ": der alte Name ist belegt von einer anderen Datei",
                                          "1 umbenannt, 1 unverändert, 0 fehlgeschlagen."}));
    JournalStore journal(batch.journalFolder.path());
    std::unique_ptr<JournalHold> running = journal.hold(journal.names().last());
    const Outcome refused = batch.run(QStringList{"--undo"});
    EXPECT_EQ(refused.status, kPlanRefused);
    EXPECT_EQ(refused.err, QList<QByteArray>{"Fehler: Der letzte Lauf oder ein Rückgängig davon "
                                             "ist noch im Gang; nichts wurde zurückbenannt."});
    running.reset();
    EXPECT_EQ(batch.run(QStringList{"--undo"}).err.last(), "0 zurückbenannt, 1 fehlgeschlagen.");
}

// Only a failing disk stops the reading of a folder halfway: what it did read is taken.
TEST(BatchRun, RecursiveTellsAFolderReadOnlyInPartAsSkipped) {
    const TempFolder folder({"u/", "u/a.txt"});
    Batch batch;
    batch.fileSystem.brokenFolders << folder.native("u");
    const Outcome run = batch.run({"-r", "-m", "n[TYP]", folder.file("u")});
    EXPECT_EQ(run.status, kPlanSound);
    EXPECT_EQ(run.out, QList<QByteArray>{line(folder, "u/a.txt", "u/n.txt")});
    EXPECT_EQ(run.err, QList<QByteArray>{"Übersprungen: " + folder.native("u")});
}

TEST(BatchRun, UndoGivesAnInterruptedRunsFilesTheirNamesBackOnce) {
    const QString odd = QStringLiteral("b\n\x1b[2J\a.txt");  // would clear a terminal and ring
    const TempFolder folder({"a.txt", odd});
    Batch batch;
    bool signalled = true;  // a signal arrives during the first renaming
    batch.stopRequested = [&] { return signalled && !batch.fileSystem.renamed.isEmpty(); };
    bool underWay = false;  // signals are to stop the run and the undo only while they rename
    batch.runUnderWay = [&](bool told) { underWay = told; };
    batch.fileSystem.beforeRename = [&](const QString&, const QString&) { EXPECT_TRUE(underWay); };
    const Outcome run =
        batch.run(QStringList{"--apply", "-m", "x_[NAME][TYP]"} + pathsOf(folder, {"a.txt", odd}));
    EXPECT_FALSE(underWay);
    EXPECT_EQ(run.status, kInterrupted);
    EXPECT_EQ(run.err, QList<QByteArray>{"1 umbenannt, 0 fehlgeschlagen, abgebrochen."});
    EXPECT_EQ(folder.contents(), (Contents{{"a.txt", "a.txt"}, {"x_" + odd, odd.toUtf8()}}));

    signalled = false;
    const Outcome undo = batch.run(QStringList{"--undo", "--print0"});
    EXPECT_EQ(undo.status, kPlanSound);
    EXPECT_EQ(undo.out, linesOf(folder.native("x_" + odd) + '\0' + folder.native(odd) + '\0'));
    EXPECT_EQ(undo.err, QList<QByteArray>{"1 zurückbenannt, 0 fehlgeschlagen."});
    EXPECT_FALSE(underWay);
    EXPECT_EQ(folder.contents(), (Contents{{"a.txt", "a.txt"}, {odd, odd.toUtf8()}}));

    EXPECT_EQ(batch.run(QStringList{"--undo"}).out, QList<QByteArray>());  // done already
    const QList<QByteArray> journal = batch.run(QStringList{"--undo", "--list"}).out;
    EXPECT_TRUE(journal.contains("  umbenannt: " + readablePath(folder.native(odd)) +
                                 " --> x_b\\n\\x1b[2J\\x07.txt"))
        << journal.join('\n').constData();
    EXPECT_TRUE(journal.contains("  nicht umbenannt: " + folder.native("a.txt") + " --> x_a.txt"));
}

}  // namespace
