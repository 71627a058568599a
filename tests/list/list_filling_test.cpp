#include "list/list_filling.h"

#include <gtest/gtest.h>

#include "plan/linux_file_system.h"
#include "temp_folder.h"

namespace {

QStringList names(const FileList& list) {
    QStringList out;
    for (const FileEntry& e : list) {
        out << e.AlterName + (e.Selected ? QString() : QStringLiteral("(-)"));
    }
    return out;
}

TEST(FillListeTest, AddsFilesOnlyOnceAndSkipsFoldersAndNothing) {
    TempFolder folder;
    FileList list;
    const QString a = folder.touch(QStringLiteral("b.txt"));
    const QString b = folder.touch(QStringLiteral("a.txt"));
    const QStringList paths{a, folder.mkdir(QStringLiteral("ordner")), b, a,
                            folder.file(QStringLiteral("fehlt.txt"))};
    const FillResult result = FillListe(list, paths, FillMode::Drop, hostFileSystem());
    EXPECT_EQ(result.added, 2);
    EXPECT_EQ(result.skipped.size(), 3);
    EXPECT_EQ(names(list), (QStringList{"a.txt", "b.txt"}));

    const FillResult again = FillListe(list, {a}, FillMode::Drop, hostFileSystem());
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(list.count(), 2);
}

TEST(FillListeTest, NewRowsAreMarkedOldMarksStayAndTheListIsSortedAgain) {
    TempFolder folder;
    FileList list;
    FillListe(list, {folder.touch(QStringLiteral("c")), folder.touch(QStringLiteral("a"))},
              FillMode::Drop, hostFileSystem());
    list.at(1).Selected = false;
    list.swapRows(1, 2);
    list.setSorted(false);
    FillListe(list, {folder.touch(QStringLiteral("b"))}, FillMode::Drop, hostFileSystem());
    EXPECT_EQ(names(list), (QStringList{"a(-)", "b", "c"}));
    EXPECT_TRUE(list.Sorted());
}

TEST(FillListeTest, PathsAreTakenWholeAndMadeAbsolute) {
    TempFolder folder;
    const QString odd = folder.touch(QStringLiteral("mit  Leer?zeichen*:\\.txt"));
    const QString hidden = folder.touch(QStringLiteral(".versteckt"));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    FileList list;
    const FillResult result = FillListe(
        list, {QStringLiteral("mit  Leer?zeichen*:\\.txt"), QStringLiteral("./.versteckt")},
        FillMode::CommandLine, hostFileSystem());
    QDir::setCurrent(previous);
    EXPECT_EQ(result.added, 2);
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.at(1).PfadName, hidden);  // keeps the name it was given
    EXPECT_EQ(list.at(2).PfadName, odd);
    EXPECT_EQ(list.at(2).InOrdner, folder.path());

    // The same file dropped later is a duplicate.
    EXPECT_EQ(FillListe(list, {odd}, FillMode::Drop, hostFileSystem()).added, 0);
}

TEST(ListPathTest, CleansOnlyWhatCannotChangeTheFile) {
    struct Case {
        const char* path;
        const char* expected;
    };
    const Case cases[] = {
        {"/a//b/./c.txt", "/a/b/c.txt"},
        {"/a/../b", "/a/../b"},
        {"/a/b/", "/a/b"},
        {"/", "/"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(listPath(QString::fromUtf8(c.path)), QString::fromUtf8(c.expected)) << c.path;
    }
    EXPECT_EQ(listPath(QStringLiteral("x.txt")), QDir::currentPath() + QStringLiteral("/x.txt"));
}

}  // namespace
