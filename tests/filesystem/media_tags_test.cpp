#include <gtest/gtest.h>

#include "filesystem/media_tags.h"
#include "media_samples.h"
#include "temp_folder.h"

namespace {

TEST(MediaTags, ReadsEachKindFromItsOwnFilesAndNothingFromOthers) {
    const TempFolder folder;
    writeJpeg(folder.file("exif.jpg"), {"2026:07:14 09:05:03", " X-T30 "});
    writeJpeg(folder.file("blank.jpg"), {"    :  :     :  :  "});
    writeMp3(folder.file("song.mp3"), {"Künstler", "Lied", "Platte", 3, 2024});
    folder.touch("text.mp3");
    const struct Case {
        const char* file;
        MediaKinds kinds;
        std::optional<LocalTime> taken;
        const char *camera = "", *artist = "";
        int track = 0, year = 0;
    } cases[] = {
        {"exif.jpg", MediaKind::Photo, LocalTime{2026, 7, 14, 9, 5, 3}, "X-T30"},
        {"blank.jpg", MediaKind::Photo, {}},  // a date left unset
        {"exif.jpg", MediaKind::Audio, {}},
        {"song.mp3", MediaKind::Photo | MediaKind::Audio, {}, "", "Künstler", 3, 2024},
        {"text.mp3", MediaKind::Audio, {}},
        {"missing.jpg", MediaKind::Photo | MediaKind::Audio, {}},
    };
    for (const Case& c : cases) {
        MediaTags tags;
        readMediaTags(folder.file(c.file), c.kinds, tags);
        EXPECT_EQ(tags.read, c.kinds) << c.file;
        EXPECT_EQ(tags.taken, c.taken) << c.file;
        EXPECT_EQ(tags.camera, QString::fromUtf8(c.camera)) << c.file;
        EXPECT_EQ(tags.artist, QString::fromUtf8(c.artist)) << c.file;
        EXPECT_EQ(tags.track, c.track) << c.file;
        EXPECT_EQ(tags.year, c.year) << c.file;
    }
    MediaTags song;
    readMediaTags(folder.file("song.mp3"), MediaKind::Audio, song);
    EXPECT_EQ(song.title, "Lied");
    EXPECT_EQ(song.album, "Platte");
}

}  // namespace
