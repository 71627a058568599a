#include <gtest/gtest.h>

#include <QCollator>
#include <QLocale>
#include <random>

#include "fake_file_system.h"
#include "filesystem/linux_file_system.h"
#include "list/folder_files.h"
#include "list/list_filling.h"
#include "list/list_selection.h"
#include "temp_folder.h"

#include <unistd.h>

namespace {

// Rows of the names, separated by blanks, in folder /x/; those starting with a capital are marked.
FileList listOf(const QString& names) {
    FileList list;
    for (const QString& name : names.split(u' ', Qt::SkipEmptyParts)) {
        list.append(FileEntry("/x/" + name, 0, {}));
        list.at(list.count()).Selected = name.at(0).isUpper();
    }
    return list;
}

// The names of the rows, "?" after one whose new name is the placeholder.
QString rows(const FileList& list) {
    QStringList names;
    for (const FileEntry& e : list) {
        names << e.AlterName().toString() + (e.NeuerName == kPlaceholderName ? "?" : "");
    }
    return names.join(u' ');
}

TEST(FormatFileSize, UnitsAndDecimals) {
    const double KiB = 1024.0, MiB = KiB * 1024, GiB = MiB * 1024, TiB = GiB * 1024;
    const std::pair<double, const char*> cases[] = {
        {0, " Byte"},           {1, "1 Byte"},        {100, "100 Byte"},
        {1024, "1024 Byte"},    {1025, "1,001 KB"},   {1100, "1,074 KB"},
        {1536, "1,5 KB"},       {2048, "2 KB"},       {MiB - 1, "1023,999 KB"},
        {MiB, "1 MB"},          {GiB - 1, "1024 MB"}, {GiB, "1 GB"},
        {4.5 * GiB, "4,5 GB"},  {TiB, "1 TB"},        {3.25 * TiB, "3,25 TB"},
        {2048 * TiB, "2048 TB"}};
    for (const auto& [size, expected] : cases) {
        EXPECT_EQ(FormatFileSize(size), expected) << size;
    }
}

TEST(MakeFileEntry, ColumnsSplitThePathAtTheLastSeparatorAndDotAndShowTheTimeDayFirst) {
    const struct Case {
        const char *path, *inOrdner, *nurName, *typ;
    } cases[] = {
        {"/home/ute/LIESMICH", "/home/ute/", "LIESMICH", ""},
        {"/daten.alt/Bericht", "/daten.alt/", "Bericht", ""},
        {"/x/archiv.tar.gz", "/x/", "archiv.tar", "gz"},
        {"/x/.profil", "/x/", "", "profil"},
        {"/x/brief.", "/x/", "brief", ""},
        {"/x.txt", "/", "x", "txt"},
        {"bericht.doc", "", "bericht", "doc"},
        {"/x/back\\slash:colon.txt", "/x/", "back\\slash:colon", "txt"},
    };
    for (const Case& c : cases) {
        const FileEntry e = FileEntry(c.path, 0, {});
        EXPECT_EQ(QStringList({e.InOrdner().toString(), e.NurName().toString(), e.Typ().toString()})
                      .join(u'|'),
                  c.inOrdner + QString("|") + c.nurName + "|" + c.typ);
    }
    const FileEntry e = FileEntry("/x/a.txt", 0, {2026, 2, 1, 9, 5, 3});
    EXPECT_EQ(e.column(LetzteAenderungColumn), "01.02.2026 09:05:03");
}

TEST(FileList, RemovesTheRowsItIsToldKeepingTheOrderOfTheOthers) {
    FileList list = listOf("a b c d e");
    list.removeRows({false, true});
    EXPECT_EQ(rows(list), "a c d e");
    list.removeRows({true, false, true});
    EXPECT_EQ(rows(list), "c e");
}

TEST(FileList, SortsStablyIgnoringCaseNeverAsNumbersAndWhileOffOnlyStoresKeyAndOrder) {
    FileList list = listOf("file10.txt File2.doc file1.txt Ärger.doc apfel.txt Zebra.doc");
    list.setSortKey(TypColumn);
    EXPECT_EQ(rows(list), "file10.txt File2.doc file1.txt Ärger.doc apfel.txt Zebra.doc");
    list.setSorted(true);
    EXPECT_EQ(rows(list), "File2.doc Ärger.doc Zebra.doc file10.txt file1.txt apfel.txt");
    list.setSortKey(AlterNameColumn);
    list.setSortOrder(1);
    EXPECT_EQ(rows(list), "Zebra.doc File2.doc file10.txt file1.txt Ärger.doc apfel.txt");
    list.setSorted(false);
    list.setSortOrder(0);
    list.append(FileEntry("/x/0.txt", 0, {}));
    EXPECT_EQ(rows(list), "Zebra.doc File2.doc file10.txt file1.txt Ärger.doc apfel.txt 0.txt");
}

TEST(FileList, PrintableAsciiNamesSortAsTheGermanCollationOrdersThem) {
    QCollator collator{QLocale(QLocale::German, QLocale::Germany)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> length(0, 6);
    std::uniform_int_distribution<int> printable(u' ', u'~');
    for (int round = 0; round < 20; ++round) {
        FileList list;
        QStringList names;
        for (int i = 0; i < 200; ++i) {
            QString name = u"n"_qs;  // never empty, never a folder's "."
            for (int n = length(random); n > 0; --n) {
                const QChar c(printable(random));
                name += c == u'/' ? u'_' : c;
            }
            names << name;
            list.append(FileEntry("/x/" + name, 0, {}));
        }
        list.setSorted(true);
        std::stable_sort(names.begin(), names.end(), [&](const QString& a, const QString& b) {
            return collator.compare(a, b) < 0;
        });
        QStringList sorted;
        for (const FileEntry& e : list) {
            sorted << e.AlterName().toString();
        }
        ASSERT_EQ(sorted, names);
    }
}

TEST(FileList, SizeSortsByTheByteCountBeyond4GiB) {
    FileList list;
    for (qint64 size : {5'000'000'000LL, 10LL, 4'294'967'295LL}) {
        list.append(FileEntry(QStringLiteral("/x/%1").arg(size), size, {}));
    }
    list.setSortKey(SortGroesseColumn);
    list.setSorted(true);
    EXPECT_EQ(rows(list), "10 4294967295 5000000000");
}

TEST(EintragVerschieben, MarkedRowsSwapWithTheirUnmarkedNeighbourAndLoseTheirNewName) {
    const struct Case {
        const char* before;
        bool up;
        const char* after;
        bool moved;
    } cases[] = {
        {"a B C d e", false, "a d B? C? e", true},
        {"a B c D e", true, "B? a D? c e", true},
        {"a b C D E", true, "a C? D? E? b", true},  // a block passes its neighbour as a whole
        {"A b C", true, "A b C", false},            // first row marked: nothing moves
        {"a B C", false, "a B C", false},           // last row marked: nothing moves
        {"a b c", true, "a b c", true},             // nothing marked: nothing moves, no refusal
        {"", true, "", true},
    };
    for (const Case& c : cases) {
        FileList list = listOf(c.before);
        list.setSorted(true);
        EXPECT_EQ(EintragVerschieben(list, c.up), c.moved) << c.before;
        EXPECT_EQ(rows(list), c.after) << c.before;
        EXPECT_FALSE(list.Sorted()) << c.before;
    }
}

TEST(ListeSelect, MarksAllNoneOrTheOpposite) {
    const std::pair<SelectMode, QList<bool>> cases[] = {{SelectMode::UnmarkAll, {0, 0, 0}},
                                                        {SelectMode::MarkAll, {1, 1, 1}},
                                                        {SelectMode::InvertMarks, {1, 0, 1}}};
    for (const auto& [mode, marks] : cases) {
        FileList list = listOf("a B c");
        ListeSelect(list, mode);
        EXPECT_EQ((QList{list.at(1).Selected, list.at(2).Selected, list.at(3).Selected}), marks);
    }
}

TEST(SortKeyForHeader, SizeAndDateSortByTheirHiddenKeyColumns) {
    const int keys[] = {0, 1, 2, 8, 4, 7, 6, 7, 8, 9, 10};
    for (int index = 1; index <= 11; ++index) {
        EXPECT_EQ(sortKeyForHeader(index), keys[index - 1]) << index;
    }
}

TEST(HeaderSorter, TheSameHeaderReversesAnotherSortsAndAfterAMoveOnlyTheDirectionIsStored) {
    FileList list = listOf("b.c a.b C.a");
    HeaderSorter sorter;
    const std::pair<int, const char*> clicks[] = {
        {1, "a.b b.c C.a"}, {1, "C.a b.c a.b"}, {5, "b.c a.b C.a"},
        {0, "b.c C.a a.b"}, {5, "b.c C.a a.b"}, {1, "a.b b.c C.a"}};  // 0: a move by hand
    for (const auto& [header, order] : clicks) {
        header == 0 ? void(EintragVerschieben(list, true)) : sorter.headerClicked(list, header);
        EXPECT_EQ(rows(list).remove(u'?'), order) << header;
    }
}

TEST(FillListe, AddsEachFileOnceByItsWholeAbsolutePathAndSkipsOrRefusesTheRest) {
    TempFolder folder({"b.txt", "a?*:\\  .txt", ".versteckt", "ordner/", "a\uFFFD.txt"});
    const QByteArray noText = folder.native() + "a\xff.txt";  // the last file's name, decoded
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    FileList list;
    const FillResult result = FillListe(list,
                                        {"b.txt", "ordner", "./a?*:\\  .txt",
                                         folder.native("b.txt"), "fehlt", ".versteckt", noText},
                                        FillMode::CommandLine, hostFileSystem());
    QDir::setCurrent(previous);
    EXPECT_EQ(result.skipped, (QStringList{"ordner", folder.file("b.txt"), "fehlt"}));
    EXPECT_EQ(result.folders, QStringList{"ordner"});
    EXPECT_EQ(result.unrepresentable, QByteArrayList{noText});
    EXPECT_EQ(FillListe(list, {folder.native("b.txt")}, FillMode::Drop, hostFileSystem()).added, 0);
    QStringList paths;
    for (const FileEntry& e : list) {
        paths << e.PfadName();
    }
    // The hidden file has no stored name to look up and keeps the one it was given.
    EXPECT_EQ(paths, (QStringList{folder.file(".versteckt"), folder.file("a?*:\\  .txt"),
                                  folder.file("b.txt")}));
}

TEST(FillListe, RelativePathsAreRefusedWhileTheWorkingFolderIsUnknown) {
    TempFolder folder({"a.txt", "weg/"});
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.file("weg"));
    ::rmdir(folder.native("weg"));  // the working folder is gone: it has no path any more
    FileList list;
    const FillResult result =
        FillListe(list, {"a.txt", folder.native("a.txt")}, FillMode::Drop, hostFileSystem());
    QDir::setCurrent(previous);
    EXPECT_EQ(result.unresolvable, QByteArrayList{"a.txt"});
    EXPECT_EQ(rows(list), "a.txt");
}

TEST(FillListe, NewRowsAreMarkedOldMarksStayAndTheListIsSortedAgain) {
    TempFolder folder({"a", "b", "c"});
    FileList list;
    FillListe(list, {folder.native("c"), folder.native("a")}, FillMode::Drop, hostFileSystem());
    list.at(1).Selected = false;
    list.swapRows(1, 2);
    list.setSorted(false);
    addFiles(list, {folder.native("b")}, FillMode::Drop, hostFileSystem());
    EXPECT_EQ(rows(list), "c a b");
    EXPECT_FALSE(list.at(2).Selected);
    EXPECT_TRUE(list.at(3).Selected);
    FillListe(list, {}, FillMode::Drop, hostFileSystem());
    EXPECT_EQ(rows(list), "a b c");
    EXPECT_FALSE(list.at(1).Selected);
}

TEST(OpenFolders, TakesTheVisibleFilesOfTheScopeWithoutFollowingLinksAndKeepsWhatItCannotOpen) {
    TempFolder folder({"a", ".a", "u/", "u/b", "u/v/", "u/v/c", "u/.w/", "u/.w/d", "leer/"});
    ::symlink(folder.native().constData(), folder.native("kreis").constData());
    FakeFileSystem fileSystem;
    fileSystem.brokenFolders << folder.native("leer");
    const QByteArray top = folder.native().chopped(1);  // also without its final "/"
    const struct {
        QByteArrayList given;
        FolderScope scope;
        QStringList expected;
    } cases[] = {
        {{top}, FolderScope::NotOpened, {""}},
        {{top, folder.native("a"), "", folder.native("fehlt")},
         FolderScope::Files,
         {"a", "kreis", "a", "", "fehlt"}},
        {{top}, FolderScope::FilesInSubfolders, {"a", "kreis", "u/b", "u/v/c", "leer"}},
    };
    for (const auto& c : cases) {
        QStringList paths;
        for (const QByteArray& path : openFolders(c.given, c.scope, fileSystem)) {
            paths << QString::fromUtf8(path).remove(folder.path()).remove(folder.path().chopped(1));
        }
        std::sort(paths.begin(), paths.end());
        QStringList expected = c.expected;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(paths, expected) << int(c.scope);
    }
}

TEST(ListPath, CleansOnlyWhatCannotChangeTheFile) {
    const std::pair<QString, QString> cases[] = {{"/a//b/./c.txt", "/a/b/c.txt"},
                                                 {"/a/../b", "/a/../b"},
                                                 {"/a/b/", "/a/b"},
                                                 {"/a/.", "/a"},
                                                 {"/", "/"},
                                                 {"x.txt", "/w/x.txt"}};
    for (const auto& [path, expected] : cases) {
        EXPECT_EQ(listPath(path, "/w"), expected) << path.toStdString();
    }
}

}  // namespace
