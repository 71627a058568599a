#include "app/batch/batch_run.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QDateTime>

#include "batch_folder.h"
#include "host_file_system_wrapper.h"
#include "plan/file_system.h"

namespace {

using Contents = std::map<QString, QByteArray>;

struct Outcome {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Outcome runWith(const QStringList& arguments, QByteArray input = {},
                FileSystem& fileSystem = hostFileSystem()) {
    QBuffer in(&input);
    QBuffer out;
    QBuffer err;
    in.open(QIODevice::ReadOnly);
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    QByteArrayList nativeArguments;
    for (const QString& argument : arguments) {
        nativeArguments << QFile::encodeName(argument);
    }
    const int status = runBatch(nativeArguments, in, out, err, fileSystem);
    return {status, out.data(), err.data()};
}

QStringList pathsOf(const BatchFolder& folder, const QStringList& names) {
    QStringList paths;
    for (const QString& name : names) {
        paths << folder.path(name);
    }
    return paths;
}

TEST(BatchRun, PreviewListsOldAndNewPathInListOrderAndChangesNothing) {
    const BatchFolder folder({"b.txt", "Ö c.jpg", "a.txt"});
    const Outcome run = runWith(QStringList{"-m", "Bild_ß[ZAHL][TYP]"} +
                                pathsOf(folder, {"b.txt", "Ö c.jpg", "a.txt"}));
    EXPECT_EQ(run.status, kPlanSound);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(outputLines(run.out), (QList<QByteArray>{folder.line("a.txt", "Bild_ß1.txt"),
                                                       folder.line("b.txt", "Bild_ß2.txt"),
                                                       folder.line("Ö c.jpg", "Bild_ß3.jpg")}));
    EXPECT_EQ(folder.contents(),
              (Contents{{"a.txt", "a.txt"}, {"b.txt", "b.txt"}, {"Ö c.jpg", "Ö c.jpg"}}));
}

TEST(BatchRun, OptionsShapeTheNewNames) {
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
        {{"-m", "[ZAHL][TYP]", "--step", "7654321"}, "1.JPG", "100000.png"},
        {{"--case", "GROß"}, "FOTO.JPG", "URLAUB.PNG"},
        {{"--case=klein"}, "foto.jpg", "urlaub.png"},
        {{"--case", "anfangs", "-m", "mein [NAME][TYP]"}, "Mein foto.jpg", "Mein urlaub.png"},
        {{"--search", "LAUB", "--replace", "lob"}, "foto.JPG", "Urlob.png"},
    };
    const BatchFolder folder({"Urlaub.png", "foto.JPG"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(u' ').toStdString());
        const Outcome run = runWith(c.options + pathsOf(folder, {"Urlaub.png", "foto.JPG"}));
        EXPECT_EQ(run.status, kPlanSound);
        EXPECT_EQ(outputLines(run.out), (QList<QByteArray>{folder.line("foto.JPG", c.first),
                                                           folder.line("Urlaub.png", c.second)}));
    }
}

TEST(BatchRun, SortChoicesOrderTheListAndKeineKeepsTheGivenOrder) {
    const std::pair<QStringList, QStringList> cases[] = {
        {{}, {"2/a.jpg", "1/b.txt", "1/c.doc"}},
        {{"--descending"}, {"1/c.doc", "1/b.txt", "2/a.jpg"}},
        {{"--sort=ordner", "--descending"}, {"2/a.jpg", "1/b.txt", "1/c.doc"}},
        {{"--sort", "groesse"}, {"2/a.jpg", "1/c.doc", "1/b.txt"}},
        {{"--sort", "typ"}, {"1/c.doc", "2/a.jpg", "1/b.txt"}},
        {{"--sort", "datum", "--descending"}, {"1/b.txt", "2/a.jpg", "1/c.doc"}},
        {{"--sort", "keine"}, {"1/b.txt", "1/c.doc", "2/a.jpg"}},
        {{"--sort", "keine", "--descending"}, {"1/b.txt", "1/c.doc", "2/a.jpg"}},
    };
    const BatchFolder folder({"1/", "2/"});
    const std::tuple<QString, int, int> files[] = {// name, size, age in days
                                                   {"2/a.jpg", 10, 1},
                                                   {"1/b.txt", 30, 2},
                                                   {"1/c.doc", 20, 0}};
    for (const auto& [name, size, age] : files) {
        folder.write(name, QByteArray(size, 'x'));
        QFile file(folder.path(name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(QDateTime(QDate(2020, 5, 1 + age), QTime(12, 0)),
                         QFileDevice::FileModificationTime);
    }
    for (const auto& [options, order] : cases) {
        SCOPED_TRACE(options.join(u' ').toStdString());
        const Outcome run = runWith(options + pathsOf(folder, {"1/b.txt", "1/c.doc", "2/a.jpg"}));
        QList<QByteArray> expected;
        for (const QString& name : order) {
            expected << folder.line(name, name);
        }
        EXPECT_EQ(outputLines(run.out), expected);
    }
}

TEST(BatchRun, ApplyRenamesFromTheLastEntryToTheFirst) {
    const BatchFolder folder({"a.txt", "b.txt", "c.txt"});
    const Outcome run = runWith(QStringList{"-m", "x[ZAHL][TYP]", "--apply"} +
                                pathsOf(folder, {"b.txt", "c.txt", "a.txt"}));
    EXPECT_EQ(run.status, kPlanSound);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(outputLines(run.out),
              (QList<QByteArray>{folder.line("c.txt", "x3.txt"), folder.line("b.txt", "x2.txt"),
                                 folder.line("a.txt", "x1.txt")}));
    EXPECT_EQ(folder.contents(),
              (Contents{{"x1.txt", "a.txt"}, {"x2.txt", "b.txt"}, {"x3.txt", "c.txt"}}));
}

TEST(BatchRun, RefusedPlanRenamesNothingAndSaysWhy) {
    struct Case {
        QStringList options;
        QStringList files;
        QByteArray message;
    };
    const Case cases[] = {
        {{"-m", "[1-300]"}, {"a.txt"}, "Fehler: Die Zahl ist zu groß."},
        {{"-m", "x[TYP]"},
         {"a.txt"},
         "Fehler: Einige neue Namen überschneiden sich mit denen existierender Dateien!"},
        {{"--case", "gross"},
         {"a.txt", "A.TXT"},
         "Fehler: Die neuen Dateinamen sind nicht alle eindeutig - überprüfen Sie die Maske!"},
        {{"-m", ""}, {"a.txt"}, "Fehler: Die Maske ist leer."},
        {{"--mask="}, {}, "Fehler: Die Maske ist leer."},
        {{}, {"sub", "fehlt.txt"}, "Fehler: Keine Dateien angegeben."},
        {{"-m", "[ZAHL][TYP]", "--start", "100", "--digits", "2"},
         {"a.txt"},
         "Fehler: Die Stellenzahl 2 ist zu klein; möglich sind 3 bis 12."},
        {{"--digits", "123456789012"},
         {"a.txt"},
         "Fehler: Die Stellenzahl 123456789012 ist zu groß; möglich sind 1 bis 12."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(u' ').toStdString());
        const BatchFolder folder({"a.txt", "A.TXT", "x.txt", "sub/"});
        const Contents before = folder.contents();
        const Outcome run = runWith(c.options + QStringList{"--apply"} + pathsOf(folder, c.files));
        EXPECT_EQ(run.status, kPlanRefused);
        EXPECT_EQ(outputLines(run.err).constLast(), c.message);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(folder.contents(), before);
    }
}

TEST(BatchRun, UsageErrorsExitWith2AndShowTheUsage) {
    const std::pair<QStringList, QByteArray> cases[] = {
        {{"--frobnicate=1"}, "Unbekannte Option: --frobnicate"},
        {{"-0x"}, "Unbekannte Option: -x"},
        {{"--start", "abc"},
         "Ungültiger Wert „abc“ für --start; erlaubt sind nur die Ziffern 0 bis 9."},
        {{"--step=-1"}, "Ungültiger Wert „-1“ für --step; erlaubt sind nur die Ziffern 0 bis 9."},
        {{"--digits", "٣"},
         "Ungültiger Wert „٣“ für --digits; erlaubt sind nur die Ziffern 0 bis 9."},
        {{"-m"}, "Die Option -m verlangt einen Wert."},
        {{"--case", "fett"},
         "Ungültiger Wert „fett“ für --case; erlaubt sind: beibehalten, gross, klein, anfangs."},
        {{"--apply=ja"}, "Die Option --apply erlaubt keinen Wert."},
        {{"--files-from", "/nirgends/liste"},
         "Die Pfadliste „/nirgends/liste“ lässt sich nicht lesen."},
    };
    for (const auto& [arguments, message] : cases) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const BatchFolder folder({"a.txt"});
        // A sound plan before the error: the error alone must stop it.
        const Outcome run =
            runWith(QStringList{"--apply", "-m", "neu[TYP]", folder.path("a.txt")} + arguments);
        EXPECT_EQ(run.status, kUsageError);
        EXPECT_EQ(outputLines(run.err),
                  (QList<QByteArray>{"taufix-batch: " + message,
                                     "Aufruf: taufix-batch [OPTION]... [--] [DATEI]...",
                                     "„taufix-batch --help“ zeigt alle Optionen."}));
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(folder.contents(), (Contents{{"a.txt", "a.txt"}}));
    }
    for (const QStringList& arguments : {QStringList{"-0h", "--start", "x"}, {"--version"}}) {
        const Outcome run = runWith(arguments);
        EXPECT_EQ(run.status, kPlanSound);
        EXPECT_TRUE(run.out.startsWith("Aufruf: ") || run.out.startsWith("taufix-batch 1."));
    }
}

// Creates a file under one target name just before that renaming, as another program might.
class TargetTakenFileSystem : public HostFileSystemWrapper {
  public:
    explicit TargetTakenFileSystem(QString target) : m_target(std::move(target)) {}
    RenameOutcome rename(const QString& from, const QString& to) override {
        if (to == m_target) {
            QFile file(to);
            file.open(QIODevice::WriteOnly);
            file.write("fremd");
        }
        return HostFileSystemWrapper::rename(from, to);
    }

  private:
    QString m_target;
};

TEST(BatchRun, FailedRenamingIsReportedAndTheRunGoesOnWithStatus3) {
    const QString odd = QStringLiteral("b\n-->\nx.txt");  // looks like the dialog's lines
    const BatchFolder folder({"a.txt", odd, "c.txt"});
    TargetTakenFileSystem fileSystem(folder.path("n2.txt"));
    const Outcome run = runWith(
        QStringList{"--apply", "-m", "n[ZAHL][TYP]"} + pathsOf(folder, {"a.txt", odd, "c.txt"}), {},
        fileSystem);
    EXPECT_EQ(run.status, kRenamingFailed);
    EXPECT_EQ(outputLines(run.out),
              (QList<QByteArray>{folder.line("c.txt", "n3.txt"), folder.line("a.txt", "n1.txt")}));
    EXPECT_EQ(run.err, "Folgende Datei ließ sich nicht umbenennen: " +
                           folder.line(odd, "n2.txt").replace('\t', " --> ") + '\n');
    EXPECT_EQ(
        folder.contents(),
        (Contents{
            {odd, odd.toUtf8()}, {"n1.txt", "a.txt"}, {"n2.txt", "fremd"}, {"n3.txt", "c.txt"}}));
}

TEST(BatchRun, PathListsAddTheirPathsWhereTheOptionStands) {
    const BatchFolder folder({"a.txt", "b c.txt", "z.txt", " d.txt ", "d\ne.txt"});
    // Empty items are passed over; the last needs no separator after it.
    auto listOf = [&](const QString& odd, char separator) {
        return pathsOf(folder, {"b c.txt", "", odd}).join(QChar(separator)).toUtf8();
    };
    const std::tuple<QStringList, QString, QByteArray> cases[] = {
        {{"--files-from", "-"}, " d.txt ", listOf(" d.txt ", '\n')},
        {{"-0", "--files-from", folder.path("liste")}, "d\ne.txt", listOf("d\ne.txt", '\0')},
        {{"--null", "--files-from=-"}, "d\ne.txt", listOf("d\ne.txt", '\0')},
    };
    for (const auto& [options, odd, list] : cases) {
        folder.write("liste", list);
        const Outcome run = runWith(QStringList{"--sort", "keine", folder.path("z.txt")} + options +
                                        QStringList{folder.path("a.txt")},
                                    list);
        EXPECT_EQ(run.out, folder.line("z.txt", "z.txt") + '\n' +
                               folder.line("b c.txt", "b c.txt") + '\n' + folder.line(odd, odd) +
                               '\n' + folder.line("a.txt", "a.txt") + '\n')
            << options.join(u' ').toStdString();
    }
}

TEST(BatchRun, SkippedPathsAreReportedOneALine) {
    const BatchFolder folder({"a.txt", "sub/"});
    const QStringList given = pathsOf(folder, {"sub", "fehlt.txt", "a.txt", "./a.txt"});
    const Outcome run = runWith(given);
    EXPECT_EQ(run.status, kPlanSound);
    EXPECT_EQ(outputLines(run.out), (QList<QByteArray>{folder.line("a.txt", "a.txt")}));
    EXPECT_EQ(run.err, "Übersprungen: " + QFile::encodeName(given.at(0)) +
                           "\nÜbersprungen: " + QFile::encodeName(given.at(1)) +
                           "\nÜbersprungen: " + QFile::encodeName(given.at(3)) + '\n');
}

// Any number of files, in memory only.
class VirtualFileSystem : public FileSystem {
  public:
    std::optional<PathFacts> statPath(const QString&) const override {
        return PathFacts{false, 1, LocalTime{2024, 1, 1, 0, 0, 0}};
    }
    QString storedName(const QString& p) const override { return p.mid(p.lastIndexOf(u'/') + 1); }
    FolderIndex readFolder(const QString&) const override { return {}; }
    RenameOutcome rename(const QString&, const QString&) override { return RenameOutcome::Renamed; }
};

TEST(BatchRun, HundredThousandPathsFromStandardInput) {
    constexpr int kCount = 100000;
    QByteArray list;
    for (int i = kCount; i >= 1; --i) {
        list += "/v/f" + QByteArray::number(i).rightJustified(6, '0') + ".txt\n";
    }
    VirtualFileSystem fileSystem;
    const Outcome run = runWith(
        {"--files-from", "-", "-m", "[ZAHL]_[NAME][TYP]", "--apply", "--lead-zeros", "null"}, list,
        fileSystem);
    EXPECT_EQ(run.status, kPlanSound);
    const QList<QByteArray> lines = outputLines(run.out);
    ASSERT_EQ(lines.size(), kCount);
    EXPECT_EQ(lines.constFirst(), "/v/f100000.txt\t/v/100000_f100000.txt");
    EXPECT_EQ(lines.constLast(), "/v/f000001.txt\t/v/000001_f000001.txt");
}

}  // namespace
