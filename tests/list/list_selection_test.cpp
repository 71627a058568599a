#include "list/list_selection.h"

#include <gtest/gtest.h>

namespace {

// Rows named by letters; an upper-case letter is a marked row.
FileList rowsOf(const char* letters) {
    FileList list;
    for (const char* c = letters; *c; ++c) {
        FileEntry e =
            makeFileEntry(QString(QChar(u'/')) + QChar::fromLatin1(*c).toLower(), 0, LocalTime{});
        e.Selected = QChar::fromLatin1(*c).isUpper();
        e.NeuerName = QStringLiteral("new");
        list.append(e);
    }
    return list;
}

std::string lettersOf(const FileList& list) {
    std::string out;
    for (const FileEntry& e : list) {
        const QChar c = e.AlterName.at(0);
        out += (e.Selected ? c.toUpper() : c).toLatin1();
    }
    return out;
}

TEST(EintragVerschiebenTest, MarkedRowsSwapWithTheirUnmarkedNeighbour) {
    struct Case {
        const char* before;
        bool up;
        const char* after;
        bool moved;
    };
    const Case cases[] = {
        {"aBCde", false, "adBCe", true},
        {"aBcDe", true, "BaDce", true},
        {"A", true, "A", false},
        {"A", false, "A", false},
        {"AbC", true, "AbC", false},     // first row marked: nothing moves
        {"aBC", false, "aBC", false},    // last row marked: nothing moves
        {"abc", true, "abc", true},      // nothing marked: nothing moves, no refusal
        {"abCDE", true, "aCDEb", true},  // a block passes its neighbour as a whole
        {"", true, "", true},
    };
    for (const Case& c : cases) {
        FileList list = rowsOf(c.before);
        list.setSorted(true);
        EXPECT_EQ(EintragVerschieben(list, c.up), c.moved) << c.before;
        EXPECT_EQ(lettersOf(list), c.after) << c.before;
        EXPECT_FALSE(list.Sorted()) << c.before;
    }
}

TEST(EintragVerschiebenTest, MovedRowsShowThePlaceholderPassedRowsKeepTheirName) {
    FileList list = rowsOf("aBCde");
    EintragVerschieben(list, false);
    EXPECT_EQ(list.at(2).NeuerName, QStringLiteral("new"));  // d, passed over
    EXPECT_EQ(list.at(3).NeuerName, kPlaceholderName);
    EXPECT_EQ(list.at(4).NeuerName, kPlaceholderName);
    EXPECT_EQ(list.at(3).PfadName, QStringLiteral("/b"));
}

TEST(ListeSelectTest, MarksAllNoneOrTheOpposite) {
    struct Case {
        int mode;
        const char* after;
    };
    const Case cases[] = {{UnmarkAll, "abc"}, {MarkAll, "ABC"}, {InvertMarks, "AbC"}, {5, "aBc"}};
    for (const Case& c : cases) {
        FileList list = rowsOf("aBc");
        ListeSelect(list, c.mode);
        EXPECT_EQ(lettersOf(list), c.after) << c.mode;
    }
    FileList list = rowsOf("aBc");
    ListeSelect(list, InvertMarks);
    ListeSelect(list, InvertMarks);
    EXPECT_EQ(lettersOf(list), "aBc");
}

TEST(HeaderSorterTest, HeaderIndexesMapToTheirKeys) {
    const int expected[] = {0, 1, 2, 8, 4, 7, 6, 7, 8, 9, 10};
    for (int index = 1; index <= 11; ++index) {
        EXPECT_EQ(sortKeyForHeader(index), expected[index - 1]) << index;
    }
}

}  // namespace
