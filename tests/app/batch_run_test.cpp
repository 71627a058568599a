#include "app/batch/batch_run.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QDateTime>
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
    Outcome run(const QList<QByteArray>& arguments, QByteArray input = {}) {
        QBuffer in(&input);
        QBuffer out;
        QBuffer err;
        for (QBuffer* buffer : {&in, &out, &err}) {
            buffer->open(QIODevice::ReadWrite);
        }
        JournalStore journal(journalPath.isEmpty() ? journalFolder.path() : journalPath);
        BatchEnvironment environment{in, out, err, fileSystem, journal, stopRequested};
        environment.runUnderWay = runUnderWay;
        const int status = runBatch(arguments, environment);
        return {status, linesOf(out.data()), linesOf(err.data())};
    }
    Outcome run(const QStringList& arguments, QByteArray input = {}) {
        QByteArrayList native;
        for (const QString& argument : arguments) {
            native << QFile::encodeName(argument);
        }
        return run(native, input);
    }

    FakeFileSystem fileSystem;
    TempFolder journalFolder;
    QString journalPath;  // another place than journalFolder
    std::function<bool()> stopRequested = [] { return false; };
    std::function<void(bool)> runUnderWay = [](bool) {};
};

Outcome runWith(const QStringList& arguments, QByteArray input = {}) {
    return Batch().run(arguments, input);
}

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

TEST(BatchRun, OptionsShapeTheNewNamesWithoutTouchingAFile) {
    struct Case {
        QStringList options;
        QString first, second;  // new names of foto.JPG and Urlaub.png
    };
    const Case cases[] = {
        {{}, "foto.JPG", "Urlaub.png"},
        {{"--mask=[ZAHL]_[NAME][TYP]", "--start", "9", "--step=3"}, "9_foto.JPG", "12_Urlaub.png"},
        {{"-m", "[ZAHL][TYP]", "--digits", "3", "--lead-zeros", "null"}, "001.JPG", "002.png"},
        {{"-m[ZAHL][TYP]", "--digits=4", "--lead-zeros=unterstrich"}, "___1.JPG", "___2.png"},
        {{"-m", "[ZAHL][TYP]", "--digits", "2", "--lead-zeros", "leerzeichen"}, " 1.JPG", " 2.png"},
        {{"-m", "[ZAHL][TYP]", "--lead-zeros", "null", "--start", "0099"}, "099.JPG", "100.png"},
        {{"-m", "[ZAHL][TYP]", "--start", "123456789"}, "99999999.JPG", "100000000.png"},
        {{"--case", "GROß"}, "FOTO.JPG", "URLAUB.PNG"},
        {{"--case=klein"}, "foto.jpg", "urlaub.png"},
        {{"--case", "anfangs", "-m", "mein [NAME][TYP]"}, "Mein foto.jpg", "Mein urlaub.png"},
        {{"--search", "LAUB", "--replace", "lob"}, "foto.JPG", "Urlob.png"},
    };
    const TempFolder folder({"Urlaub.png", "foto.JPG"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(u' ').toStdString());
        const Outcome run = runWith(c.options + pathsOf(folder, {"Urlaub.png", "foto.JPG"}));
        EXPECT_EQ(run.status, kPlanSound);
        EXPECT_EQ(run.err, QList<QByteArray>());
        EXPECT_EQ(run.out, (QList<QByteArray>{line(folder, "foto.JPG", c.first),
                                              line(folder, "Urlaub.png", c.second)}));
    }
    EXPECT_EQ(folder.contents(),
              (Contents{{"Urlaub.png", "Urlaub.png"}, {"foto.JPG", "foto.JPG"}}));
}

TEST(BatchRun, SortChoicesOrderTheListAndKeineKeepsTheGivenOrder) {
    const std::pair<QStringList, QStringList> cases[] = {
        {{}, {"2/a.jpg", "1/b.txt", "1/c.doc"}},
        {{"--descending"}, {"1/c.doc", "1/b.txt", "2/a.jpg"}},
        {{"--sort=ordner", "--descending"}, {"2/a.jpg", "1/b.txt", "1/c.doc"}},
        {{"--sort", "groesse"}, {"2/a.jpg", "1/c.doc", "1/b.txt"}},
        {{"--sort", "typ"}, {"1/c.doc", "2/a.jpg", "1/b.txt"}},
        {{"--sort", "datum", "--descending"}, {"1/b.txt", "2/a.jpg", "1/c.doc"}},
        {{"--sort", "keine", "--descending"}, {"1/b.txt", "1/c.doc", "2/a.jpg"}},
    };
    const TempFolder folder({"1/", "2/"});
    const std::tuple<QString, int, int> files[] = {
        {"2/a.jpg", 10, 1}, {"1/b.txt", 30, 2}, {"1/c.doc", 20, 0}};  // name, size, day
    for (const auto& [name, size, day] : files) {
        folder.touch(name, QByteArray(size, 'x'));
        QFile file(folder.file(name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(QDateTime(QDate(2020, 5, 1 + day), QTime(12, 0)),
                         QFileDevice::FileModificationTime);
    }
    for (const auto& [options, order] : cases) {
        SCOPED_TRACE(options.join(u' ').toStdString());
        const Outcome run = runWith(options + pathsOf(folder, {"1/b.txt", "1/c.doc", "2/a.jpg"}));
        QList<QByteArray> expected;
        for (const QString& name : order) {
            expected << line(folder, name, name);
        }
        EXPECT_EQ(run.out, expected);
    }
}

TEST(BatchRun, RefusedPlanRenamesNothingAndSaysWhyInTheWindowsOrder) {
    struct Case {
        QStringList options;
        QStringList files;
        QByteArray message;
    };
    const Case cases[] = {
        {{"-m", "[1-300]", "--digits", "99"}, {}, "Fehler: Die Zahl ist zu groß."},
        {{"-m", "x[TYP]"},
         {"a.txt"},
         "Fehler: Einige neue Namen überschneiden sich mit denen existierender Dateien!"},
        {{"-m", ""}, {"a.txt"}, "Fehler: Die Maske ist leer."},
        {{"--digits", "99"}, {}, "Fehler: Keine Dateien angegeben."},
        {{}, {"sub", "fehlt.txt"}, "Fehler: Alle angegebenen Pfade wurden übersprungen."},
        {{"-m", "[ZAHL][TYP]", "--start", "100", "--digits", "2"},
         {"a.txt"},
         "Fehler: Die Stellenzahl 2 ist zu klein; möglich sind 3 bis 12."},
        {{"--case", "gross", "--digits", "0123456789012"},
         {"a.txt", "A.TXT"},
         "Fehler: Die Stellenzahl 0123456789012 ist zu groß; möglich sind 1 bis 12."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(u' ').toStdString());
        const TempFolder folder({"a.txt", "A.TXT", "x.txt", "sub/"});
        const Contents before = folder.contents();
        const Outcome run = runWith(c.options + QStringList{"--apply"} + pathsOf(folder, c.files));
        EXPECT_EQ(run.status, kPlanRefused);
        EXPECT_EQ(run.err.value(run.err.size() - 1), c.message);
        EXPECT_EQ(run.out, QList<QByteArray>());
        EXPECT_EQ(folder.contents(), before);
    }
}

TEST(BatchRun, ARefusedPlanNamesEachFileInTroubleWithWhyBeforeTheRefusal) {
    const TempFolder folder({"b.txt", "c\nd.txt", "e.jpg", "x.txt"});
    const QStringList files = pathsOf(folder, {"b.txt", "c\nd.txt", "e.jpg"});
    const QByteArray taken = "; Eine andere Datei dieses Namens gibt es schon)";
    const Outcome run = runWith(QStringList{"-m", "x[TYP]"} + files);
    EXPECT_EQ(run.status, kPlanRefused);
    EXPECT_EQ(run.err,
              (QList<QByteArray>{"Konflikt: " + folder.native("b.txt") +
                                     " (Gleicher neuer Name wie c\\nd.txt im selben Ordner" + taken,
                                 "Konflikt: " + readablePath(folder.native("c\nd.txt")) +
                                     " (Gleicher neuer Name wie b.txt im selben Ordner" + taken,
                                 "Fehler: Die neuen Dateinamen sind nicht alle eindeutig - "
                                 "überprüfen Sie die Maske!"}));
    // Names of a digit count the user did not ask for are not the user's plan.
    EXPECT_EQ(runWith(QStringList{"-m", "x[TYP]", "--digits", "99"} + files).err.size(), 1);
}

TEST(BatchRun, UsageErrorsExitWith2AndShowTheUsage) {
    const std::pair<QStringList, QByteArray> cases[] = {
        {{"--frobnicate=1"}, "Unbekannte Option: --frobnicate"},
        {{"-0x"}, "Unbekannte Option: -x"},
        {{"--step=-1"}, "Ungültiger Wert „-1“ für --step; erlaubt sind nur die Ziffern 0 bis 9."},
        {{"-m"}, "Die Option -m verlangt einen Wert."},
        {{"--case", "fett"},
         "Ungültiger Wert „fett“ für --case; erlaubt sind: beibehalten, gross, klein, anfangs."},
        {{"--apply=ja"}, "Die Option --apply erlaubt keinen Wert."},
        {{"--files-from", "/nirgends/liste"},
         "Die Pfadliste „/nirgends/liste“ lässt sich nicht lesen."},
        {{"--list"}, "Die Option --list gilt nur zusammen mit --undo."},
    };
    for (const auto& [arguments, message] : cases) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const TempFolder folder({"a.txt"});
        // A sound plan before the error: the error alone must stop it.
        const Outcome run =
            runWith(QStringList{"--apply", "-m", "neu[TYP]", folder.file("a.txt")} + arguments);
        EXPECT_EQ(run.status, kUsageError);
        EXPECT_EQ(run.err, (QList<QByteArray>{"taufix-batch: " + message,
                                              "Aufruf: taufix-batch [OPTION]... [--] [DATEI]...",
                                              "„taufix-batch --help“ zeigt alle Optionen."}));
        EXPECT_EQ(run.out, QList<QByteArray>());
        EXPECT_EQ(folder.contents(), (Contents{{"a.txt", "a.txt"}}));
    }
    // Bytes that are no UTF-8 would become another mask than given; no path is that long.
    EXPECT_EQ(Batch().run(QByteArrayList{"-m", "x\xff[TYP]", "a"}).err.value(0),
              "taufix-batch: Der Wert von -m ist kein gültiges UTF-8.");
    EXPECT_EQ(runWith({"--files-from", "-"}, QByteArray(5000, 'x')).err.value(0),
              "taufix-batch: Die Pfadliste „-“ enthält einen Eintrag von mehr als 4096 Bytes.");
    // Help and version end the parse: what follows them is not read.
    EXPECT_EQ(runWith({"-0h", "--start", "x"}).out.value(0),
              "Aufruf: taufix-batch [OPTION]... [--] [DATEI]...");
    EXPECT_EQ(runWith({"--version", "--frobnicate"}).status, kPlanSound);
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

TEST(BatchRun, AJournalThatCannotBeWrittenRefusesTheRun) {
    const TempFolder folder({"a.txt"});
    Batch batch;
    batch.journalPath = batch.journalFolder.touch("journal") + "/taufix";  // below a file
    const Outcome run = batch.run(QStringList{"--apply", "-m", "x[TYP]", folder.file("a.txt")});
    EXPECT_EQ(run.status, kPlanRefused);
    EXPECT_TRUE(run.err.value(0).startsWith("Fehler: Das Protokoll lässt sich nicht schreiben"));
    EXPECT_EQ(folder.contents(), (Contents{{"a.txt", "a.txt"}}));
}

TEST(BatchRun, PathListsAddTheirPathsWhereTheOptionStandsAndSkippedPathsAreReported) {
    const TempFolder folder({"a.txt", "b c.txt", "z.txt", " d.txt ", "d\ne.txt", "sub/"});
    // Empty items are passed over; the last needs no separator after it.
    auto listOf = [&](const QString& odd, const QString& separator) {
        return QStringList{folder.file("b c.txt"), "", folder.file(odd)}.join(separator).toUtf8();
    };
    const std::tuple<QStringList, QString, QByteArray> cases[] = {
        {{"--files-from", "-"}, " d.txt ", listOf(" d.txt ", "\r\n")},
        {{"-0", "--files-from", folder.file("liste")}, "d\ne.txt", listOf("d\ne.txt", {QChar()})},
        {{"--null", "--files-from=-"}, "d\ne.txt", listOf("d\ne.txt", {QChar()})},
    };
    const QStringList skipped = pathsOf(folder, {"sub", "fehlt.txt", "./a.txt"});
    for (const auto& [options, odd, list] : cases) {
        SCOPED_TRACE(options.join(u' ').toStdString());
        folder.touch("liste", list);
        const Outcome run = runWith(QStringList{"--sort", "keine", folder.file("z.txt")} + options +
                                        QStringList{folder.file("a.txt")} + skipped,
                                    list);
        const QByteArray expected = line(folder, "z.txt", "z.txt") + '\n' +
                                    line(folder, "b c.txt", "b c.txt") + '\n' +
                                    line(folder, odd, odd) + '\n' + line(folder, "a.txt", "a.txt");
        EXPECT_EQ(run.out, linesOf(expected));
        EXPECT_EQ(run.err, linesOf("Übersprungen: " + skipped.join("\nÜbersprungen: ").toUtf8()));
    }
}

}  // namespace
