#include "ui/plan_presenter.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>

#include "fake_delay_timer.h"
#include "fake_file_system.h"
#include "temp_folder.h"
#include "ui/settings_store.h"

namespace {

const QString kPlanOkText = QStringLiteral(
    "Zum Umbenennen der Dateien klicken Sie jetzt die Schaltfläche 'Jetzt umtaufen!'.");

class FailEvery : public FailureDecision {
  public:
    bool continueAfterFailure(const FileEntry&) override { return true; }
};

class PlanPresenterTest : public ::testing::Test {
  protected:
    PlanPresenterTest() { presenter.setRenameCaption(QStringLiteral("Jetzt &umtaufen!")); }

    void addFiles(const QStringList& names) {
        presenter.fill(folder.touchAll(names), FillMode::Drop);
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
    PlanPresenter presenter{fileSystem, history, std::unique_ptr<DelayTimer>(timer)};
    QSignalSpy hints{&presenter, &PlanPresenter::userInfo};
};

TEST_F(PlanPresenterTest, ASoundPlanEnablesRenameAndNamesTheCommandInTheHint) {
    addFiles({"a", "b", "c"});
    presenter.markRows(SelectMode::UnmarkAll);
    EXPECT_TRUE(presenter.renameEnabled());
    EXPECT_EQ(hint(), kPlanOkText);
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
}

TEST_F(PlanPresenterTest, ARewrittenCounterFieldCountsAsATypedChange) {
    addFiles({"a.txt"});
    QSignalSpy rewritten(&presenter, &PlanPresenter::optionsChanged);
    presenter.setZahlText("007");
    timer->fire();
    EXPECT_EQ(presenter.zahlText(), "7");
    EXPECT_TRUE(timer->isActive());
    EXPECT_GE(rewritten.count(), 1);
    timer->fire();
    EXPECT_FALSE(timer->isActive());
}

TEST_F(PlanPresenterTest, ADigitChoiceLastsThroughALeadZeroChoiceUntilAnyOtherCheck) {
    addFiles({"a.txt", "b.txt"});
    presenter.setMaske("[ZAHL][TYP]");
    timer->fire();
    EXPECT_EQ(presenter.digitChoiceTexts().first(), "1");
    presenter.chooseDigitCount(4);  // "5"
    presenter.chooseLeadZeros(1);
    EXPECT_EQ(column(NeuerNameColumn), QStringList({"00001.txt", "00002.txt"}));
    presenter.chooseLetterCase(1);
    EXPECT_EQ(presenter.digitIndex(), 0);
    EXPECT_EQ(column(NeuerNameColumn), QStringList({"1.TXT", "2.TXT"}));
}

TEST_F(PlanPresenterTest, DigitChoicesStartAtTheLengthOfTheLastCounterValue) {
    QStringList names;
    for (int i = 0; i < 12; ++i) {
        names << QStringLiteral("f%1").arg(i);
    }
    addFiles(names);
    EXPECT_EQ(presenter.digitChoiceTexts(),
              QStringList({"2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}));
}

TEST_F(PlanPresenterTest, MoveCommandsFollowTheMarksAtTheEndsAndAMoveWaitsForTheDelay) {
    addFiles({"a", "b", "c"});
    presenter.setSelected(1, false);
    presenter.ChkSituation();
    EXPECT_TRUE(presenter.moveUpEnabled());
    EXPECT_FALSE(presenter.moveDownEnabled());
    EXPECT_TRUE(presenter.EintragVerschieben(true));
    EXPECT_EQ(column(AlterNameColumn), QStringList({"b", "c", "a"}));
    EXPECT_FALSE(presenter.renameEnabled());
    EXPECT_TRUE(timer->isActive());
    presenter.markRows(SelectMode::InvertMarks);
    EXPECT_FALSE(presenter.EintragVerschieben(false));  // the last row is marked
}

TEST_F(PlanPresenterTest, HeaderClicksSortReverseAndAfterAMoveOnlyStoreTheDirection) {
    folder.touch("big.a", QByteArray(3000, 'x'));
    folder.touch("small.c", QByteArray(10, 'x'));
    folder.touch("mid.b", QByteArray(200, 'x'));
    presenter.fill({folder.native("big.a"), folder.native("small.c"), folder.native("mid.b")},
                   FillMode::Drop);
    const QStringList bySize{"small.c", "mid.b", "big.a"};
    const QStringList bySizeDown{"big.a", "mid.b", "small.c"};
    presenter.headerClicked(4);  // "Größe"
    EXPECT_EQ(column(AlterNameColumn), bySize);
    presenter.headerClicked(4);
    EXPECT_EQ(column(AlterNameColumn), bySizeDown);
    presenter.headerClicked(5);  // "Typ", still descending
    EXPECT_EQ(column(AlterNameColumn), bySize);

    presenter.markRows(SelectMode::UnmarkAll);
    presenter.setSelected(3, true);
    presenter.EintragVerschieben(true);
    const QStringList byHand = column(AlterNameColumn);
    presenter.headerClicked(5);
    EXPECT_EQ(column(AlterNameColumn), byHand);
    presenter.headerClicked(1);
    EXPECT_EQ(column(AlterNameColumn), bySizeDown);
}

TEST_F(PlanPresenterTest, AFillThatRefusedNamesSaysSoAfterTheCheck) {
    presenter.fill({folder.native() + "a\xff.txt", folder.native() + "b\xfe.txt"}, FillMode::Drop);
    EXPECT_EQ(hint(), unrepresentableText(2));
    EXPECT_TRUE(hint().startsWith("Hinweis: 2 Dateien wurden übergangen"));
}

TEST_F(PlanPresenterTest, ARunSavesTheOptionsFirstRenamesAndChecksTheRest) {
    addFiles({"a.txt", "b.txt"});
    presenter.setMaske("n_[NAME][TYP]");
    presenter.setZahlText("3");
    timer->fire();
    presenter.markRows(SelectMode::UnmarkAll);
    presenter.setSelected(2, true);
    presenter.ChkSituation();
    fileSystem.beforeRename = [this](const QString&, const QString&) {
        EXPECT_EQ(history.FillScenarioMenu().first(), "n_[NAME][TYP]");
    };
    FailEvery decision;
    const RenameRunResult result = presenter.UmTaufen(decision);
    EXPECT_EQ(result.renamed.size(), 1);
    EXPECT_EQ(column(AlterNameColumn), QStringList{"a.txt"});
    EXPECT_EQ(presenter.markedText(), "0 von 1 Dateien markiert");
    EXPECT_EQ(history.LoadScenario(1, history.FillScenarioMenu(), 12).startText, "3");
}

TEST_F(PlanPresenterTest, ARestoredEntryIsAppliedLikeTheUsersOwnChanges) {
    addFiles({"a.txt"});
    presenter.restoreScenario({"[NAME]_[ZAHL][TYP]", "5", "2", 0, 1, 2, "a", "b", 1});
    EXPECT_FALSE(presenter.renameEnabled());
    timer->fire();
    EXPECT_EQ(column(NeuerNameColumn), QStringList{"b_5.txt"});
    EXPECT_EQ(presenter.currentScenario(),
              (Scenario{"[NAME]_[ZAHL][TYP]", "5", "2", 0, 1, 2, "a", "b", 1}));
}

}  // namespace
