#include "plan/counter_fields.h"

#include <gtest/gtest.h>

namespace {

TEST(ValidateNumericTextTest, ReadsRoundsDownTakesAbsoluteValueAndBounds) {
    struct Case {
        const char* text;
        qint32 largest;
        qint32 value;
        const char* normal;
    };
    const Case cases[] = {
        {"007", kLargestStart, 7, "7"},
        {"7", kLargestStart, 7, "7"},
        {"2.7", kLargestStart, 2, "2"},
        {"-2.5", kLargestStart, 3, "3"},
        {"abc", kLargestStart, 0, "0"},
        {"", kLargestStart, 0, "0"},
        {"1 2\t3\n4", kLargestStart, 1234, "1234"},
        {"12abc", kLargestStart, 12, "12"},
        {"+5", kLargestStart, 5, "5"},
        {".5", kLargestStart, 0, "0"},
        {"-.5", kLargestStart, 1, "1"},
        {"1e3", kLargestStart, 1000, "1000"},
        {"1E+2", kLargestStart, 100, "100"},
        {"2e", kLargestStart, 2, "2"},
        {"2e-1", kLargestStart, 0, "0"},
        {"1e20", kLargestStart, kLargestStart, "99999999"},
        {"1e400", kLargestStep, kLargestStep, "99999"},
        {"123456", kLargestStep, kLargestStep, "99999"},
        {"99999", kLargestStep, 99999, "99999"},
        {"-", kLargestStart, 0, "0"},
        {"٣", kLargestStart, 0, "0"},
    };
    for (const Case& c : cases) {
        QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(ValidateNumericText(text, c.largest), c.value) << c.text;
        EXPECT_EQ(text, QString::fromUtf8(c.normal)) << c.text;
    }
}

TEST(ChkForValidNumKeysTest, OnlyDigitsAndBackspacePass) {
    for (int key = 0; key < 256; ++key) {
        int filtered = key;
        ChkForValidNumKeys(filtered);
        const bool kept = (key >= '0' && key <= '9') || key == 8;
        EXPECT_EQ(filtered, kept ? key : 0) << key;
    }
}

TEST(InitStellenAnzahlTest, ChoicesStartAtTheLengthOfTheLastCounterValue) {
    struct Case {
        qint32 start;
        qint32 step;
        int count;
        int minDigits;
    };
    const Case cases[] = {
        {1, 1, 12, 2},    // last value 12
        {95, 5, 2, 3},    // last value 100
        {1, 5, 0, 2},     // empty list: 1 - 5 = -4
        {1, 1, 0, 1},     // 0
        {0, 0, 1000, 1},  // step 0: all the same
        {kLargestStart, kLargestStep, 100000, 11},
    };
    for (const Case& c : cases) {
        const DigitChoices choices = InitStellenAnzahl(c.start, c.step, c.count);
        EXPECT_EQ(choices.MinDigits, c.minDigits) << c.start << "/" << c.step << "/" << c.count;
        EXPECT_EQ(choices.choices.first(), QString::number(c.minDigits));
        EXPECT_EQ(choices.choices.last(), QStringLiteral("12"));
        EXPECT_EQ(choices.choices.size(), 12 - c.minDigits + 1);
    }
}

TEST(InitStellenAnzahlTest, NeverOverflowsAndAlwaysOffersAChoice) {
    const DigitChoices choices = InitStellenAnzahl(kLargestStart, kLargestStep, 2'000'000'000);
    EXPECT_EQ(lastCounterValue(kLargestStart, kLargestStep, 2'000'000'000), 199998099900000LL);
    EXPECT_EQ(choices.MinDigits, 15);
    EXPECT_EQ(choices.choices, QStringList{QStringLiteral("15")});
}

}  // namespace
