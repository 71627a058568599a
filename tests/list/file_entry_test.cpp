#include "list/file_entry.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatFileSizeTest, UnitsAndDecimals) {
    struct Case {
        double size;
        const char* expected;
    };
    const double KiB = 1024.0, MiB = KiB * 1024, GiB = MiB * 1024, TiB = GiB * 1024;
    const Case cases[] = {
        {0, " Byte"},
        {1, "1 Byte"},
        {1024, "1024 Byte"},
        {1025, "1,001 KB"},
        {1536, "1,5 KB"},
        {2048, "2 KB"},
        {MiB - 1, "1023,999 KB"},
        {MiB, "1 MB"},
        {GiB - 1, "1024 MB"},
        {GiB, "1 GB"},
        {4 * GiB + 512 * MiB, "4,5 GB"},
        {TiB, "1 TB"},
        {3.25 * TiB, "3,25 TB"},
        {2048 * TiB, "2048 TB"},
        {100, "100 Byte"},
        {1100, "1,074 KB"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatFileSize(c.size), QString::fromUtf8(c.expected)) << c.size;
    }
}

TEST(SplitPath, ColumnsFromThePath) {
    struct Case {
        const char* path;
        const char* alterName;
        const char* nurName;
        const char* typ;
        const char* inOrdner;
    };
    const Case cases[] = {
        {"/home/ute/LIESMICH", "LIESMICH", "LIESMICH", "", "/home/ute/"},
        {"/daten.alt/Bericht", "Bericht", "Bericht", "", "/daten.alt/"},
        {"/x/archiv.tar.gz", "archiv.tar.gz", "archiv.tar", "gz", "/x/"},
        {"/x/.profil", ".profil", "", "profil", "/x/"},
        {"/x/brief.", "brief.", "brief", "", "/x/"},
        {"/x.txt", "x.txt", "x", "txt", "/"},
        {"bericht.doc", "bericht.doc", "bericht", "doc", ""},
        {"a.b/c", "c", "c", "", "a.b/"},
        {"/x/back\\slash:colon.txt", "back\\slash:colon.txt", "back\\slash:colon", "txt", "/x/"},
    };
    for (const Case& c : cases) {
        const FileEntry e = makeFileEntry(QString::fromUtf8(c.path), 0, LocalTime{});
        EXPECT_EQ(e.AlterName, QString::fromUtf8(c.alterName)) << c.path;
        EXPECT_EQ(e.NurName, QString::fromUtf8(c.nurName)) << c.path;
        EXPECT_EQ(e.Typ, QString::fromUtf8(c.typ)) << c.path;
        EXPECT_EQ(e.InOrdner, QString::fromUtf8(c.inOrdner)) << c.path;
        EXPECT_EQ(e.PfadName, QString::fromUtf8(c.path));
    }
}

TEST(NewEntry, TimeAndSizeColumns) {
    const FileEntry e =
        makeFileEntry(QStringLiteral("/x/a.txt"), 1536, LocalTime{2026, 2, 1, 9, 5, 3});
    EXPECT_TRUE(e.Selected);
    EXPECT_TRUE(e.NeuerName.isEmpty());
    EXPECT_EQ(e.LetzteAenderung, QStringLiteral("01.02.2026 09:05:03"));
    EXPECT_EQ(e.SortDatum, QStringLiteral("2026020109:05:03"));
    EXPECT_EQ(e.Groesse, QStringLiteral("1,5 KB"));
    EXPECT_EQ(e.SortGroesse, QStringLiteral("0000000000000600"));
    EXPECT_TRUE(e.column(EmptyColumn).isEmpty());
}

TEST(NewEntry, SortSizeOfLargeFilesKeepsAllDigits) {
    const FileEntry e = makeFileEntry(QStringLiteral("/x/big.iso"), 0x1'2345'6789LL, LocalTime{});
    EXPECT_EQ(e.SortGroesse, QStringLiteral("0000000123456789"));
    EXPECT_EQ(makeFileEntry(QStringLiteral("/x/y"), 0xABCDEF, LocalTime{}).SortGroesse,
              QStringLiteral("0000000000ABCDEF"));
}

}  // namespace
