#include <gtest/gtest.h>
#include <QDateTime>

#include <fcntl.h>
#include <sys/stat.h>
#include <iostream>
#include <numeric>
#include <random>

#include "fake_file_system.h"
#include "filesystem/folder_index_cache.h"
#include "filesystem/journal_store.h"
#include "list/list_filling.h"
#include "plan/counter_fields.h"
#include "plan/messages.h"
#include "plan/plan_check.h"
#include "plan/rename_order.h"
#include "plan/rename_run.h"
#include "plan/two_thread_run.h"
#include "plan/undo.h"
#include "run_support.h"
#include "temp_folder.h"

namespace {

TEST(ValidateNumericText, ReadsRoundsDownTakesTheAbsoluteValueAndBounds) {
    const struct Case {
        const char* text;
        qint32 largest;
        const char* value;  // also the field's new text
    } cases[] = {
        {"007", 99999999, "7"},         {"2.7", 99999999, "2"},    {"-2.5", 99999999, "3"},
        {"abc", 99999999, "0"},         {"", 99999999, "0"},       {"1 2\t3\n4", 99999999, "1234"},
        {"12abc", 99999999, "12"},      {".5", 99999999, "0"},     {"1e3", 99999999, "1000"},
        {"1E+2", 99999999, "100"},      {"2e", 99999999, "2"},     {"2e-1", 99999999, "0"},
        {"1e20", 99999999, "99999999"}, {"1e400", 99999, "99999"}, {"123456", 99999, "99999"},
        {"99999", 99999, "99999"},      {"-", 99999999, "0"},      {"٣", 99999999, "0"}};
    for (const Case& c : cases) {
        QString text = c.text;
        EXPECT_EQ(ValidateNumericText(text, c.largest), QByteArray(c.value).toInt()) << c.text;
        EXPECT_EQ(text, c.value) << c.text;
    }
}

TEST(ChkForValidNumKeys, OnlyDigitsAndBackspacePass) {
    const std::pair<int, int> cases[] = {{'0', '0'}, {'7', '7'}, {'9', '9'}, {8, 8},   {'/', 0},
                                         {':', 0},   {'-', 0},   {'.', 0},   {' ', 0}, {'e', 0},
                                         {13, 0},    {127, 0},   {0xE4, 0}};
    for (const auto& [key, kept] : cases) {
        int filtered = key;
        ChkForValidNumKeys(filtered);
        EXPECT_EQ(filtered, kept) << key;
    }
}

TEST(InitStellenAnzahl, ChoicesRunFromTheLengthOfTheLastCounterValueToTwelveAtLeast) {
    const struct Case {
        qint32 start, step;
        int count, minDigits, largest;
    } cases[] = {
        {1, 1, 12, 2, 12},    // last value 12
        {95, 5, 2, 3, 12},    // 100
        {1, 5, 0, 2, 12},     // empty list: -4
        {0, 0, 1000, 1, 12},  // step 0: all the same
        {99999999, 99999, 100000, 11, 12},
        {99999999, 99999, 2'000'000'000, 15, 15},  // never wraps
    };
    for (const Case& c : cases) {
        const DigitChoices choices = InitStellenAnzahl(c.start, c.step, c.count);
        EXPECT_EQ(std::pair(choices.MinDigits, choices.largest), std::pair(c.minDigits, c.largest))
            << c.start << "/" << c.step << "/" << c.count;
    }
}

const qint64 kNow = QDateTime::currentSecsSinceEpoch();

// Sets the folder's modification time to whole seconds before the tests began.
void modifiedAgo(const QString& folder, qint64 seconds) {
    const timespec times[2] = {{kNow - seconds, 0}, {kNow - seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(folder), times, 0), 0);
}

struct UnstampedFileSystem : FakeFileSystem {
    std::optional<FolderStamp> folderStamp(const QString&) const override { return std::nullopt; }
};

TEST(FolderIndexCache, OnlyAnUnchangedFolderStillAskedForIsReadOnce) {
    TempFolder folder({"d/", "d/a.txt"});
    const QString d = folder.file("d/");
    FakeFileSystem fs;
    FolderIndexCache cache;
    // How often one check, asking for the folder, reads it.
    const auto readsOfACheck = [&](const FakeFileSystem& fileSystem) {
        const int before = fileSystem.folderReads;
        cache.index(d, fileSystem);
        cache.dropUnused();
        return fileSystem.folderReads - before;
    };
    modifiedAgo(d, 3600);
    EXPECT_EQ(readsOfACheck(fs), 1);
    EXPECT_EQ(readsOfACheck(fs), 0);  // unchanged
    folder.touch("d/neu.txt");
    modifiedAgo(d, 3000);
    EXPECT_EQ(readsOfACheck(fs), 1);  // changed
    QDir().rename(d, folder.file("alt"));
    modifiedAgo(folder.mkdir("d"), 3000);
    EXPECT_EQ(readsOfACheck(fs), 1);  // replaced by another folder of the same time
    cache.dropUnused();               // a check that did not ask for it
    EXPECT_EQ(readsOfACheck(fs), 1);
    // Changed just now: a later change could leave the stamp as it is.
    folder.touch("d/b.txt");
    EXPECT_EQ(readsOfACheck(fs), 1);
    EXPECT_EQ(readsOfACheck(fs), 1);
    EXPECT_NE(cache.index(d, fs).index.find(u"B.TXT"), nullptr);
    EXPECT_EQ(cache.index(d, fs).index.find(u"A.TXT"), nullptr);

    UnstampedFileSystem unstamped;  // cannot tell whether the folder changed
    readsOfACheck(unstamped);
    EXPECT_EQ(readsOfACheck(unstamped), 1);

    // A cache for one pass lets its listings go at its end, unchanged or not.
    modifiedAgo(d, 3600);
    cache = FolderIndexCache(FolderIndexCache::Keeping::OnePass);
    EXPECT_EQ(readsOfACheck(fs), 1);
    EXPECT_EQ(readsOfACheck(fs), 1);
}

const QString kNotUnique =
    "Fehler: Die neuen Dateinamen sind nicht alle eindeutig - überprüfen Sie die Maske!";
const QString kClash =
    "Fehler: Einige neue Namen überschneiden sich mit denen existierender Dateien!";
const QString kTypeOnly = "Fehler: Es gibt Namen, die nur aus einer Typenkennung bestehen!";
const QString kBlank =
    "Fehler: Es gibt Namen, die nur aus Leerzeichen oder gar keinen Zeichen bestehen!";
const QString kSeparator = "Fehler: Es gibt Namen, die ein Ordner-Trennzeichen enthalten!";
const QString kTooLong = "Fehler: Es gibt Namen, die länger sind, als das Dateisystem erlaubt!";
const QString kUnreadable =
    "Fehler: Einige Ordner lassen sich nicht durchsuchen - ob ein Name "
    "schon vergeben ist, bleibt offen!";

// How the folder of a check answers: listed whole, searched name by name only, or not at all.
enum class Folders { Listed, SearchedOnly, Closed };

// Lists no folder, as where a folder can be searched but not read.
struct UnlistableFileSystem : FakeFileSystem {
    FolderListing readFolder(const QString&) const override { return {}; }
    NameLookup lookup(const QString& folder, const QString& name) const override {
        return searchable ? FakeFileSystem::lookup(folder, name) : NameLookup{false, {}, false};
    }
    bool searchable = true;
};

struct PlanCase {
    QStringList listed;  // made and listed; "-" before a name leaves its row unmarked
    QString mask;
    QString message;  // the first failure reported
    bool ok = false;
    QStringList others = {};  // made only; "name/" is a folder
    const char *search = "", *replace = "";
    qint32 start = 1;
    Folders folders = Folders::Listed;
    Chains chains = Chains::Refused;
};

PlanVerdict check(const PlanCase& c) {
    TempFolder folder(c.others);
    QByteArrayList paths;
    for (const QString& name : c.listed) {
        paths << QFile::encodeName(folder.touch(name.mid(name.startsWith(u'-') ? 1 : 0)));
    }
    UnlistableFileSystem unlistable;
    unlistable.searchable = c.folders == Folders::SearchedOnly;
    const FileSystem& fs = c.folders == Folders::Listed ? hostFileSystem() : unlistable;
    FileList list;
    FillListe(list, paths, FillMode::Drop, fs);
    for (FileEntry& e : list) {
        e.Selected = !c.listed.contains(u'-' + e.AlterName().toString());
    }
    const RenameSettings settings{c.mask,           c.start,  1,         1,       {},
                                  LetterCase::Keep, c.search, c.replace, c.chains};
    FolderIndexCache folders;
    return checkPlan(list, settings, fs, folders);
}

// The case with chains allowed.
PlanCase chained(PlanCase c) {
    c.chains = Chains::Allowed;
    return c;
}

TEST(CheckPlan, ReportsTheFirstFailureWithItsMessage) {
    const PlanCase cases[] = {
        {{"a.txt", "b.txt"}, "[TYP]", kNotUnique},  // also type-only, reported later
        {{"Bild.JPG", "bild.jpg"}, "[NAME]", kNotUnique},
        {{"a.txt", "sub/a.txt"}, "x.txt", "", true, {"sub/"}},
        {{"a.txt"}, "bild.jpg", kClash, false, {"Bild.jpg"}},
        {{"foto.jpg"}, "FOTO.JPG", "", true},
        {{"foto.jpg"}, "FOTO.JPG", kClash, false, {"FOTO.JPG"}},
        {{"a.txt"}, "bild.jpg", "", true, {"bild.jpg/"}},
        {{"a.txt"}, ".bild.jpg", kTypeOnly, false, {".bild.jpg"}},  // a hidden file never clashes
        // 2.txt clashes though the same run would rename it
        {{"1.txt", "2.txt"}, "[ZAHL][TYP]", kClash, false, {}, "", "", 2},
        {{"a.txt", "-b.txt"}, "[TYP]", kTypeOnly},
        {{"a.txt"}, "  [NAME]", kBlank, false, {}, "a", " "},
        {{"a.txt"}, "[NAME]", kBlank, false, {}, "a", ""},
        {{"a.txt"}, "[NAME][TYP]", kSeparator, false, {}, "a", "sub/a"},
        {{"a.txt"}, QString(128, u'ä'), kTooLong},  // 256 bytes
        {{"a.txt"}, QString(127, u'ä') + "x", "", true},
        // Where a folder cannot be listed, each new name is looked up.
        {{"a.txt"}, "b.txt", kClash, false, {"b.txt"}, "", "", 1, Folders::SearchedOnly},
        {{"a.txt"}, "b", "", true, {"b/"}, "", "", 1, Folders::SearchedOnly},
        {{"a.txt"}, "b.txt", kUnreadable, false, {}, "", "", 1, Folders::Closed},
        // A mask error alone is reported, though both names would be "< ? >".
        {{"a", "b"}, "[261]", "Fehler: Die Zahl ist zu groß."},
        {{"a", "b"}, "[X]", "Fehler: Die Maske ist falsch oder nicht vollständig aufgebaut."},
        {{"a", "b"}, "[3,]", "Fehler: Es wurde eine Zahl erwartet."},
        {{"a", "b"}, "[3-4", "Fehler: Schließende Klammer fehlt."},
        {{"a", "b"}, "[5-3]", "Fehler: Das Bereichsende ist kleiner als der Bereichsanfang."},
        {{"a", "b"},
         "a:b",
         "Fehler: Die Zeichen \\ / : ? \" < > | sind in Dateinamen nicht erlaubt."},
        {{"a", "b"}, "[0]", "Fehler: Null ist als Bereichsbeginn nicht zulässig."},
        {{"a", "b"}, "", ""},  // an empty mask or list leaves nothing to report
        {{}, "[NAME]", ""},
    };
    for (const PlanCase& c : cases) {
        const PlanVerdict verdict = check(c);
        const std::string label = (c.mask.left(20) + " " + c.listed.join(u',')).toStdString();
        EXPECT_EQ(failureMessage(verdict), c.message) << label;
        EXPECT_EQ(verdict.PlanOK, c.ok) << label;
    }
}

// The failing rows as "row:faults=other row", faults as letters: D the same new name, E taken,
// T type only, B blank, S separator, L too long, U folder not searchable; then the rows whose new
// name is freed first as "row:F".
std::string rowsInTrouble(const PlanVerdict& verdict) {
    const std::pair<NameFault, char16_t> letters[] = {
        {NameFault::SameNewName, u'D'}, {NameFault::NameTaken, u'E'}, {NameFault::TypeOnly, u'T'},
        {NameFault::Blank, u'B'},       {NameFault::Separator, u'S'}, {NameFault::TooLong, u'L'},
        {NameFault::FolderClosed, u'U'}};
    QStringList rows;
    for (const RowVerdict& v : verdict.names.rows) {
        QString text = QString::number(v.row) + u':';
        for (const auto& [fault, letter] : letters) {
            text += v.faults.testFlag(fault) ? QString(letter) : QString();
        }
        rows << text + (v.sameAs != 0 ? "=" + QString::number(v.sameAs) : QString());
    }
    for (const int row : verdict.names.freedFirst) {
        rows << QString::number(row) + ":F";
    }
    return rows.join(u' ').toStdString();
}

TEST(CheckPlan, MarksEveryFailingMarkedRowWithAllItsFaultsInRowOrder) {
    const std::pair<PlanCase, const char*> cases[] = {
        {{{"a.txt", "b.txt", "c.txt"}, "x[TYP]", kNotUnique}, "1:D=2 2:D=1 3:D=1"},
        {{{"a1.txt", "b1.TXT"}, "x[TYP]", kNotUnique}, "1:D=2 2:D=1"},
        // The first rows of two names learn of their partners only after both were passed.
        {{{"a1.txt", "a2.jpg", "b1.txt", "b2.jpg"}, "x[TYP]", kNotUnique},
         "1:D=3 2:D=4 3:D=1 4:D=2"},
        {{{"a.txt", "-b.txt", "c.txt"}, "[TYP]", kNotUnique}, "1:DT=3 3:DT=1"},
        {{{"a.txt", "b.txt"}, "x", kNotUnique, false, {"x"}}, "1:DE=2 2:DE=1"},
        {{{"a.txt", "b.txt"}, "[NAME]x[TYP]", kClash, false, {"ax.txt"}}, "1:E"},
        {chained({{"1.txt", "2.txt", "3.txt"}, "[ZAHL][TYP]", "", true, {}, "", "", 2}), "1:F 2:F"},
        {chained(
             {{"1.txt", "-2.txt", "3.txt", "4.txt"}, "[ZAHL][TYP]", kClash, false, {}, "", "", 2}),
         "1:E 3:F"},
        {chained(
             {{"1.txt", "2.txt"}, "[ZAHL][TYP]", "", true, {}, "", "", 2, Folders::SearchedOnly}),
         "1:F"},
        // b.txt keeps its name, which a.txt would share at the end.
        {chained({{"a.txt", "b.txt"}, "[NAME][TYP]", kNotUnique, false, {}, "a", "b"}),
         "1:DE=2 2:D=1"},
        {{{"a.txt", "sub/a.txt"}, "x.txt", "", true, {"sub/"}}, ""},
        {{{"a.txt"}, "  [NAME]", kBlank, false, {}, "a", " "}, "1:B"},
        {{{"a.txt"}, "[NAME][TYP]", kSeparator, false, {}, "a", "sub/a"}, "1:S"},
        {{{"a.txt", "b.txt"}, "[NAME]" + QString(128, u'ä'), kTooLong}, "1:L 2:L"},
        {{{"a.txt"}, "b.txt", kUnreadable, false, {}, "", "", 1, Folders::Closed}, "1:U"},
        {{{"a.txt"}, "b.txt", kClash, false, {"b.txt"}, "", "", 1, Folders::SearchedOnly}, "1:E"},
        {{{"a", "b"}, "[X]", "Fehler: Die Maske ist falsch oder nicht vollständig aufgebaut."}, ""},
    };
    for (const auto& [c, rows] : cases) {
        const PlanVerdict verdict = check(c);
        const std::string label = (c.mask.left(20) + " " + c.listed.join(u',')).toStdString();
        EXPECT_EQ(failureMessage(verdict), c.message) << label;
        EXPECT_EQ(rowsInTrouble(verdict), rows) << label;
    }
}

TEST(CheckPlan, CounterBeyond32BitsInTheNamesIsRefusedBeforeTheNameMessages) {
    const std::tuple<int, QString, QString> cases[] = {
        {20476, "[ZAHL][TYP]", ""},  // the last value, 2147479524, still fits
        {20477, ".[ZAHL]", "Fehler: Der Zähler überschreitet den größten zulässigen Wert!"},
        {20477, "[NAME][TYP]", ""},  // no counter in the names: nothing to overflow
    };
    for (const auto& [count, mask, message] : cases) {
        FileList list;  // of files in a folder that does not exist, so nothing clashes
        for (int i = 0; i < count; ++i) {
            list.append(FileEntry(QStringLiteral("/nicht/da/f%1.txt").arg(i), 0, {}));
        }
        const RenameSettings settings{mask, 99999999, 99999, 1, {}, LetterCase::Keep, "", ""};
        FolderIndexCache folders;
        EXPECT_EQ(failureMessage(checkPlan(list, settings, hostFileSystem(), folders)), message);
    }
}

TEST(CheckPlan, AnInvalidExpressionIsRefusedWithItsPositionLikeAMaskError) {
    FileList list;
    list.append(FileEntry("/nicht/da/a.txt", 0, {}));
    RenameSettings settings;
    settings.SucheText = "a(b";
    settings.searchKind = SearchKind::Pattern;
    FolderIndexCache folders;
    const PlanVerdict verdict = checkPlan(list, settings, hostFileSystem(), folders);
    EXPECT_FALSE(verdict.PlanOK);
    EXPECT_EQ(failureMessage(verdict),
              "Fehler: Ungültiger regulärer Ausdruck an Stelle 4: missing closing parenthesis.");
}

TEST(CheckPlan, UniquenessUsesTheNamesOfTheSamePass) {
    TempFolder folder;
    FileList list;
    FillListe(list, folder.touchAll({"a.jpg", "b.jpg"}), FillMode::Drop, hostFileSystem());
    RenameSettings settings;
    FolderIndexCache folders;
    settings.Maske = "x";
    EXPECT_FALSE(checkPlan(list, settings, hostFileSystem(), folders).PlanOK);
    settings.Maske = "[NAME]x";
    EXPECT_TRUE(checkPlan(list, settings, hostFileSystem(), folders).PlanOK);
}

// The rows, "*" after a marked one.
QString rows(const FileList& list) {
    QStringList names;
    for (const FileEntry& e : list) {
        names << e.AlterName().toString() + (e.Selected ? "*" : "");
    }
    return names.join(u' ');
}

TEST(FillOnePass, TakesTheSameFilesWithoutSizesAndReadsEachFolderOnceForTheCheckToo) {
    TempFolder folder({"b.txt", "A.txt", ".versteckt", "ordner/", "ordner/c.txt"});
    QFile::link(folder.file("b.txt"), folder.file("zu-b"));
    QFile::link(folder.file("ordner"), folder.file("zu-ordner"));
    const QByteArrayList paths{
        folder.native("b.txt"),     folder.native("a.txt"),        folder.native(".versteckt"),
        folder.native("ordner"),    folder.native("ordner/c.txt"), folder.native("zu-b"),
        folder.native("zu-ordner"), folder.native("b.txt"),        folder.native("A.txt")};
    const auto described = [](const FileList& list, const FillResult& fill) {
        QStringList rows;
        for (const FileEntry& e : list) {
            rows << e.PfadName() + QStringLiteral(" %1/%2/%3")
                                       .arg(e.identity.device)
                                       .arg(e.identity.inode)
                                       .arg(e.identity.type);
        }
        return rows + fill.skipped;
    };
    FakeFileSystem fs;
    FileList byStat, byListing;
    const PassFill statFill = fillOnePass(byStat, paths, EntryDetail::SizeAndTime, fs);
    const PassFill listedFill = fillOnePass(byListing, paths, EntryDetail::Identity, fs);
    EXPECT_EQ(described(byListing, listedFill), described(byStat, statFill));
    EXPECT_EQ(fs.folderReads, 2);
    RenameSettings settings;
    settings.Maske = "x[NAME][TYP]";
    checkPlan(byListing, settings, fs, *listedFill.folders);
    EXPECT_EQ(fs.folderReads, 2);
    // The listing tells no birth time; the run records the one it read for the undo.
    Decision decision;
    renameMarkedEntries(byListing, fs, decision.store, decision);
    const std::optional<JournalRun> run =
        readJournal(decision.store, decision.store.names().last());
    ASSERT_TRUE(run.has_value());
    for (const JournalEntry& entry : run->plan) {
        EXPECT_EQ(fs.lookup(entry.folder, entry.to).entry, entry.identity)
            << entry.to.toStdString();
    }
}

TEST(RenameRun, GoesFromTheLastMarkedEntryUpAndAfterAFailureOkGoesOnCancelStops) {
    const struct Case {
        QString marked;
        const char* blocked;  // a file appears under its new name just before its renaming
        bool goOn;
        QStringList tried, renamed;
        QString rowsLeft;
        bool journal = true;  // false: the journal cannot be written
    } cases[] = {
        {"bd", "", true, {"d", "b"}, {"d>xd", "b>xb"}, "a c e"},
        {"bcd", "c", true, {"d", "c", "b"}, {"d>xd", "b>xb"}, "a c* e"},
        {"bcd", "c", false, {"d", "c"}, {"d>xd"}, "a b* c* e"},
        {"bd", "", true, {}, {}, "a b* c d* e", false},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        FakeFileSystem fs;
        RenameSettings settings;
        settings.Maske = "x[NAME]";
        FileList list = planned(folder.touchAll({"a", "b", "c", "d", "e"}), settings, fs);
        for (FileEntry& e : list) {
            e.Selected = c.marked.contains(e.AlterName().toString());
        }
        fs.beforeRename = blockTarget(c.blocked, "intruder");
        Decision decision;
        decision.goOn = [&] { return c.goOn; };
        JournalStore belowAFile(folder.file("a/journale"));  // a folder that cannot be made
        const RenameRunResult result =
            renameMarkedEntries(list, fs, c.journal ? decision.store : belowAFile, decision);
        QStringList renamed;  // in the run's order, by full paths
        for (const RenamedFile& r : decision.renamedFiles) {
            renamed << r.from.mid(folder.path().size()) + ">" + r.to.mid(folder.path().size());
        }
        const std::string label = c.rowsLeft.toStdString();
        EXPECT_EQ(fs.renamed, c.tried) << label;
        EXPECT_EQ(renamed, c.renamed) << label;
        EXPECT_EQ(rows(list), c.rowsLeft) << label;
        EXPECT_EQ(decision.asked.join(""), c.blocked) << label;
        EXPECT_EQ(result.failed, decision.asked.size()) << label;
        EXPECT_EQ(result.cancelled, !c.goOn) << label;
        EXPECT_EQ(result.journalError.has_value(), !c.journal) << label;
    }
}

// Renamings as "from>to", "s/" before one in another folder; the steps as "from>to", and
// "from>~" for one set aside; for each step, the first it must follow on its thread.
TEST(OrderPlan, EachTargetIsFreedFirstAndACycleGoesThroughATemporaryName) {
    const std::tuple<QString, QString, std::vector<int>> cases[] = {
        {"a>b b>c c>d", "c>d b>c a>b", {0, 0, 0}},
        {"c>d b>c a>b", "c>d b>c a>b", {0, 0, 1}},  // the order given, where nothing waits
        {"a>b b>a", "a>~ b>a a>b", {0, 0, 0}},
        {"x>y a>b b>c c>a", "x>y a>~ c>a b>c a>b", {0, 1, 1, 1, 1}},
        {"a>B b>c", "b>c a>B", {0, 0}},  // letter case aside
        {"a>A", "a>A", {0}},
        {"a>b s/b>c", "a>b s/b>c", {0, 1}},
    };
    for (const auto& [given, steps, tiedFrom] : cases) {
        QList<JournalEntry> renamings;
        for (const QString& renaming : given.split(u' ')) {
            const qsizetype slash = renaming.indexOf(u'/') + 1;
            const QStringList names = renaming.mid(slash).split(u'>');
            renamings.append({renaming.left(slash), names[0], names[1], {}});
        }
        const OrderedPlan order = orderPlan(renamings);
        QStringList done;
        for (const RenamingStep& step : order.steps) {
            const JournalEntry& e = order.plan.at(step.e);
            done << e.folder + e.from + u'>' + (step.aside ? QStringLiteral("~") : e.to);
        }
        EXPECT_EQ(done.join(u' '), steps) << given.toStdString();
        EXPECT_EQ(order.tiedFrom, tiedFrom) << given.toStdString();
        for (size_t e = 0; e < order.given.size(); ++e) {
            EXPECT_EQ(order.plan.at(qsizetype(e)), renamings.at(order.given[e]));
        }
    }
}

// Plans of independent steps, with one block of steps tied from its first, or one step tied to
// a far earlier one; where the second thread's part begins.
TEST(TwoThreads, TheSecondThreadTakesAPartNearTheMiddleThatWaitsForNoneOfTheFirst) {
    struct Case {
        int steps;
        std::pair<int, int> block;  // steps from first to last tied from first
        std::pair<int, int> waits;  // step waits for an earlier one
        int folderSize;             // the steps of a folder, which the threads share out whole
        std::optional<size_t> from;
    };
    const Case cases[] = {
        {255, {}, {}, 1, std::nullopt},  // not worth a thread
        {1000, {}, {}, 1, 500},
        {1001, {}, {}, 1, 500},
        {1000, {400, 600}, {}, 1, 400},
        {1000, {290, 700}, {}, 1, 701},
        {1000, {0, 999}, {}, 1, std::nullopt},  // one chain
        {1000, {}, {900, 100}, 1, std::nullopt},
        {1000, {}, {600, 450}, 1, 450},
        {1000, {}, {}, 300, 600},
        {1000, {}, {}, 1000, std::nullopt},
    };
    for (const Case& c : cases) {
        std::vector<int> tiedFrom(static_cast<size_t>(c.steps));
        std::iota(tiedFrom.begin(), tiedFrom.end(), 0);
        for (int s = c.block.first; s <= c.block.second && c.block != std::pair(0, 0); ++s) {
            tiedFrom[static_cast<size_t>(s)] = c.block.first;
        }
        if (c.waits.first > 0) {
            tiedFrom[static_cast<size_t>(c.waits.first)] = c.waits.second;
        }
        const auto folderBegins = [&c](size_t s) { return s % size_t(c.folderSize) == 0; };
        EXPECT_EQ(secondThreadFrom(tiedFrom, folderBegins), c.from)
            << c.steps << " " << c.block.first << " " << c.folderSize;
    }
}

TEST(HostileNames, AwkwardButValidNamesAreRenamedExactly) {
    const QString tooLong = QString(251, u'x') + ".txt";  // 255 bytes: cannot grow
    const std::pair<QString, QString> names[] = {
        {"caf\u00e9.txt", "caf\u00e9_neu.txt"},    // é composed
        {"cafe\u0301.txt", "cafe\u0301_neu.txt"},  // é as e and a combining accent
        {"  Leer am Rand .txt ", "  Leer am Rand _neu.txt "},
        {"Tab\tund\nZeile.txt", "Tab\tund\nZeile_neu.txt"},
        {"a:b\\c*d?.txt", "a:b\\c*d?_neu.txt"},
        {"-beginnt mit Strich", "-beginnt mit Strich_neu"},
        {tooLong, tooLong},
    };
    TempFolder folder;
    QByteArrayList paths;
    Contents expected;
    for (const auto& [name, newName] : names) {
        paths << QFile::encodeName(folder.touch(name));
        expected[newName] = name.toUtf8();
    }
    RenameSettings settings;
    settings.Maske = "[NAME]_neu[TYP]";
    FakeFileSystem fs;
    FileList list = planned(paths, settings, fs);
    Decision decision;
    renameMarkedEntries(list, fs, decision.store, decision);
    EXPECT_EQ(decision.asked, QStringList{tooLong});
    EXPECT_EQ(folder.contents(), expected);
}

}  // namespace
