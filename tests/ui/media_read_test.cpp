#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>

#include "fake_delay_timer.h"
#include "filesystem/journal_store.h"
#include "media_samples.h"
#include "temp_folder.h"
#include "ui/plan_presenter.h"
#include "ui/settings_store.h"

namespace {

TEST(PlanPresenterMedia, TagsAreReadOffTheWindowThreadWhileTheRenameWaits) {
    const TempFolder folder;
    writeMp3(folder.file("a.mp3"), {"Band", "Lied"});
    QTemporaryDir settingsDir;
    SettingsStore store{settingsDir.filePath("taufix.conf")};
    ScenarioHistory history{store};
    const TempFolder journalFolder;
    JournalStore journal{journalFolder.path()};
    PlanPresenter presenter{hostFileSystem(), history, journal, std::make_unique<FakeDelayTimer>()};
    QSignalSpy hints{&presenter, &PlanPresenter::userInfo};
    QSignalSpy checks{&presenter, &PlanPresenter::checked};
    presenter.setMaske("[INTERPRET] - [TITEL][TYP]");

    ASSERT_TRUE(presenter.fill({folder.native("a.mp3")}, FillMode::Drop));
    ASSERT_TRUE(checks.wait());
    EXPECT_FALSE(presenter.renameEnabled());
    EXPECT_EQ(hints.last().first().toString(), "Die Angaben aus den Dateien werden gelesen ...");

    ASSERT_TRUE(checks.wait());
    EXPECT_EQ(presenter.list().at(1).NeuerName, "Band - Lied.mp3");
    EXPECT_TRUE(presenter.renameEnabled());
}

}  // namespace
