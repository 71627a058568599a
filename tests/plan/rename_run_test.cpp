#include "plan/rename_run.h"

#include <gtest/gtest.h>

#include <functional>

#include "host_file_system_wrapper.h"
#include "plan/rename_plan.h"
#include "temp_folder.h"

namespace {

// The host's file system, with a hook just before each rename and a record of the calls.
class HookedFileSystem : public HostFileSystemWrapper {
  public:
    RenameOutcome rename(const QString& from, const QString& to) override {
        calls << QFileInfo(from).fileName();
        if (beforeRename) {
            beforeRename(from, to);
        }
        return HostFileSystemWrapper::rename(from, to);
    }

    std::function<void(const QString&, const QString&)> beforeRename;
    QStringList calls;
};

class ScriptedDecision : public FailureDecision {
  public:
    explicit ScriptedDecision(bool answer) : m_answer(answer) {}
    bool continueAfterFailure(const FileEntry& entry) override {
        texts << failureDialogText(entry);
        return m_answer;
    }
    QStringList texts;

  private:
    bool m_answer;
};

class RenameRunTest : public ::testing::Test {
  protected:
    void addFiles(const QStringList& names) { plan.fill(folder.touchAll(names), FillMode::Drop); }

    QStringList rows() const {
        QStringList names;
        for (const FileEntry& e : plan.list()) {
            names << e.AlterName + (e.Selected ? QStringLiteral("*") : QString());
        }
        return names;
    }

    // A file of this name appears in the folder just before the rename of from.
    void blockTargetOf(const QString& fromName) {
        fs.beforeRename = [this, fromName](const QString& from, const QString& to) {
            if (QFileInfo(from).fileName() == fromName) {
                QFile blocker(to);
                blocker.open(QIODevice::WriteOnly);
                blocker.write("intruder");
            }
        };
    }

    TempFolder folder;
    HookedFileSystem fs;
    RenamePlan plan{fs, nullptr};
};

TEST_F(RenameRunTest, RunsFromTheLastMarkedEntryAndRemovesEachRenamed) {
    plan.setMaske(QStringLiteral("neu_[NAME]"));
    addFiles({"a", "b", "c", "d", "e"});
    plan.markRows(UnmarkAll);
    plan.setSelected(2, true);
    plan.setSelected(4, true);
    plan.ChkSituation();
    ScriptedDecision decision(true);
    const RenameRunResult result = plan.UmTaufen(decision, {});
    EXPECT_EQ(fs.calls, (QStringList{"d", "b"}));
    EXPECT_EQ(rows(), (QStringList{"a", "c", "e"}));
    EXPECT_EQ(result.DirText, QStringLiteral("neu_d\nneu_b\n"));
    EXPECT_EQ(folder.names(), (QStringList{"a", "c", "e", "neu_b", "neu_d"}));
    EXPECT_EQ(folder.read(QStringLiteral("neu_d")), QByteArray("d"));
    EXPECT_TRUE(decision.texts.isEmpty());
    // The closing check names the survivors for their new positions.
    EXPECT_EQ(plan.list().at(3).NeuerName, QStringLiteral("neu_e"));
    EXPECT_EQ(plan.verdict().markedText, QStringLiteral("0 von 3 Dateien markiert"));
}

TEST_F(RenameRunTest, FailureAnsweredOkGoesOnAndKeepsTheFailedEntryMarked) {
    plan.setMaske(QStringLiteral("x[NAME]"));
    addFiles({"a", "b", "c"});
    blockTargetOf(QStringLiteral("b"));
    ScriptedDecision decision(true);
    const RenameRunResult result = plan.UmTaufen(decision, {});
    EXPECT_EQ(fs.calls, (QStringList{"c", "b", "a"}));
    EXPECT_EQ(rows(), (QStringList{"b*"}));
    EXPECT_EQ(result.DirText, QStringLiteral("xc\nxa\n"));
    EXPECT_EQ(result.failed, 1);
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(folder.read(QStringLiteral("xb")), QByteArray("intruder"));
    EXPECT_EQ(folder.read(QStringLiteral("b")), QByteArray("b"));
    ASSERT_EQ(decision.texts.size(), 1);
    EXPECT_EQ(decision.texts.first(),
              QStringLiteral("Folgende Datei ließ sich nicht umbenennen:\n\n") + folder.file("b") +
                  QStringLiteral("\n-->\n") + folder.file("xb") +
                  QStringLiteral("\n\nKlicken Sie 'OK', um fortzusetzen oder 'Abbrechen' um die "
                                 "Aktion zu beenden."));
}

TEST_F(RenameRunTest, FailureAnsweredCancelLeavesTheEntriesAboveUntouched) {
    plan.setMaske(QStringLiteral("x[NAME]"));
    addFiles({"a", "b", "c"});
    blockTargetOf(QStringLiteral("b"));
    ScriptedDecision decision(false);
    const RenameRunResult result = plan.UmTaufen(decision, {});
    EXPECT_EQ(fs.calls, (QStringList{"c", "b"}));
    EXPECT_EQ(rows(), (QStringList{"a*", "b*"}));
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.DirText, QStringLiteral("xc\n"));
    EXPECT_EQ(folder.names(), (QStringList{"a", "b", "xb", "xc"}));
}

TEST_F(RenameRunTest, ScenarioIsSavedBeforeTheFirstFileEvenWhenAllFail) {
    plan.setMaske(QStringLiteral("x[NAME]"));
    addFiles({"a"});
    blockTargetOf(QStringLiteral("a"));
    int savedBeforeRenames = -1;
    ScriptedDecision decision(false);
    const RenameRunResult result =
        plan.UmTaufen(decision, [&] { savedBeforeRenames = static_cast<int>(fs.calls.size()); });
    EXPECT_EQ(savedBeforeRenames, 0);
    EXPECT_TRUE(result.renamed.isEmpty());
    EXPECT_EQ(result.DirText, QString());
}

TEST_F(RenameRunTest, VanishedSourceFailsAndNothingElseHappens) {
    plan.setMaske(QStringLiteral("x[NAME]"));
    addFiles({"a"});
    QFile::remove(folder.file("a"));
    ScriptedDecision decision(true);
    const RenameRunResult result = plan.UmTaufen(decision, {});
    EXPECT_EQ(result.failed, 1);
    EXPECT_EQ(rows(), (QStringList{"a*"}));
    EXPECT_TRUE(folder.names().isEmpty());
}

TEST_F(RenameRunTest, CaseOnlyChangeAndUnchangedNameBothCountAsRenamed) {
    plan.setMaske(QStringLiteral("[NAME][TYP]"));
    plan.setLetterCase(AllCapitals);
    addFiles({"foto.jpg", "SAME.TXT"});
    ASSERT_TRUE(plan.verdict().PlanOK);
    ScriptedDecision decision(true);
    const RenameRunResult result = plan.UmTaufen(decision, {});
    EXPECT_EQ(result.failed, 0);
    EXPECT_TRUE(plan.list().isEmpty());
    EXPECT_EQ(folder.names(), (QStringList{"FOTO.JPG", "SAME.TXT"}));
    EXPECT_EQ(folder.read(QStringLiteral("FOTO.JPG")), QByteArray("foto.jpg"));
}

TEST_F(RenameRunTest, RenamedFilesAreReportedInRunOrderWithFullPaths) {
    plan.setMaske(QStringLiteral("[ZAHL][TYP]"));
    addFiles({"a.txt", "b.txt"});
    ScriptedDecision decision(true);
    const RenameRunResult result = plan.UmTaufen(decision, {});
    ASSERT_EQ(result.renamed.size(), 2);
    EXPECT_EQ(result.renamed[0].from, folder.file("b.txt"));
    EXPECT_EQ(result.renamed[0].to, folder.file("2.txt"));
    EXPECT_EQ(result.renamed[1].to, folder.file("1.txt"));
}

}  // namespace
