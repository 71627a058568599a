#include "engine/mask_compiler.h"

#include <gtest/gtest.h>

namespace {

using K = MaskTokenKind;

MaskToken lit(const char* text) {
    return MaskToken{K::TokLiteral, QString::fromUtf8(text), 0, 0};
}
MaskToken tok(K kind) {
    return MaskToken{kind, QString(), 0, 0};
}
MaskToken range(K kind, qint16 start, qint16 end) {
    return MaskToken{kind, QString(), start, end};
}

std::string describe(const std::vector<MaskToken>& tokens) {
    std::string out;
    for (const MaskToken& t : tokens) {
        out += "(" + std::to_string(static_cast<int>(t.Kind)) + " '" + t.LiteralText.toStdString() +
               "' " + std::to_string(t.RangeStart) + "," + std::to_string(t.RangeEnd) + ")";
    }
    return out;
}

// Range fields are only meaningful for range kinds; compare the rest for other kinds.
bool sameTokens(const std::vector<MaskToken>& actual, const std::vector<MaskToken>& expected) {
    if (actual.size() != expected.size()) {
        return false;
    }
    for (size_t i = 0; i < actual.size(); ++i) {
        const MaskToken& a = actual[i];
        const MaskToken& e = expected[i];
        const int kind = static_cast<int>(e.Kind);
        const bool isRange = kind == 10 || kind == 11 || kind == 20 || kind == 21;
        if (a.Kind != e.Kind || a.LiteralText != e.LiteralText ||
            (isRange && (a.RangeStart != e.RangeStart || a.RangeEnd != e.RangeEnd))) {
            return false;
        }
    }
    return true;
}

TEST(MaskCompiler, AcceptedMasksCompileToTheirTokens) {
    struct Case {
        const char* mask;
        std::vector<MaskToken> tokens;
    };
    const Case cases[] = {
        {"[NAME][TYP]", {tok(K::TokName), tok(K::TokTyp)}},
        {"[name].[typ]", {tok(K::TokName), lit("."), tok(K::TokTyp)}},
        {"Bild_[ZAHL]", {lit("Bild_"), tok(K::TokZahl)}},
        {"  Bild  ", {lit("Bild")}},
        {"\tBild", {lit("\tBild")}},
        {"[r3-5]", {range(K::TokRangeFromToRight, 3, 5)}},
        {"[3-]", {range(K::TokRangeFromTo, 3, 32767)}},
        {"[R4-]", {range(K::TokRangeFromToRight, 4, 32767)}},
        {"[7]", {range(K::TokRangeCount, 7, 1)}},
        {"[R2,4]", {range(K::TokRangeCountRight, 2, 4)}},
        {"[2,0]", {range(K::TokRangeCount, 2, 0)}},
        {"[007]", {range(K::TokRangeCount, 7, 1)}},
        {"[260]", {range(K::TokRangeCount, 260, 1)}},
        {"[5-5]", {range(K::TokRangeFromTo, 5, 5)}},
        {"[[", {lit("[")}},
        {"[[NAME]", {lit("["), lit("NAME]")}},
        {"a*b", {lit("a*b")}},
        {"a]b", {lit("a]b")}},
        {"[DATUM][RDATUM][TAG][MONAT][JAHR]",
         {tok(K::TokDatum), tok(K::TokRDatum), tok(K::TokTag), tok(K::TokMonat), tok(K::TokJahr)}},
        {"[ZEIT][STUNDE][H][MINUTE][M][SEKUNDE][S]",
         {tok(K::TokZeit), tok(K::TokStunde), tok(K::TokStunde), tok(K::TokMinute),
          tok(K::TokMinute), tok(K::TokSekunde), tok(K::TokSekunde)}},
        {"[Monat]-[m]", {tok(K::TokMonat), lit("-"), tok(K::TokMinute)}},
        {"x[NAME]x[NAME]", {lit("x"), tok(K::TokName), lit("x"), tok(K::TokName)}},
    };
    for (const Case& c : cases) {
        const MaskCompilation result = TranslateMaske(QString::fromUtf8(c.mask));
        EXPECT_TRUE(result.MaskOK) << c.mask;
        EXPECT_FALSE(result.errorNo.has_value()) << c.mask;
        EXPECT_TRUE(sameTokens(result.MaskTokens, c.tokens))
            << c.mask << " gave " << describe(result.MaskTokens);
    }
}

TEST(MaskCompiler, EachErrorHasItsNumber) {
    struct Case {
        const char* mask;
        int errorNo;
    };
    const Case cases[] = {
        {"[0]", 6},  {"[00-3]", 6}, {"[261]", 0}, {"[1-261]", 0}, {"[1,999]", 0}, {"[5-3]", 4},
        {"[3", 1},   {"[3-", 2},    {"[3-x]", 2}, {"[3-4", 3},    {"[3,4", 3},    {"[3,]", 2},
        {"[X]", 1},  {"[]", 1},     {"[ ]", 1},   {"[R]", 1},     {"[NAME", 1},   {"[ 3]", 1},
        {"[3x]", 1}, {"a:b", 5},    {"a/b", 5},   {"a\\b", 5},    {"a?b", 5},     {"a\"b", 5},
        {"a<b", 5},  {"a>b", 5},    {"a|b", 5},   {"[NAME]:", 5}, {"x[0]", 6},
    };
    for (const Case& c : cases) {
        const MaskCompilation result = TranslateMaske(QString::fromUtf8(c.mask));
        EXPECT_FALSE(result.MaskOK) << c.mask;
        ASSERT_TRUE(result.errorNo.has_value()) << c.mask;
        EXPECT_EQ(*result.errorNo, c.errorNo) << c.mask;
    }
}

TEST(MaskCompiler, TokensBeforeAnErrorStayInTheTable) {
    const MaskCompilation result = TranslateMaske(QStringLiteral("x[0]"));
    EXPECT_TRUE(sameTokens(result.MaskTokens, {lit("x")}));
    EXPECT_FALSE(result.MaskOK);
}

TEST(MaskCompiler, EmptyOrBlankMaskIsNoErrorButNotOk) {
    for (const char* mask : {"", " ", "     "}) {
        const MaskCompilation result = TranslateMaske(QString::fromUtf8(mask));
        EXPECT_FALSE(result.MaskOK);
        EXPECT_FALSE(result.errorNo.has_value());
        EXPECT_TRUE(result.MaskTokens.empty());
    }
}

TEST(MaskCompiler, ErrorMessagesAreExact) {
    const char* expected[] = {
        "Fehler: Die Zahl ist zu groß.",
        "Fehler: Die Maske ist falsch oder nicht vollständig aufgebaut.",
        "Fehler: Es wurde eine Zahl erwartet.",
        "Fehler: Schließende Klammer fehlt.",
        "Fehler: Das Bereichsende ist kleiner als der Bereichsanfang.",
        "Fehler: Die Zeichen \\ / : ? \" < > | sind in Dateinamen nicht erlaubt.",
        "Fehler: Null ist als Bereichsbeginn nicht zulässig.",
    };
    for (int no = 0; no <= 6; ++no) {
        EXPECT_EQ(ShowError(no), QString::fromUtf8(expected[no])) << no;
    }
}

}  // namespace
