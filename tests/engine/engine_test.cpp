#include <gtest/gtest.h>
#include <QStringList>

#include "engine/media_values.h"
#include "engine/new_names.h"
#include "list/file_list.h"

void PrintTo(const MaskToken& t, std::ostream* out) {
    *out << "(" << int(t.Kind) << " '" << t.LiteralText.toStdString() << "' " << t.RangeStart << ","
         << t.RangeEnd << ")";
}

namespace {

using enum MaskTokenKind;
using L = LetterCase;

const auto lit = [](const char* text) { return MaskToken{TokLiteral, text, 0, 0}; };
const auto tok = [](MaskTokenKind kind, qint16 start = 0, qint16 end = 0) {
    return MaskToken{kind, QString(), start, end};
};

TEST(MaskCompiler, AcceptedMasksCompileToTheirTokens) {
    const std::pair<const char*, std::vector<MaskToken>> cases[] = {
        {"[name].[typ]", {tok(TokName), lit("."), tok(TokTyp)}},
        {"  Bild_[ZAHL]  ", {lit("Bild_"), tok(TokZahl)}},
        {"[r3-5][3-][R2,4]",
         {tok(TokRangeFromToRight, 3, 5), tok(TokRangeFromTo, 3, 32767),
          tok(TokRangeCountRight, 2, 4)}},
        {"[7][007][260][2,0][5-5]",
         {tok(TokRangeCount, 7, 1), tok(TokRangeCount, 7, 1), tok(TokRangeCount, 260, 1),
          tok(TokRangeCount, 2, 0), tok(TokRangeFromTo, 5, 5)}},
        {"[[NAME]", {lit("["), lit("NAME]")}},
        {"\ta*b]c", {lit("\ta*b]c")}},
        {"[DATUM][RDATUM][TAG][MONAT][JAHR][ZEIT][STUNDE][H][MINUTE][M][SEKUNDE][S]",
         {tok(TokDatum), tok(TokRDatum), tok(TokTag), tok(TokMonat), tok(TokJahr), tok(TokZeit),
          tok(TokStunde), tok(TokStunde), tok(TokMinute), tok(TokMinute), tok(TokSekunde),
          tok(TokSekunde)}},
        {"[FotoDatum][FOTOZEIT][FOTOJAHR][FOTOMONAT][FOTOTAG][KAMERA][Interpret][TITEL][ALBUM]"
         "[TITELNR][ALBUMJAHR][ordner]",
         {tok(TokFotoDatum), tok(TokFotoZeit), tok(TokFotoJahr), tok(TokFotoMonat), tok(TokFotoTag),
          tok(TokKamera), tok(TokInterpret), tok(TokTitel), tok(TokAlbum), tok(TokTitelNr),
          tok(TokAlbumJahr), tok(TokOrdner)}},
    };
    for (const auto& [mask, tokens] : cases) {
        const MaskCompilation result = TranslateMaske(mask);
        EXPECT_TRUE(result.MaskOK && !result.error) << mask;
        EXPECT_EQ(result.MaskTokens, tokens) << mask;
    }
}

TEST(MaskCompiler, EachErrorIsNamedAndABlankMaskIsNone) {
    using E = MaskError;
    const std::pair<std::optional<MaskError>, QStringList> cases[] = {
        {E::NumberTooBig, {"[261]", "[1-261]", "[1,999]"}},
        {E::Malformed, {"[3", "[X]", "[]", "[ ]", "[R]", "[NAME", "[ 3]", "[3x]"}},
        {E::NumberExpected, {"[3-", "[3-x]", "[3,]"}},
        {E::ClosingBracketMissing, {"[3-4", "[3,4"}},
        {E::RangeEndBeforeStart, {"[5-3]"}},
        {E::ForbiddenCharacter, {"a:b", "a/b", "a\\b", "a?b", "a\"b", "a<b", "a>b", "a|b"}},
        {E::ZeroRangeStart, {"[0]", "[00-3]"}},
        {std::nullopt, {"", "     "}},
    };
    for (const auto& [error, masks] : cases) {
        for (const QString& mask : masks) {
            const MaskCompilation result = TranslateMaske(mask);
            EXPECT_FALSE(result.MaskOK) << mask.toStdString();
            EXPECT_EQ(result.error, error) << mask.toStdString();
        }
    }
    // The tokens before the error stay.
    EXPECT_EQ(TranslateMaske("x[NAME]:").MaskTokens, (std::vector{lit("x"), tok(TokName)}));
}

TEST(NewNames, FollowTheMaskCounterLetterCaseAndReplacement) {
    const struct Case {
        const char *mask, *expected;
        int start = 1, step = 1, digits = 1;
        std::optional<QChar> leadZeros = {};
        LetterCase letterCase = L::Keep;
        const char *search = "", *replace = "", *file = "Urlaub 2003.jpg";
    } cases[] = {
        {"[NAME][TYP]", "Urlaub 2003.jpg"},
        {.mask = "[NAME][TYP]", .expected = "README", .file = "README"},
        {.mask = "[NAME][TYP]", .expected = "README.", .file = "README."},
        {"[1-6]_[ZAHL][TYP]", "Urlaub_002.jpg", 1, 1, 3, u'0'},  // the position counts
        {"[1-6]_[ZAHL][TYP]", "Urlaub_2.jpg", 1, 1, 3},
        {"[1-6]_[ZAHL][TYP]", "Urlaub___15.jpg", 10, 5, 4, u'_'},
        {"[ZAHL]", "  15", 10, 5, 4, u' '},
        {"[ZAHL]", "1", 1, 0},
        {"[ZAHL]", "2147483648", 2147483647},  // never wraps
        {"[8-]_[R4-]_[R4]_[R1,4]", "2003_Urlaub 2_2_2003"},
        {"[8,10]_[r3-5]_[R2,3]_[11]", "2003_ 20_200_3"},
        {"[12][R12][12-20][3,0]x", "x"},  // beyond the name, or no characters
        {.mask = "[2]_[R1]_[1,2]", .expected = "😀_b_a😀", .file = "a😀b.txt"},
        {"[DATUM] [RDATUM] [JAHR]-[MONAT]-[TAG] [ZEIT] [H][M][S]",
         "05.08.2003 2003.08.05 2003-08-05 14.07.09 140709"},
        {"foto [NAME][TYP]", "Foto urlaub 2003.jpg", 1, 1, 1, {}, L::FirstCapital},
        {"show.s01e02-mEIN_(foto) [[alt] [NAME][TYP]",
         "Show.S01e02-Mein_(Foto) [Alt] Urlaub 2003.jpg",
         1,
         1,
         1,
         {},
         L::EachWord},
        {"[NAME][TYP]", "Ferien 2003.jpg", 1, 1, 1, {}, L::Keep, "urlaub", "Ferien"},
        {"[NAME][TYP]", "Urlaub 2003.jpg", 1, 1, 1, {}, L::Keep, "", "Ferien"},
        {"[NAME][TYP]", "Urlaub 2003.jpg", 1, 1, 1, {}, L::Keep, "jpg", "png"},
        {"[1-3][TYP]", "Fer.jpg", 1, 1, 1, {}, L::Keep, "Urlaub", "Ferien"},
        {"[0]", "< ? >"},
        {"", "< ? >"},
    };
    for (const Case& c : cases) {
        FileList list;  // the holiday photo at position 2, behind an unmarked row
        list.append(FileEntry("/fotos/aaa.jpg", 1, {}));
        list.append(FileEntry(QStringLiteral("/fotos/") + c.file, 1, {2003, 8, 5, 14, 7, 9}));
        list.at(1).Selected = false;
        const RenameSettings settings{c.mask,      c.start,      c.step,   c.digits,
                                      c.leadZeros, c.letterCase, c.search, c.replace};
        EXPECT_EQ(FillNewNameColumn(list, TranslateMaske(c.mask), settings), 1) << c.mask;
        EXPECT_EQ(list.at(2).NeuerName, c.expected) << c.mask;
    }
}

TEST(NewNames, ValuesFromTheFilesContentsAndFolderOrTheOneTheFileLacks) {
    MediaTags full;
    full.read = MediaKind::Photo | MediaKind::Audio;
    full.taken = LocalTime{2026, 7, 14, 9, 5, 3};
    full.camera = "Kam/era";
    full.artist = "AC/DC";
    full.title = QStringLiteral("Nul\0l");
    full.album = "Album";
    full.track = 7;
    full.year = 1999;
    MediaTags photoOnly = full;
    photoOnly.read = MediaKind::Photo;
    MediaTags empty;
    empty.read = MediaKind::Photo | MediaKind::Audio;
    const struct Case {
        const char* mask;
        const MediaTags* tags;
        const char* expected;
        std::optional<MediaField> missing = {};
        const char* path = "/fotos/Urlaub/a.jpg";
    } cases[] = {
        {"[FOTODATUM] [FOTOZEIT] [FOTOJAHR]-[FOTOMONAT]-[FOTOTAG] [KAMERA]", &full,
         "14.07.2026 09.05.03 2026-07-14 Kam-era"},
        {"[INTERPRET] - [TITEL] [ALBUM] [TITELNR] [ALBUMJAHR] [ORDNER]", &full,
         "AC-DC - Nul-l Album 07 1999 Urlaub"},
        {"[ORDNER]", nullptr, "< ? >", MediaField::Folder, "/a.jpg"},
        {"[NAME][INTERPRET]", &photoOnly, "< ? >", MediaField::NotRead},
        {"[FOTOJAHR]", nullptr, "< ? >", MediaField::NotRead},
        {"[NAME][FOTOTAG]", &empty, "< ? >", MediaField::Taken},
        {"[KAMERA]", &empty, "< ? >", MediaField::Camera},
        {"[INTERPRET]", &empty, "< ? >", MediaField::Artist},
        {"[TITEL]", &empty, "< ? >", MediaField::Title},
        {"[ALBUM]", &empty, "< ? >", MediaField::Album},
        {"[TITELNR]", &empty, "< ? >", MediaField::Track},
        {"[ALBUMJAHR]", &empty, "< ? >", MediaField::Year},
    };
    for (const Case& c : cases) {
        FileList list;
        list.append(FileEntry(c.path, 1, {}));
        if (c.tags != nullptr) {
            list.at(1).media = std::make_shared<MediaTags>(*c.tags);
        }
        FillNewNameColumn(list, TranslateMaske(c.mask), {});
        EXPECT_EQ(list.at(1).NeuerName, c.expected) << c.mask;
        EXPECT_EQ(list.at(1).missingValue, c.missing) << c.mask;
    }
    EXPECT_EQ(mediaKinds(TranslateMaske("[FOTOTAG][TITELNR][ORDNER]").MaskTokens),
              MediaKind::Photo | MediaKind::Audio);
}

TEST(NewNames, ARegularExpressionReplacesEveryMatchWithItsGroups) {
    const struct {
        const char *name, *search, *replace, *expected;
    } cases[] = {
        {"Show.S01E02", "s(\\d+)e(\\d+)", "Staffel \\1 Folge \\2", "Show.Staffel 01 Folge 02"},
        {"banana", "a", "[\\0]", "b[a]n[a]n[a]"},
        {"ab", "(a)|(x)", "\\2\\1\\", "a\\b"},  // a group without a match gives nothing
        {"a.b", ".", "-", "---"},
        {"Ärger", "ä", "Ae", "Aerger"},
        {"Urlaub", "xyz", "-", "Urlaub"},
    };
    for (const auto& c : cases) {
        RenameSettings settings;
        settings.SucheText = c.search;
        settings.ErsetzeText = c.replace;
        settings.searchKind = SearchKind::Pattern;
        const NameSearch search(settings);
        QString name = c.name;
        search.replaceIn(name);
        EXPECT_EQ(name, c.expected) << c.search;
        EXPECT_FALSE(search.error()) << c.search;
    }
}

TEST(NewNames, AnInvalidExpressionNamesItsPositionAndGivesNoNames) {
    FileList list;
    list.append(FileEntry("/x/a.txt", 0, {}));
    RenameSettings settings;
    settings.SucheText = "a(b";
    settings.searchKind = SearchKind::Pattern;
    const NameSearch search(settings);
    ASSERT_TRUE(search.error());
    EXPECT_EQ(search.error()->position, 4);
    EXPECT_EQ(FillNewNameColumn(list, TranslateMaske("[NAME]"), search, settings), 1);
    EXPECT_EQ(list.at(1).NeuerName, kPlaceholderName);
    settings.searchKind = SearchKind::Literal;  // the same text, taken as it stands
    EXPECT_FALSE(NameSearch(settings).error());
}

TEST(NewNames, ProgressRunsOverEveryEntryAndEndsAtZero) {
    FileList list;
    list.append(FileEntry("/x/a", 1, {}));
    list.append(FileEntry("/x/b", 1, {}));
    std::vector<std::pair<int, int>> calls;
    FillNewNameColumn(list, TranslateMaske("[NAME]"), {},
                      [&](int value, int maximum) { calls.emplace_back(value, maximum); });
    EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}, {0, 2}}));
}

TEST(NewNames, ALongListIsNamedRowByRowWithItsCounterAndMarks) {
    FileList list;
    for (int i = 1; i <= 9001; ++i) {
        list.append(FileEntry(QStringLiteral("/x/f%1.txt").arg(i), 1, {}));
        list.at(i).Selected = i % 3 != 0;
    }
    RenameSettings settings;
    settings.Start = 10;
    settings.Step = 2;
    int progressMaximum = 0;
    EXPECT_EQ(FillNewNameColumn(
                  list, TranslateMaske("[NAME]-[ZAHL][TYP]"), settings,
                  [&](int value, int) { progressMaximum = std::max(progressMaximum, value); }),
              6001);
    for (int i = 1; i <= 9001; ++i) {
        ASSERT_EQ(list.at(i).NeuerName, QStringLiteral("f%1-%2.txt").arg(i).arg(8 + 2 * i)) << i;
    }
    EXPECT_EQ(progressMaximum, 9001);
}

TEST(ReplaceAll, ReplacesIgnoringCaseWithoutSearchingInsertedText) {
    const struct Case {
        const char *text, *search, *replacement, *expected;
    } cases[] = {
        {"banana", "a", "aa", "baanaanaa"},
        {"banana", "an", "", "ba"},
        {"aaaa", "aa", "a", "aa"},
        {"Straße STRASSE", "straße", "Weg", "Weg STRASSE"},
        {"ÄRGER ärger", "ärger", "Spaß", "Spaß Spaß"},
        {"abc", "abcd", "x", "abc"},
    };
    for (const Case& c : cases) {
        QString text = c.text;
        ReplaceAll(text, c.search, c.replacement, true);
        EXPECT_EQ(text, c.expected) << c.text << " / " << c.search;
    }
}

TEST(LetterCase, GermanLettersFollowTheUnicodeMapping) {
    const std::tuple<const char*, LetterCase, const char*> cases[] = {
        {"Übergröße.txt", L::AllCapitals, "ÜBERGRÖSSE.TXT"},
        {"ÄÖÜ.TXT", L::AllSmall, "äöü.txt"},
        {"ärger IM büro", L::FirstCapital, "Ärger im büro"},
        {"ßtraße", L::FirstCapital, "SStraße"},
        {"𐐨𐐨", L::FirstCapital, "𐐀𐐨"},  // outside the basic plane
        {"", L::FirstCapital, ""},
    };
    for (const auto& [name, rule, expected] : cases) {
        EXPECT_EQ(applyLetterCase(name, rule), expected) << name;
    }
}

}  // namespace
