#include <gtest/gtest.h>

#include "filesystem/folder_index_cache.h"
#include "list/list_filling.h"
#include "list/media_reading.h"
#include "media_samples.h"
#include "plan/messages.h"
#include "plan/plan_check.h"
#include "run_support.h"
#include "temp_folder.h"

namespace {

const FileEntry& entryNamed(const FileList& list, const QString& name) {
    return *std::find_if(list.begin(), list.end(),
                         [&](const FileEntry& e) { return e.AlterName() == name; });
}

TEST(CheckPlan, ValuesAreReadOnceAndAFileLackingOneFailsItsRowUntilThen) {
    const TempFolder folder;
    writeMp3(folder.file("a.mp3"), {"AC/DC", "Eins"});
    writeMp3(folder.file("b.mp3"), {"", "Zwei"});
    FileList list;
    FillListe(list, {folder.native("a.mp3"), folder.native("b.mp3")}, FillMode::Drop,
              hostFileSystem());
    RenameSettings settings;
    settings.Maske = "[INTERPRET] - [TITEL][TYP]";
    FolderIndexCache folders;
    const auto check = [&](MediaReads reads) {
        return checkPlan(list, settings, hostFileSystem(), folders, {}, reads);
    };

    // Read elsewhere: until then every row waits and the plan is refused.
    PlanVerdict verdict = check(MediaReads::Elsewhere);
    EXPECT_EQ(failureMessage(verdict), "Die Angaben aus den Dateien werden gelesen ...");
    EXPECT_EQ(verdict.names.rows.size(), 2U);
    EXPECT_FALSE(verdict.PlanOK);

    // What was read apart finds its entries by their paths, whatever their order now.
    MediaReading reading = mediaToRead(list, MediaKind::Audio);
    readFiles(reading);
    list.swapRows(1, 2);
    takeMediaRead(list, reading);
    // Read once: the values stay with the entries.
    QFile::remove(folder.file("a.mp3"));
    QFile::remove(folder.file("b.mp3"));
    verdict = check(MediaReads::Here);
    EXPECT_EQ(entryNamed(list, "a.mp3").NeuerName, "AC-DC - Eins.mp3");
    EXPECT_EQ(failureMessage(verdict),
              "Fehler: Einigen Dateien fehlen Angaben, die die Maske verwendet!");
    ASSERT_EQ(verdict.names.rows.size(), 1U);
    EXPECT_EQ(faultTexts(verdict.names.rows[0], {}), QStringList{"Kein Interpret"});
    EXPECT_FALSE(verdict.PlanOK);

    // An unmarked row without a value is not checked.
    list.at(verdict.names.rows[0].row).Selected = false;
    EXPECT_TRUE(check(MediaReads::Here).PlanOK);
}

}  // namespace
