#include "engine/capitals.h"

#include <gtest/gtest.h>

namespace {

TEST(Capitals, MatchesTheUnicodeMappingForEveryText) {
    const char* texts[] = {"",      "abc.txt", "ABC.TXT",       "MiXeD 123_-.jpg",
                           "äpfel", "straße",  "Ärger im Büro", "~{|}`@[\\]^",
                           "ǆ"};
    for (const char* text : texts) {
        const QString s = QString::fromUtf8(text);
        EXPECT_EQ(capitals(s), s.toUpper()) << text;
    }
}

}  // namespace
