#include "engine/new_names.h"

#include <gtest/gtest.h>

#include "list/file_list.h"

namespace {

const LocalTime kHolidayTime{2003, 8, 5, 14, 7, 9};

// Position 1 is a filler so that the holiday photo stands at position 2.
FileList holidayList() {
    FileList list;
    list.append(makeFileEntry(QStringLiteral("/fotos/aaa.jpg"), 10, kHolidayTime));
    list.append(makeFileEntry(QStringLiteral("/fotos/Urlaub 2003.jpg"), 1536, kHolidayTime));
    return list;
}

struct NameCase {
    const char* mask;
    const char* expected;
    qint32 start = 1;
    qint32 step = 1;
    const char* leadZeros = "";
    const char* digits = "1";
    int letterCase = KeepCase;
    const char* search = "";
    const char* replace = "";
};

QString nameAtPosition2(const NameCase& c) {
    FileList list = holidayList();
    RenameSettings settings;
    settings.Maske = QString::fromUtf8(c.mask);
    settings.Start = c.start;
    settings.Step = c.step;
    settings.LeadZeros = QString::fromUtf8(c.leadZeros);
    settings.Digits = QString::fromUtf8(c.digits);
    settings.LetterCase = c.letterCase;
    settings.SucheText = QString::fromUtf8(c.search);
    settings.ErsetzeText = QString::fromUtf8(c.replace);
    FillNewNameColumn(list, TranslateMaske(settings.Maske), settings);
    return list.at(2).NeuerName;
}

TEST(NewNames, HolidayPhotoExamples) {
    const NameCase cases[] = {
        {"[NAME][TYP]", "Urlaub 2003.jpg"},
        {"[1-6]_[ZAHL][TYP]", "Urlaub_002.jpg", 1, 1, "0", "3"},
        {"[1-6]_[ZAHL][TYP]", "Urlaub_2.jpg", 1, 1, "", "3"},
        {"[1-6]_[ZAHL][TYP]", "Urlaub_15.jpg", 10, 5, ""},
        {"[1-6]_[ZAHL][TYP]", "Urlaub___15.jpg", 10, 5, "_", "4"},
        {"[ZAHL]", "  15", 10, 5, " ", "4"},
        {"[ZAHL]", "1", 1, 0},
        {"[8-]", "2003"},
        {"[R4-]", "Urlaub 2"},
        {"[R4]", "2"},
        {"[R1,4]", "2003"},
        {"[8,10]", "2003"},
        {"[12]", ""},
        {"[R12]", ""},
        {"[12-20]", ""},
        {"[3,0]", ""},
        {"[r3-5]", " 20"},
        {"[R2,3]", "200"},
        {"[11]", "3"},
        {"[JAHR]-[MONAT]-[TAG]", "2003-08-05"},
        {"[DATUM]", "05.08.2003"},
        {"[RDATUM]", "2003.08.05"},
        {"[ZEIT]", "14.07.09"},
        {"[H][M][S]", "140709"},
        {"[NAME][TYP]", "URLAUB 2003.JPG", 1, 1, "", "1", AllCapitals},
        {"[NAME][TYP]", "urlaub 2003.jpg", 1, 1, "", "1", AllSmall},
        {"foto [NAME][TYP]", "Foto urlaub 2003.jpg", 1, 1, "", "1", FirstCapital},
        {"[NAME][TYP]", "Ferien 2003.jpg", 1, 1, "", "1", KeepCase, "urlaub", "Ferien"},
        {"[NAME][TYP]", "Urlaub 2003.jpg", 1, 1, "", "1", KeepCase, "", "Ferien"},
        {"[NAME][TYP]", "Urlaub 2003.jpg", 1, 1, "", "1", KeepCase, "jpg", "png"},
        {"[1-3][TYP]", "Fer.jpg", 1, 1, "", "1", KeepCase, "Urlaub", "Ferien"},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(nameAtPosition2(c), QString::fromUtf8(c.expected)) << c.mask;
    }
}

TEST(NewNames, FileWithoutExtensionKeepsTheLoneDot) {
    FileList list;
    list.append(makeFileEntry(QStringLiteral("/x/README"), 1, kHolidayTime));
    RenameSettings settings;
    FillNewNameColumn(list, TranslateMaske(settings.Maske), settings);
    EXPECT_EQ(list.at(1).NeuerName, QStringLiteral("README."));
}

TEST(NewNames, InvalidMaskPutsPlaceholderEverywhereAndStillCounts) {
    for (const char* mask : {"", "[0]"}) {
        FileList list = holidayList();
        list.at(1).Selected = false;
        RenameSettings settings;
        settings.Maske = QString::fromUtf8(mask);
        EXPECT_EQ(FillNewNameColumn(list, TranslateMaske(settings.Maske), settings), 1);
        EXPECT_EQ(list.at(1).NeuerName, kPlaceholderName);
        EXPECT_EQ(list.at(2).NeuerName, kPlaceholderName);
    }
}

TEST(NewNames, CounterFollowsListPositionNotMarks) {
    FileList list;
    for (const char* name : {"a", "b", "c", "d", "e"}) {
        FileEntry entry =
            makeFileEntry(QStringLiteral("/x/") + QString::fromUtf8(name), 1, kHolidayTime);
        entry.Selected = false;
        list.append(entry);
    }
    list.at(2).Selected = true;
    list.at(5).Selected = true;
    RenameSettings settings;
    settings.Maske = QStringLiteral("[ZAHL]");
    EXPECT_EQ(FillNewNameColumn(list, TranslateMaske(settings.Maske), settings), 2);
    EXPECT_EQ(list.at(2).NeuerName, QStringLiteral("2"));
    EXPECT_EQ(list.at(5).NeuerName, QStringLiteral("5"));
}

TEST(NewNames, CounterBeyond32BitsDoesNotWrap) {
    EXPECT_EQ(counterValue(2147483647, 99999, 3), 2147683645LL);
    EXPECT_EQ(counterText(counterValue(2147483647, 1, 2), 1, QString()),
              QStringLiteral("2147483648"));
}

TEST(NewNames, ProgressRunsOverEveryEntryAndEndsAtZero) {
    FileList list = holidayList();
    RenameSettings settings;
    std::vector<int> values;
    FillNewNameColumn(list, TranslateMaske(settings.Maske), settings, [&](int value, int maximum) {
        EXPECT_EQ(maximum, 2);
        values.push_back(value);
    });
    EXPECT_EQ(values, (std::vector<int>{1, 2, 0}));

    FileList empty;
    values.clear();
    EXPECT_EQ(FillNewNameColumn(empty, TranslateMaske(settings.Maske), settings,
                                [&](int value, int) { values.push_back(value); }),
              0);
    EXPECT_TRUE(values.empty());
}

TEST(ReplaceAllTest, ReplacesWithoutRescanningInsertedText) {
    struct Case {
        const char* text;
        const char* search;
        const char* replacement;
        bool ignoreCase;
        const char* expected;
    };
    const Case cases[] = {
        {"banana", "a", "aa", true, "baanaanaa"},
        {"banana", "A", "o", true, "bonono"},
        {"banana", "A", "o", false, "banana"},
        {"banana", "an", "", true, "ba"},
        {"aaaa", "aa", "a", true, "aa"},
        {"Straße STRASSE", "straße", "Weg", true, "Weg STRASSE"},
        {"ÄRGER ärger", "ärger", "Spaß", true, "Spaß Spaß"},
        {"abc", "abcd", "x", true, "abc"},
    };
    for (const Case& c : cases) {
        QString text = QString::fromUtf8(c.text);
        ReplaceAll(text, QString::fromUtf8(c.search), QString::fromUtf8(c.replacement),
                   c.ignoreCase);
        EXPECT_EQ(text, QString::fromUtf8(c.expected)) << c.text << " / " << c.search;
    }
}

TEST(LetterCase, GermanLettersFollowUnicodeMapping) {
    struct Case {
        const char* name;
        int rule;
        const char* expected;
    };
    const Case cases[] = {
        {"Übergröße.txt", AllCapitals, "ÜBERGRÖSSE.TXT"},
        {"ÄÖÜ.TXT", AllSmall, "äöü.txt"},
        {"ärger IM büro", FirstCapital, "Ärger im büro"},
        {"ßtraße", FirstCapital, "SStraße"},
        {"MiXeD", KeepCase, "MiXeD"},
        {"MiXeD", 7, "MiXeD"},
        {"", FirstCapital, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(applyLetterCase(QString::fromUtf8(c.name), c.rule), QString::fromUtf8(c.expected))
            << c.name;
    }
}

TEST(NewNames, RangesNeverSplitACharacterOutsideTheBasicPlane) {
    FileList list;
    list.append(makeFileEntry(QString::fromUtf8("/x/a😀b.txt"), 1, kHolidayTime));
    RenameSettings settings;
    settings.Maske = QStringLiteral("[2]_[R1]_[1,2]");
    FillNewNameColumn(list, TranslateMaske(settings.Maske), settings);
    EXPECT_EQ(list.at(1).NeuerName, QString::fromUtf8("😀_b_a😀"));
}

}  // namespace
