#include "ui/plan_presenter.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>

#include "fake_delay_timer.h"
#include "fake_file_system.h"
#include "filesystem/journal_store.h"
#include "temp_folder.h"
#include "ui/run_texts.h"
#include "ui/settings_store.h"

namespace {

class FailEvery : public FailureDecision {
  public:
    bool continueAfterFailure(const FileEntry&, const RenameResult&) override { return true; }
};

class PlanPresenterTest : public ::testing::Test {
  protected:
    PlanPresenterTest() { presenter.setRenameCaption(QStringLiteral("Jetzt &umtaufen!")); }

    void addFiles(const QStringList& names) { fill(folder.touchAll(names)); }
    // A fill, up to the check that ends it.
    void fill(const QByteArrayList& paths) {
        QSignalSpy filled(&presenter, &PlanPresenter::filled);
        ASSERT_TRUE(presenter.fill(paths, FillMode::Drop));
        ASSERT_TRUE(filled.wait());
    }
    QStringList column(int k) const {
        QStringList texts;
        for (const FileEntry& e : presenter.list()) {
            texts << e.column(k);
        }
        return texts;
    }
    QString hint() const { return hints.isEmpty() ? QString() : hints.last().first().toString(); }

    TempFolder folder;
    QTemporaryDir settingsDir;
    SettingsStore store{settingsDir.filePath("taufix.conf")};
    ScenarioHistory history{store};
    FakeFileSystem fileSystem;
    FakeDelayTimer* timer = new FakeDelayTimer;
    TempFolder journalFolder;
    JournalStore journal{journalFolder.path()};
    PlanPresenter presenter{fileSystem, history, journal, std::unique_ptr<DelayTimer>(timer)};
    QSignalSpy hints{&presenter, &PlanPresenter::userInfo};
};

TEST_F(PlanPresenterTest, ASoundPlanEnablesRenameAndNamesTheCommandInTheHint) {
    addFiles({"a", "b", "c"});
    presenter.markRows(SelectMode::UnmarkAll);
    EXPECT_TRUE(presenter.renameEnabled());
    EXPECT_EQ(hint(),
              "Zum Umbenennen der Dateien klicken Sie jetzt die Schaltfläche 'Jetzt umtaufen!'.");
    EXPECT_EQ(presenter.markedText(), "0 von 3 Dateien markiert");
    EXPECT_FALSE(presenter.moveDownEnabled() || presenter.moveUpEnabled());
    presenter.clearList();
    EXPECT_FALSE(presenter.renameEnabled());
    EXPECT_EQ(hint(), "");
}

TEST_F(PlanPresenterTest, TypedChangesDisableRenameAtOnceAndAreCheckedOnceWhenTheDelayEnds) {
    addFiles({"a.txt"});
    QSignalSpy checks(&presenter, &PlanPresenter::checked);
    presenter.setMaske("x[NAME]");
    presenter.setMaske("xy[NAME]");
    presenter.setSucheText("a");
    EXPECT_FALSE(presenter.renameEnabled());
    EXPECT_EQ(checks.count(), 0);
    timer->fire();
    EXPECT_EQ(checks.count(), 1);
    EXPECT_EQ(column(NeuerNameColumn), QStringList{"xy"});
    EXPECT_TRUE(presenter.renameEnabled());

    // A choice checks at once and leaves a pending delay armed.
    presenter.setErsetzeText("b");
    presenter.chooseLetterCase(1);
    EXPECT_EQ(column(NeuerNameColumn), QStringList{"XYB"});
    EXPECT_TRUE(timer->isActive());

    // A counter field the check rewrites counts as typed.
    presenter.setZahlText("007");
    timer->fire();
    EXPECT_EQ(presenter.options().zahlText(), "7");
    EXPECT_TRUE(timer->isActive());
}

TEST_F(PlanPresenterTest, ADigitChoiceLastsThroughALeadZeroChoiceUntilAnyOtherCheck) {
    addFiles({"a.txt", "b.txt"});
    presenter.setMaske("[ZAHL][TYP]");
    timer->fire();
    EXPECT_EQ(presenter.options().digitChoiceTexts().join(u' '), "1 2 3 4 5 6 7 8 9 10 11 12");
    presenter.chooseDigitCount(4);  // "5"
    presenter.chooseLeadZeros(1);
    EXPECT_EQ(column(NeuerNameColumn), QStringList({"00001.txt", "00002.txt"}));
    presenter.chooseLetterCase(1);
    EXPECT_EQ(presenter.options().digitIndex(), 0);
    EXPECT_EQ(column(NeuerNameColumn), QStringList({"1.TXT", "2.TXT"}));
}

TEST_F(PlanPresenterTest, MoveCommandsFollowTheMarksAtTheEndsAndAMoveWaitsForTheDelay) {
    addFiles({"a", "b", "c"});
    presenter.setSelected(1, false);
    presenter.ChkSituation(CheckReason::ListCommand);
    EXPECT_TRUE(presenter.moveUpEnabled());
    EXPECT_FALSE(presenter.moveDownEnabled());
    EXPECT_TRUE(presenter.EintragVerschieben(true));
    EXPECT_EQ(column(AlterNameColumn), QStringList({"b", "c", "a"}));
    EXPECT_FALSE(presenter.renameEnabled());
    EXPECT_TRUE(timer->isActive());
}

TEST_F(PlanPresenterTest, ARunSavesTheOptionsFirstRenamesAndChecksTheRest) {
    addFiles({"a.txt", "b.txt"});
    presenter.setMaske("x[NAME][TYP]");
    presenter.setZahlText("3");
    presenter.setSelected(1, false);
    presenter.ChkSituation(CheckReason::ListCommand);
    fileSystem.beforeRename = [this](const QString&, const QString&) {
        EXPECT_EQ(history.LoadScenario(1, history.FillScenarioMenu(), 12).startText, "3");
    };
    FailEvery decision;
    EXPECT_EQ(presenter.UmTaufen(decision).renamed, 1);
    EXPECT_EQ(fileSystem.renamed, QStringList{"b.txt"});
    EXPECT_EQ(presenter.markedText(), "0 von 1 Dateien markiert");
}

class CancelAtFailure : public FailureDecision {
  public:
    bool continueAfterFailure(const FileEntry&, const RenameResult&) override { return false; }
};

TEST_F(PlanPresenterTest, ARunIsSummedUpWithItsLastFailureUntilTheNextChange) {
    const QString longName = "b" + QString(50, u'x') + ".txt";
    addFiles({"a.txt", longName, "c.txt"});
    presenter.setMaske("n_[NAME][TYP]");
    timer->fire();
    fileSystem.refuseRename = [](const QString& from, const QString&) {
        return !from.endsWith("/a.txt");
    };
    FailEvery decision;
    presenter.UmTaufen(decision);  // from the last row up
    EXPECT_EQ(presenter.notice(), "Zuletzt bxxxxxxxxxx…xxxxxxxx.txt: Zugriff verweigert");
    CancelAtFailure cancel;
    presenter.UmTaufen(cancel);
    EXPECT_EQ(presenter.runSummary(), "0 umbenannt, 1 fehlgeschlagen, abgebrochen");
    EXPECT_EQ(presenter.notice(), "c.txt: Zugriff verweigert");
    presenter.setSucheText("x");
    EXPECT_EQ(presenter.runSummary(), "");
    EXPECT_EQ(presenter.notice(), "");
}

TEST(RunSummaryText, AddsUnchangedFilesOldNamesTakenAndAJournalThatFailedWhenThereAreAny) {
    RenameRunResult result;
    result.renamed = 3;
    result.unchanged = 1;
    result.oldNamesTaken = 2;
    result.journalFailure = "Kein Platz";
    EXPECT_EQ(runSummaryText(result),
              "3 umbenannt, 1 unverändert, 0 fehlgeschlagen; bei 2 Dateien: der alte Name ist "
              "belegt von einer anderen Datei; Protokoll nicht mehr schreibbar (Kein Platz); "
              "angehalten");
}

TEST(UndoQuestionText, NamesTheRunAndHowManyFilesInWhichFoldersGetTheirNamesBack) {
    const auto question = [](const QStringList& folders, int missing, qint64 beganNs,
                             const QString& program) {
        UndoPlan plan;
        plan.run.beganNs = beganNs;
        plan.run.program = program;
        for (const QString& folder : folders) {
            plan.steps << JournalEntry{folder, "n", "o", {}};
        }
        plan.missing.fill({}, missing);
        return undoQuestionText(plan);
    };
    const qint64 at =
        QDateTime(QDate(2026, 12, 7), QTime(14, 3, 59)).toMSecsSinceEpoch() * 1'000'000 + 999'999;
    EXPECT_EQ(question({"/f/", "/f/", "/f/"}, 0, at, "taufix-batch"),
              "Den Lauf vom 7.12.2026, 14:03 mit taufix-batch rückgängig machen?\n\n"
              "3 Dateien in „/f/“ bekommen ihre alten Namen zurück.");
    EXPECT_EQ(question({"/f/"}, 1, 0, "taufix"),
              "Den letzten Lauf rückgängig machen?\n\n1 Datei in „/f/“ bekommt ihren alten Namen "
              "zurück.\n1 Datei lässt sich nicht zurückbenennen.");
    EXPECT_EQ(question({"/f/", "/g/"}, 2, at, ""),
              "Den Lauf vom 7.12.2026, 14:03 rückgängig machen?\n\n2 Dateien in 2 Ordnern "
              "bekommen ihre alten Namen zurück.\n2 Dateien lassen sich nicht zurückbenennen.");
    EXPECT_EQ(question({}, 1, 0, ""),
              "Den letzten Lauf rückgängig machen?\n\nKeine Datei bekommt ihren alten Namen "
              "zurück.\n1 Datei lässt sich nicht zurückbenennen.");
}

TEST_F(PlanPresenterTest, AnUndoRightAfterTypingChecksFirstAndKeepsItsNotice) {
    addFiles({"a.txt"});
    presenter.setMaske("x[TYP]");
    EXPECT_TRUE(presenter.planUndo().nothingToUndo);
    EXPECT_EQ(column(NeuerNameColumn), QStringList{"x.txt"});
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(presenter.notice(), "Nichts rückgängig zu machen");
}

TEST_F(PlanPresenterTest, RowsInTroubleAreCountedVisitedInTurnAndForgottenWhenRowsMove) {
    addFiles({"a.txt", "b.txt", "c.jpg", "d.txt"});
    presenter.setSelected(1, false);
    presenter.setMaske("x[TYP]");
    timer->fire();
    EXPECT_EQ(presenter.summary(), "2 Konflikte");
    const auto visits = [this] {
        QList<int> rows;
        for (int p = 0, n = 0; n < 3; ++n) {
            rows << (p = presenter.nextRowInTrouble(p));
        }
        return rows;
    };
    EXPECT_EQ(visits(), QList<int>({2, 4, 2}));
    presenter.EintragVerschieben(true);  // b c d a
    EXPECT_EQ(presenter.nextRowInTrouble(0), 0);
    EXPECT_EQ(presenter.summary(), "");
    timer->fire();
    EXPECT_EQ(visits(), QList<int>({1, 3, 1}));

    presenter.setSelected(1, false);
    presenter.ChkSituation(CheckReason::ListCommand);
    FailEvery decision;
    presenter.UmTaufen(decision);
    EXPECT_EQ(presenter.summary(), "2 umbenannt, 0 fehlgeschlagen");
}

TEST_F(PlanPresenterTest, AFillNoticeLeavesTheVerdictOnTheHintLine) {
    fill(folder.touchAll({"b.txt", "B.TXT"}) << folder.native() + "a\xff.txt");
    EXPECT_TRUE(hint().startsWith("Fehler: Die neuen Dateinamen sind nicht alle eindeutig"));
    EXPECT_TRUE(presenter.notice().startsWith("Hinweis: 1 Datei wurde übergangen"));
}

TEST_F(PlanPresenterTest, AFillLeavesTheListToItselfAndEndsWithACheckOfTheOptionsThen) {
    addFiles({"a.txt"});
    fileSystem.folderReads = 0;
    QSignalSpy filled(&presenter, &PlanPresenter::filled);
    ASSERT_TRUE(presenter.fill(folder.touchAll({"b.txt"}), FillMode::Drop));
    EXPECT_FALSE(presenter.fill(folder.touchAll({"c.txt"}), FillMode::Drop));
    presenter.markRows(SelectMode::UnmarkAll);
    presenter.setMaske("x_[NAME]");
    timer->fire();
    EXPECT_EQ(column(NeuerNameColumn), QStringList{"a.txt"});
    EXPECT_TRUE(presenter.list().at(1).Selected);
    EXPECT_FALSE(presenter.renameEnabled());
    ASSERT_TRUE(filled.wait());
    EXPECT_EQ(column(AlterNameColumn), QStringList({"a.txt", "b.txt"}));
    EXPECT_EQ(column(NeuerNameColumn), QStringList({"x_a", "x_b"}));
    EXPECT_EQ(presenter.markedText(), "2 von 2 Dateien markiert");
    EXPECT_TRUE(presenter.renameEnabled());
    EXPECT_EQ(fileSystem.folderReads, 1);  // by the fill, which handed the read folder over
}

TEST_F(PlanPresenterTest, OffTheWindowThreadOnlyTheCheckOfTheCurrentStateEnablesRename) {
    presenter.setWorkerFrom(0);
    addFiles({"a.txt", "b.txt"});
    QSignalSpy checks(&presenter, &PlanPresenter::checked);
    bool everEnabled = false;
    QObject::connect(&presenter, &PlanPresenter::commandStatesChanged,
                     [&] { everEnabled |= presenter.renameEnabled(); });
    // The first check, of a sound plan, is still running when the mask makes the names clash.
    presenter.setMaske("x[NAME][TYP]");
    timer->fire();
    presenter.setMaske("x");
    timer->fire();
    ASSERT_TRUE(checks.wait());
    EXPECT_EQ(checks.count(), 1);
    EXPECT_FALSE(everEnabled);
    EXPECT_EQ(column(NeuerNameColumn), QStringList({"x", "x"}));
    EXPECT_EQ(presenter.rowVerdict(2)->sameAs, 1);
    // A sort holds the list until its check ends: a click meanwhile is refused.
    for (int click = 0; click < 2; ++click) {
        presenter.headerClicked(AlterNameColumn + 1);
        EXPECT_TRUE(presenter.listBusy());
        presenter.headerClicked(AlterNameColumn + 1);
        ASSERT_TRUE(checks.wait());
    }
    EXPECT_EQ(column(AlterNameColumn), QStringList({"b.txt", "a.txt"}));
}

class NoteTheThread : public FailureDecision {
  public:
    bool continueAfterFailure(const FileEntry&, const RenameResult&) override {
        askedOn = QThread::currentThread();
        return true;
    }
    QThread* askedOn = nullptr;
};

TEST_F(PlanPresenterTest, OffTheWindowThreadARunWaitsForItsCheckAndAsksOnTheWindowThread) {
    presenter.setWorkerFrom(0);
    addFiles({"a.txt", "b.txt"});
    QSignalSpy checks(&presenter, &PlanPresenter::checked);
    presenter.setMaske("n_[NAME][TYP]");
    timer->fire();
    NoteTheThread decision;
    EXPECT_EQ(presenter.UmTaufen(decision).renamed, 0);
    ASSERT_TRUE(checks.wait());
    fileSystem.refuseRename = [](const QString& from, const QString&) {
        return from.endsWith("/a.txt");
    };
    const RenameRunResult result = presenter.UmTaufen(decision);
    EXPECT_EQ(result.renamed, 1);
    EXPECT_EQ(result.failed, 1);
    EXPECT_EQ(decision.askedOn, QThread::currentThread());
    EXPECT_EQ(column(AlterNameColumn), QStringList{"a.txt"});
}

TEST_F(PlanPresenterTest, ARestoredEntryIsAppliedLikeTheUsersOwnChanges) {
    addFiles({"a.txt"});
    presenter.restoreScenario({"[NAME]_[ZAHL][TYP]", "5", "2", 0, 1, 2, "a", "b", 1});
    EXPECT_FALSE(presenter.renameEnabled());
    timer->fire();
    EXPECT_EQ(column(NeuerNameColumn), QStringList{"b_5.txt"});
    EXPECT_EQ(presenter.options().currentScenario(),
              (Scenario{"[NAME]_[ZAHL][TYP]", "5", "2", 0, 1, 2, "a", "b", 1}));
}

TEST_F(PlanPresenterTest, ARestoredDigitCountOutlastsTheChecksOfTheRestoreButNoOtherChange) {
    addFiles({"a.txt", "b.txt"});
    const Scenario fourDigits{"[ZAHL][TYP]", "1", "1", 3, 1, 1, "", "", 0};
    presenter.restoreScenario(fourDigits);
    timer->fire();
    EXPECT_EQ(column(NeuerNameColumn), QStringList({"0001.TXT", "0002.TXT"}));
    presenter.setMaske("x[ZAHL][TYP]");
    timer->fire();
    EXPECT_EQ(presenter.options().digitIndex(), 0);
    presenter.restoreScenario(fourDigits);
    presenter.markRows(SelectMode::MarkAll);
    EXPECT_EQ(presenter.options().digitIndex(), 0);
}

}  // namespace
