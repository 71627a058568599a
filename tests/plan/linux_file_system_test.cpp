#include "plan/linux_file_system.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <map>

namespace {

using Files = std::map<QString, QByteArray>;

// Builds entries in a fresh folder: "name/" is a folder, "name->target" a symbolic link,
// "name=>target" a hard link, "name|" a fifo, anything else a file holding its own name.
class Folder {
  public:
    explicit Folder(const QStringList& entries) {
        for (const QString& entry : entries) {
            const qsizetype symbolic = entry.indexOf(u"->");
            const qsizetype hard = entry.indexOf(u"=>");
            if (entry.endsWith(u'/')) {
                EXPECT_EQ(::mkdir(native(entry), 0755), 0);
            } else if (entry.endsWith(u'|')) {
                EXPECT_EQ(::mkfifo(native(entry.chopped(1)), 0644), 0);
            } else if (symbolic > 0) {
                EXPECT_EQ(::symlink(QFile::encodeName(entry.mid(symbolic + 2)),
                                    native(entry.left(symbolic))),
                          0);
            } else if (hard > 0) {
                EXPECT_EQ(::link(native(entry.left(hard)), native(entry.mid(hard + 2))), 0);
            } else {
                QFile file(path(entry));
                EXPECT_TRUE(file.open(QIODevice::WriteOnly));
                file.write(entry.toUtf8());
            }
        }
    }
    QString path(const QString& name = {}) const { return m_dir.path() + u'/' + name; }
    QByteArray native(const QString& name) const { return QFile::encodeName(path(name)); }

    // Every entry, hidden ones included, with the contents of the files.
    Files contents() const {
        Files result;
        for (const QFileInfo& info : QDir(m_dir.path())
                                         .entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                        QDir::System | QDir::NoDotAndDotDot)) {
            QFile file(info.filePath());
            const bool readable = info.isFile() && file.open(QIODevice::ReadOnly);
            result[info.fileName()] = readable ? file.readAll() : "?";
        }
        return result;
    }

  private:
    QTemporaryDir m_dir;
};

LinuxFileSystem fs;

TEST(LinuxFileSystem, StatPathFollowsLinksAndKnowsNothingOfMissingPaths) {
    Folder folder({"file.txt", "sub/", "link->file.txt", "folderlink->sub", "dead->gone"});
    const std::pair<QString, std::optional<bool>> cases[] = {
        {"file.txt", false},  {"link", false},        {"sub", true},
        {"folderlink", true}, {"gone", std::nullopt}, {"dead", std::nullopt},
    };
    for (const auto& [name, isFolder] : cases) {
        const std::optional<PathFacts> facts = fs.statPath(folder.path(name));
        ASSERT_EQ(facts.has_value(), isFolder.has_value()) << name.toStdString();
        if (facts) {
            EXPECT_EQ(facts->isFolder, *isFolder) << name.toStdString();
        }
        if (facts && !*isFolder) {
            EXPECT_EQ(facts->length, 8) << name.toStdString();  // "file.txt" holds its name
        }
    }
}

TEST(LinuxFileSystem, StatPathGivesLengthsBeyond4GiBAndLocalWholeSeconds) {
    Folder folder({"big"});
    const QByteArray big = folder.native("big");
    const int fd = ::open(big, O_WRONLY);
    constexpr qint64 kLength = (qint64{5} << 30) + 7;
    ASSERT_EQ(::ftruncate(fd, kLength), 0);
    ::close(fd);
    const QDateTime when(QDate(2021, 3, 4), QTime(5, 6, 7));
    const timespec late{when.toSecsSinceEpoch(), 999999999};  // must not round up
    const timespec times[2] = {late, late};
    ASSERT_EQ(::utimensat(AT_FDCWD, big, times, 0), 0);

    const std::optional<PathFacts> facts = fs.statPath(folder.path("big"));
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->length, kLength);
    EXPECT_EQ(facts->modified, (LocalTime{2021, 3, 4, 5, 6, 7}));
}

TEST(LinuxFileSystem, StoredNamePrefersTheExactNameThenAnyCaseOfAnOrdinaryFile) {
    Folder folder({"Bild.jpg", "bild.jpg", "Only.TXT", "Äpfel.txt", ".hidden", "Ordner/",
                   "Link.txt->nowhere", "Mix/", "mix", "pipe|"});
    const std::pair<QString, QString> cases[] = {
        {"bild.jpg", "bild.jpg"}, {"Bild.jpg", "Bild.jpg"},
        {"only.txt", "Only.TXT"}, {"ÄPFEL.TXT", "Äpfel.txt"},
        {"LINK.TXT", "Link.txt"}, {"PIPE", "pipe"},
        {"MIX", "mix"},           {".hidden", ""},
        {".HIDDEN", ""},          {"Ordner", ""},
        {"ORDNER", ""},           {"Mix", ""},
        {"missing", ""},          {"", ""}};
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(fs.storedName(folder.path(name)), expected) << name.toStdString();
    }
}

TEST(LinuxFileSystem, ReadFolderIndexesAllButFoldersAndHiddenOnesOrNothing) {
    Folder folder(
        {"a.txt", "A.TXT", "äpfel", ".hidden", "sub/", "link->sub", "dead->gone", "pipe|"});
    const FolderIndex index = fs.readFolder(folder.path());
    // Several spellings of one name leave no single stored name.
    const FolderIndex expected{
        {"A.TXT", ""}, {"ÄPFEL", "äpfel"}, {"LINK", "link"}, {"DEAD", "dead"}, {"PIPE", "pipe"}};
    EXPECT_EQ(index, expected);
    EXPECT_TRUE(fs.readFolder(folder.path("missing/")).isEmpty());
    EXPECT_TRUE(fs.readFolder(folder.path("a.txt/")).isEmpty());
}

TEST(LinuxFileSystem, RenameNeverReplacesAndNeverLosesAFile) {
    constexpr RenameOutcome ok = RenameOutcome::Renamed, failed = RenameOutcome::Failed;
    const QString tooLong(300, u'x');
    const struct Case {
        QStringList before;
        QString from, to;
        RenameOutcome outcome;
        Files after;
    } cases[] = {
        {{"a.txt"}, "a.txt", "b.txt", ok, {{"b.txt", "a.txt"}}},
        {{"foto.jpg"}, "foto.jpg", "FOTO.JPG", ok, {{"FOTO.JPG", "foto.jpg"}}},
        {{"a.txt"}, "a.txt", "a.txt", ok, {{"a.txt", "a.txt"}}},
        {{}, "a.txt", "a.txt", failed, {}},
        {{}, "a.txt", "b.txt", failed, {}},
        {{"a.txt", "b.txt"}, "a.txt", "b.txt", failed, {{"a.txt", "a.txt"}, {"b.txt", "b.txt"}}},
        {{"a", "A"}, "a", "A", failed, {{"a", "a"}, {"A", "A"}}},
        // One file under two names: neither the same-file case nor the case-only way may drop one.
        {{"a", "a=>b"}, "a", "b", failed, {{"a", "a"}, {"b", "a"}}},
        {{"x", "x=>X"}, "x", "X", failed, {{"x", "x"}, {"X", "x"}}},
        {{"a.txt"}, "a.txt", tooLong, failed, {{"a.txt", "a.txt"}}},
        {{"a.txt", "sub/"}, "a.txt", "sub", failed, {{"a.txt", "a.txt"}, {"sub", "?"}}},
        {{"a.txt", "sub/"}, "a.txt", "sub/a.txt", failed, {{"a.txt", "a.txt"}, {"sub", "?"}}},
    };
    for (const Case& c : cases) {
        Folder folder(c.before);
        const std::string label = (c.from + " -> " + c.to.left(20)).toStdString();
        EXPECT_EQ(fs.rename(folder.path(c.from), folder.path(c.to)), c.outcome) << label;
        EXPECT_EQ(folder.contents(), c.after) << label;
    }
}

TEST(LinuxFileSystem, RenameInReadOnlyFolderFailsAndKeepsTheFile) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permission bits do not stop root";
    }
    Folder folder({"a.txt"});
    ASSERT_EQ(::chmod(folder.native({}), 0555), 0);
    const RenameOutcome outcome = fs.rename(folder.path("a.txt"), folder.path("b.txt"));
    ::chmod(folder.native({}), 0755);
    EXPECT_EQ(outcome, RenameOutcome::Failed);
    EXPECT_EQ(folder.contents(), (Files{{"a.txt", "a.txt"}}));
}

}  // namespace
