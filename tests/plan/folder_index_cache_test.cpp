#include <gtest/gtest.h>

#include <QDateTime>

#include "plan/name_checks.h"

namespace {

// A folder whose stamp the test sets; counts how often it is read.
class StampedFileSystem : public FileSystem {
  public:
    std::optional<PathFacts> statPath(const QString&) const override { return std::nullopt; }
    QString storedName(const QString&) const override { return {}; }
    FolderIndex readFolder(const QString&) const override {
        ++reads;
        return index;
    }
    std::optional<FolderStamp> folderStamp(const QString&) const override { return stamp; }
    RenameOutcome rename(const QString&, const QString&) override { return RenameOutcome::Failed; }

    std::optional<FolderStamp> stamp;
    FolderIndex index{{QStringLiteral("A.TXT"), QStringLiteral("a.txt")}};
    mutable int reads = 0;
};

qint64 nsAgo(qint64 seconds) {
    return (QDateTime::currentSecsSinceEpoch() - seconds) * 1'000'000'000;
}

TEST(FolderIndexCacheTest, AnUnchangedFolderIsReadOnce) {
    StampedFileSystem fs;
    fs.stamp = FolderStamp{1, 2, nsAgo(3600)};
    FolderIndexCache cache;
    cache.index(QStringLiteral("/x/"), fs);
    cache.dropUnused();
    const QString* stored = cache.index(QStringLiteral("/x/"), fs).find(QStringLiteral("A.TXT"));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(*stored, QStringLiteral("a.txt"));
    EXPECT_EQ(fs.reads, 1);
}

TEST(FolderIndexCacheTest, AChangedRecentlyChangedOrUnstampedFolderIsReadAgain) {
    struct Case {
        const char* what;
        std::optional<FolderStamp> first;
        std::optional<FolderStamp> second;
    };
    const Case cases[] = {
        {"changed", FolderStamp{1, 2, nsAgo(3600)}, FolderStamp{1, 2, nsAgo(3000)}},
        {"replaced", FolderStamp{1, 2, nsAgo(3600)}, FolderStamp{1, 3, nsAgo(3600)}},
        {"changed just now", FolderStamp{1, 2, nsAgo(0)}, FolderStamp{1, 2, nsAgo(0)}},
        {"no stamp", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        StampedFileSystem fs;
        FolderIndexCache cache;
        fs.stamp = c.first;
        cache.index(QStringLiteral("/x/"), fs);
        fs.stamp = c.second;
        cache.index(QStringLiteral("/x/"), fs);
        EXPECT_EQ(fs.reads, 2) << c.what;
    }
}

TEST(FolderIndexCacheTest, FoldersNotAskedForAreForgotten) {
    StampedFileSystem fs;
    fs.stamp = FolderStamp{1, 2, nsAgo(3600)};
    FolderIndexCache cache;
    cache.index(QStringLiteral("/x/"), fs);
    cache.dropUnused();
    cache.dropUnused();  // a check that did not look at /x/
    cache.index(QStringLiteral("/x/"), fs);
    EXPECT_EQ(fs.reads, 2);
}

}  // namespace
