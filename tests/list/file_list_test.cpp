#include "list/file_list.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

FileEntry entry(const char* name, qint64 size = 0) {
    return makeFileEntry(QStringLiteral("/x/") + QString::fromUtf8(name), size, LocalTime{});
}

QStringList names(const FileList& list) {
    QStringList out;
    for (const FileEntry& e : list) {
        out << e.AlterName;
    }
    return out;
}

TEST(FileListTest, InsertAndRemoveByOneBasedPosition) {
    FileList list;
    list.insert(1, entry("b"));
    list.insert(1, entry("a"));
    list.insert(3, entry("d"));
    list.insert(3, entry("c"));
    EXPECT_EQ(names(list), (QStringList{"a", "b", "c", "d"}));
    list.remove(2);
    EXPECT_EQ(names(list), (QStringList{"a", "c", "d"}));
    InitListe(list);
    EXPECT_EQ(list.count(), 0);
}

TEST(FileListTest, SortedOrdersAtOnceAndKeyChangesWhileOffOnlyStore) {
    FileList list;
    for (const char* n : {"c.txt", "A.doc", "b.txt"}) {
        list.append(entry(n));
    }
    list.setSortKey(TypColumn);
    EXPECT_EQ(names(list), (QStringList{"c.txt", "A.doc", "b.txt"}));
    list.setSorted(true);
    EXPECT_EQ(names(list), (QStringList{"A.doc", "c.txt", "b.txt"}));  // stable for equal keys
    list.setSortKey(AlterNameColumn);
    EXPECT_EQ(names(list), (QStringList{"A.doc", "b.txt", "c.txt"}));
    list.setSortOrder(1);
    EXPECT_EQ(names(list), (QStringList{"c.txt", "b.txt", "A.doc"}));
    list.setSorted(false);
    list.setSortOrder(0);
    EXPECT_EQ(names(list), (QStringList{"c.txt", "b.txt", "A.doc"}));
    list.append(entry("0.txt"));
    EXPECT_EQ(list.at(4).AlterName, QStringLiteral("0.txt"));
}

TEST(FileListTest, SortComparesTextIgnoringCaseNeverAsNumbers) {
    FileList list;
    for (const char* n : {"file10", "File2", "file1", "Ärger", "apfel", "Zebra"}) {
        list.append(entry(n));
    }
    list.setSorted(true);
    EXPECT_EQ(names(list), (QStringList{"apfel", "Ärger", "file1", "file10", "File2", "Zebra"}));
}

TEST(FileListTest, SizeSortUsesHexKeyBeyondFourGigabytes) {
    FileList list;
    list.append(entry("big", 5'000'000'000LL));
    list.append(entry("small", 10));
    list.append(entry("mid", 4'294'967'295LL));
    list.setSortKey(SortGroesseColumn);
    list.setSorted(true);
    EXPECT_EQ(names(list), (QStringList{"small", "mid", "big"}));
}

TEST(FileListTest, RemoveRowsKeepsOrderOfTheRest) {
    FileList list;
    for (const char* n : {"a", "b", "c", "d"}) {
        list.append(entry(n));
    }
    list.removeRows({true, false, true, false});
    EXPECT_EQ(names(list), (QStringList{"b", "d"}));
}

}  // namespace
