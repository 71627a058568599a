#include "plan/name_table.h"

#include <gtest/gtest.h>

namespace {

TEST(NameTableTest, FindsEveryKeyItWasGivenAndNoOther) {
    NameTable table;
    for (int i = 0; i < 5000; ++i) {
        const auto [text, added] = table.insert(QString::number(i), QStringLiteral("v%1").arg(i));
        EXPECT_TRUE(added);
        EXPECT_EQ(*text, QStringLiteral("v%1").arg(i));
    }
    EXPECT_EQ(table.size(), 5000);
    for (int i = 0; i < 5000; ++i) {
        const QString* text = table.find(QString::number(i));
        ASSERT_NE(text, nullptr) << i;
        EXPECT_EQ(*text, QStringLiteral("v%1").arg(i));
        EXPECT_EQ(table.find(QString::number(i + 5000)), nullptr);
    }
    EXPECT_EQ(NameTable().find(QStringLiteral("0")), nullptr);
}

TEST(NameTableTest, ASecondInsertKeepsTheFirstTextForTheCallerToChange) {
    NameTable table{{QStringLiteral("A"), QStringLiteral("a")}};
    const auto [text, added] = table.insert(QStringLiteral("A"), QStringLiteral("other"));
    EXPECT_FALSE(added);
    EXPECT_EQ(*text, QStringLiteral("a"));
    text->clear();
    EXPECT_EQ(*table.find(QStringLiteral("A")), QString());
    EXPECT_EQ(table.size(), 1);
}

TEST(NameTableTest, EqualityIgnoresTheOrderOfInsertion) {
    const NameTable ab{{"A", "1"}, {"B", "2"}};
    EXPECT_EQ(ab, (NameTable{{"B", "2"}, {"A", "1"}}));
    EXPECT_FALSE(ab == (NameTable{{"A", "1"}, {"B", "3"}}));
    EXPECT_FALSE(ab == (NameTable{{"A", "1"}}));
}

}  // namespace
