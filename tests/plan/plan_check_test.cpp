#include <gtest/gtest.h>

#include <QSignalSpy>

#include "fake_delay_timer.h"
#include "plan/linux_file_system.h"
#include "plan/rename_plan.h"
#include "temp_folder.h"

namespace {

const QString kUniqueMessage = QStringLiteral(
    "Fehler: Die neuen Dateinamen sind nicht alle eindeutig - überprüfen Sie die Maske!");
const QString kClashMessage =
    QStringLiteral("Fehler: Einige neue Namen überschneiden sich mit denen existierender Dateien!");
const QString kTypeOnlyMessage =
    QStringLiteral("Fehler: Es gibt Namen, die nur aus einer Typenkennung bestehen!");
const QString kBlankMessage = QStringLiteral(
    "Fehler: Es gibt Namen, die nur aus Leerzeichen oder gar keinen Zeichen bestehen!");
const QString kSeparatorMessage =
    QStringLiteral("Fehler: Es gibt Namen, die ein Ordner-Trennzeichen enthalten!");
const QString kCounterMessage =
    QStringLiteral("Fehler: Der Zähler überschreitet den größten zulässigen Wert!");
const QString kPlanOkText = QStringLiteral(
    "Zum Umbenennen der Dateien klicken Sie jetzt die Schaltfläche 'Jetzt umtaufen!'.");

class PlanCheckTest : public ::testing::Test {
  protected:
    // Fills the plan with files created in the temporary folder, in the order given.
    void addFiles(const QStringList& names) { plan.fill(folder.touchAll(names), FillMode::Drop); }

    // Sets the mask and lets the delayed check run.
    void typeMask(const QString& mask) {
        plan.setMaske(mask);
        plan.timerTick();
    }

    QStringList newNames() const {
        QStringList names;
        for (const FileEntry& e : plan.list()) {
            names << e.NeuerName;
        }
        return names;
    }

    TempFolder folder;
    FakeDelayTimer timer;
    RenamePlan plan{hostFileSystem(), &timer};
};

TEST_F(PlanCheckTest, EmptyListPassesNothingAndDisablesEverything) {
    plan.ChkSituation();
    EXPECT_FALSE(plan.verdict().PlanOK);
    EXPECT_FALSE(plan.renameEnabled());
    EXPECT_FALSE(plan.verdict().moveDownEnabled);
    EXPECT_FALSE(plan.verdict().moveUpEnabled);
    EXPECT_EQ(plan.verdict().markedText, QStringLiteral("0 von 0 Dateien markiert"));
    EXPECT_EQ(plan.verdict().hintLine, QString());
}

TEST_F(PlanCheckTest, UnmarkedListPassesWithTheRenameHint) {
    addFiles({"a", "b", "c", "d", "e"});
    plan.markRows(UnmarkAll);
    EXPECT_TRUE(plan.verdict().PlanOK);
    EXPECT_TRUE(plan.renameEnabled());
    EXPECT_EQ(plan.verdict().hintLine, kPlanOkText);
    EXPECT_EQ(plan.verdict().markedText, QStringLiteral("0 von 5 Dateien markiert"));
    EXPECT_FALSE(plan.verdict().moveDownEnabled);
    EXPECT_FALSE(plan.verdict().moveUpEnabled);
}

TEST_F(PlanCheckTest, NameChecksReportTheFirstFailureInOrder) {
    struct Case {
        QStringList files;   // created in the folder and added
        QStringList others;  // created in the folder only
        const char* mask;
        const char* search;
        const char* replace;
        QString expected;
    };
    const Case cases[] = {
        {{"a.txt", "b.txt"}, {}, "[TYP]", "", "", kUniqueMessage},
        {{"a.jpg", "b.jpg"}, {}, "x[R1][TYP]", "", "", kPlanOkText},
        {{"Bild.JPG", "bild.jpg"}, {}, "[NAME]", "", "", kUniqueMessage},
        {{"a.txt"}, {"Bild.jpg"}, "bild.jpg", "", "", kClashMessage},
        {{"foto.jpg"}, {}, "FOTO.JPG", "", "", kPlanOkText},
        {{"a.txt"}, {".bild.jpg"}, "bild.jpg", "", "", kPlanOkText},
        {{"a.txt"}, {}, "[TYP]", "", "", kTypeOnlyMessage},
        {{"a.txt"}, {}, "  [NAME]", "a", " ", kBlankMessage},
        {{"a.txt"}, {}, "[NAME]", "a", "", kBlankMessage},
        {{"a.txt"}, {}, "[NAME][TYP]", "a", "sub/a", kSeparatorMessage},
    };
    for (const Case& c : cases) {
        TempFolder caseFolder;
        RenamePlan casePlan(hostFileSystem(), nullptr);
        for (const QString& other : c.others) {
            caseFolder.touch(other);
        }
        QStringList paths;
        for (const QString& name : c.files) {
            paths << caseFolder.touch(name);
        }
        casePlan.setMaske(QString::fromUtf8(c.mask));
        casePlan.setSucheText(QString::fromUtf8(c.search));
        casePlan.setErsetzeText(QString::fromUtf8(c.replace));
        casePlan.fill(paths, FillMode::Drop);
        EXPECT_EQ(casePlan.verdict().hintLine, c.expected)
            << c.mask << " " << c.files.join(u',').toStdString();
        EXPECT_EQ(casePlan.renameEnabled(), c.expected == kPlanOkText) << c.mask;
    }
}

TEST_F(PlanCheckTest, NamesOfFilesTheSameRunWouldRenameStillClash) {
    plan.setMaske(QStringLiteral("[ZAHL][TYP]"));
    plan.setZahlText(QStringLiteral("2"));
    addFiles({"1.txt", "2.txt"});
    EXPECT_EQ(newNames(), (QStringList{"2.txt", "3.txt"}));
    EXPECT_EQ(plan.verdict().hintLine, kClashMessage);
}

TEST_F(PlanCheckTest, FolderOfTheSameNameDoesNotClash) {
    folder.mkdir(QStringLiteral("bild.jpg"));
    addFiles({"a.txt"});
    typeMask(QStringLiteral("bild.jpg"));
    EXPECT_EQ(plan.verdict().hintLine, kPlanOkText);
}

TEST_F(PlanCheckTest, SameNewNameInDifferentFoldersIsUnique) {
    TempFolder other;
    plan.setMaske(QStringLiteral("x.txt"));
    plan.fill({folder.touch(QStringLiteral("a.txt")), other.touch(QStringLiteral("b.txt"))},
              FillMode::Drop);
    EXPECT_TRUE(plan.verdict().PlanOK);
}

TEST_F(PlanCheckTest, UnmarkedEntriesAreNeverChecked) {
    addFiles({"a.txt", "b.txt"});
    plan.setSelected(2, false);
    typeMask(QStringLiteral("[TYP]x"));
    EXPECT_EQ(plan.verdict().hintLine, kTypeOnlyMessage);
    plan.setSelected(1, false);
    plan.ChkSituation();
    EXPECT_TRUE(plan.verdict().PlanOK);
}

TEST_F(PlanCheckTest, MaskErrorShowsOnlyTheMaskMessage) {
    addFiles({"a.txt", "b.txt"});
    typeMask(QStringLiteral("[0][TYP]"));
    EXPECT_EQ(plan.verdict().hintLine,
              QStringLiteral("Fehler: Null ist als Bereichsbeginn nicht zulässig."));
    EXPECT_EQ(newNames(), (QStringList{kPlaceholderName, kPlaceholderName}));
    EXPECT_EQ(plan.verdict().MarkedCount, 2);
    EXPECT_FALSE(plan.renameEnabled());
    typeMask(QString());
    EXPECT_EQ(plan.verdict().hintLine, QString());
    EXPECT_FALSE(plan.renameEnabled());
}

TEST_F(PlanCheckTest, UniquenessUsesTheNamesOfTheSamePass) {
    addFiles({"a.jpg", "b.jpg", "c.jpg"});
    typeMask(QStringLiteral("Bild[ZAHL][TYP]"));
    EXPECT_EQ(newNames(), (QStringList{"Bild1.jpg", "Bild2.jpg", "Bild3.jpg"}));
    plan.setZahlText(QStringLiteral("2"));
    plan.timerTick();
    EXPECT_EQ(newNames(), (QStringList{"Bild2.jpg", "Bild3.jpg", "Bild4.jpg"}));
    EXPECT_TRUE(plan.verdict().PlanOK);
}

TEST_F(PlanCheckTest, DelayedChangesDisableRenameAtOnceAndCheckOnceOnTick) {
    addFiles({"a.txt"});
    ASSERT_TRUE(plan.renameEnabled());
    QSignalSpy checks(&plan, &RenamePlan::checked);
    plan.setMaske(QStringLiteral("x[NAME]"));
    plan.setMaske(QStringLiteral("xy[NAME]"));
    plan.setSucheText(QStringLiteral("a"));
    EXPECT_FALSE(plan.renameEnabled());
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(checks.count(), 0);
    plan.timerTick();
    EXPECT_FALSE(timer.isActive());
    EXPECT_EQ(checks.count(), 1);
    EXPECT_EQ(plan.list().at(1).NeuerName, QStringLiteral("xy"));
    EXPECT_TRUE(plan.renameEnabled());
}

TEST_F(PlanCheckTest, DirectCheckLeavesAPendingDelayedCheckArmed) {
    addFiles({"a.txt"});
    plan.setMaske(QStringLiteral("x[NAME][TYP]"));
    plan.setLetterCase(AllCapitals);
    EXPECT_TRUE(timer.isActive());
    EXPECT_TRUE(plan.renameEnabled());
    EXPECT_EQ(plan.list().at(1).NeuerName, QStringLiteral("XA.TXT"));
}

TEST_F(PlanCheckTest, CounterFieldsAreNormalisedAndRearmTheDelay) {
    addFiles({"a.txt"});
    QSignalSpy normalised(&plan, &RenamePlan::counterTextsNormalised);
    plan.setZahlText(QStringLiteral("007"));
    plan.timerTick();
    EXPECT_EQ(plan.zahlText(), QStringLiteral("7"));
    EXPECT_EQ(normalised.count(), 1);
    EXPECT_TRUE(timer.isActive());  // the rewritten field counts as a change
    plan.timerTick();
    EXPECT_EQ(normalised.count(), 1);
    EXPECT_FALSE(timer.isActive());
}

TEST_F(PlanCheckTest, OversizedCounterTextIsBoundedToTheField) {
    plan.setZahlText(QStringLiteral("1e12"));
    plan.setSchrittweiteText(QStringLiteral("123456789"));
    plan.ChkSituation();
    EXPECT_EQ(plan.zahlText(), QStringLiteral("99999999"));
    EXPECT_EQ(plan.schrittweiteText(), QStringLiteral("99999"));
    EXPECT_EQ(plan.settings().Start, 99999999);
    EXPECT_EQ(plan.settings().Step, 99999);
}

TEST_F(PlanCheckTest, CounterBeyond32BitsIsRefusedBeforeTheNameMessages) {
    QStringList names;
    for (int i = 0; i < 21500; ++i) {
        names << QStringLiteral("f%1.txt").arg(i);
    }
    plan.setZahlText(QStringLiteral("99999999"));
    plan.setSchrittweiteText(QStringLiteral("99999"));
    plan.setMaske(QStringLiteral("[TYP]"));  // also a uniqueness failure
    addFiles(names);
    EXPECT_EQ(plan.verdict().hintLine, kCounterMessage);
    EXPECT_FALSE(plan.renameEnabled());
    EXPECT_EQ(plan.MinDigits(), 10);

    plan.setSchrittweiteText(QStringLiteral("99"));
    plan.setMaske(QStringLiteral("[ZAHL][TYP]"));
    plan.timerTick();
    EXPECT_TRUE(plan.verdict().PlanOK);
}

TEST_F(PlanCheckTest, DigitChoiceLastsThroughLeadZerosUntilTheNextOtherCheck) {
    addFiles({"a.txt", "b.txt"});
    plan.setMaske(QStringLiteral("[ZAHL][TYP]"));
    plan.timerTick();
    EXPECT_EQ(plan.digitChoices().first(), QStringLiteral("1"));
    plan.chooseDigitCount(4);  // "5"
    plan.chooseLeadZeros(1);
    EXPECT_EQ(plan.list().at(1).NeuerName, QStringLiteral("00001.txt"));
    EXPECT_EQ(plan.digitIndex(), 4);
    plan.setLetterCase(AllCapitals);
    EXPECT_EQ(plan.digitIndex(), 0);
    EXPECT_EQ(plan.list().at(1).NeuerName, QStringLiteral("1.TXT"));
}

TEST_F(PlanCheckTest, DigitChoicesFollowCountStartAndStep) {
    QStringList names;
    for (int i = 0; i < 12; ++i) {
        names << QStringLiteral("f%1").arg(i);
    }
    addFiles(names);
    EXPECT_EQ(plan.digitChoices().first(), QStringLiteral("2"));
    EXPECT_EQ(plan.digitChoices().size(), 11);
}

TEST_F(PlanCheckTest, MoveCommandsFollowTheMarksAtTheEnds) {
    addFiles({"a", "b", "c"});
    plan.setSelected(1, false);
    plan.ChkSituation();
    EXPECT_TRUE(plan.verdict().moveUpEnabled);
    EXPECT_FALSE(plan.verdict().moveDownEnabled);
    plan.markRows(InvertMarks);
    EXPECT_FALSE(plan.verdict().moveUpEnabled);
    EXPECT_TRUE(plan.verdict().moveDownEnabled);
}

TEST_F(PlanCheckTest, HeaderClicksSortAndReverseThenCheck) {
    folder.touch(QStringLiteral("big.a"), QByteArray(3000, 'x'));
    folder.touch(QStringLiteral("small.c"), QByteArray(10, 'x'));
    folder.touch(QStringLiteral("mid.b"), QByteArray(200, 'x'));
    plan.fill({folder.file("big.a"), folder.file("small.c"), folder.file("mid.b")}, FillMode::Drop);
    auto order = [&] {
        QStringList names;
        for (const FileEntry& e : plan.list()) {
            names << e.AlterName;
        }
        return names;
    };
    EXPECT_EQ(order(), (QStringList{"big.a", "mid.b", "small.c"}));
    plan.headerClicked(4);
    EXPECT_EQ(order(), (QStringList{"small.c", "mid.b", "big.a"}));
    plan.headerClicked(4);
    EXPECT_EQ(order(), (QStringList{"big.a", "mid.b", "small.c"}));
    plan.headerClicked(5);  // still descending
    EXPECT_EQ(order(), (QStringList{"small.c", "mid.b", "big.a"}));
    EXPECT_EQ(plan.LastSortColumn(), 5);

    plan.setSelected(3, false);
    plan.EintragVerschieben(true);  // order by hand: Sorted off
    const QStringList byHand = order();
    plan.headerClicked(5);  // same header: only the direction is stored
    EXPECT_EQ(order(), byHand);
    plan.headerClicked(1);
    EXPECT_EQ(order(), (QStringList{"big.a", "mid.b", "small.c"}));
}

}  // namespace
