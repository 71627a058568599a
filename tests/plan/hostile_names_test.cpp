// Names that are legal on Linux but easy to get wrong: each file is renamed byte-exactly or left
// alone, never a wrong one reached.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include <fcntl.h>
#include <unistd.h>

#include "plan/linux_file_system.h"
#include "plan/rename_plan.h"
#include "temp_folder.h"

namespace {

class RefuseAll : public FailureDecision {
  public:
    bool continueAfterFailure(const FileEntry&) override {
        ++failures;
        return true;
    }
    int failures = 0;
};

// A file made by its raw name bytes, with the name as content; removed by those bytes too,
// since a name that is no valid text cannot be removed through its text.
class NativeFile {
  public:
    NativeFile(const TempFolder& folder, const QByteArray& name)
        : path(QFile::encodeName(folder.path()) + name) {
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
        EXPECT_GE(fd, 0);
        EXPECT_EQ(::write(fd, name.constData(), static_cast<size_t>(name.size())), name.size());
        ::close(fd);
    }
    ~NativeFile() { ::unlink(path.constData()); }

    QByteArray content() const {
        char buffer[256];
        const int fd = ::open(path.constData(), O_RDONLY);
        const ssize_t got = fd < 0 ? 0 : ::read(fd, buffer, sizeof buffer);
        ::close(fd);
        return QByteArray(buffer, got > 0 ? got : 0);
    }

    const QByteArray path;
};

TEST(HostileNames, AwkwardButValidNamesAreRenamedExactly) {
    const QStringList names{
        QString::fromUtf8("caf\xc3\xa9.txt"),   // é composed
        QString::fromUtf8("cafe\xcc\x81.txt"),  // é as e and a combining accent
        QStringLiteral("  Leer am Rand .txt "),
        QStringLiteral("Tab\tund\nZeile.txt"),
        QStringLiteral("a:b\\c*d?.txt"),
        QStringLiteral("-beginnt mit Strich"),
        QString(251, u'x') + QStringLiteral(".txt"),  // 255 bytes
    };
    TempFolder folder;
    QStringList paths;
    for (const QString& name : names) {
        paths << folder.touch(name);
    }
    RenamePlan plan(hostFileSystem(), nullptr);
    plan.setMaske(QStringLiteral("[NAME]_neu[TYP]"));
    plan.fill(paths, FillMode::Drop);
    ASSERT_EQ(plan.list().count(), names.size());
    RefuseAll decision;
    const RenameRunResult result = plan.UmTaufen(decision, {});
    // Only the 255-byte name cannot grow; it stays as it was.
    EXPECT_EQ(decision.failures, 1);
    EXPECT_EQ(result.renamed.size(), names.size() - 1);
    for (const RenamedFile& renamed : result.renamed) {
        QFile file(renamed.to);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << renamed.to.toStdString();
        EXPECT_EQ(file.readAll(), QFileInfo(renamed.from).fileName().toUtf8());
    }
    EXPECT_EQ(folder.read(names.last()), names.last().toUtf8());
    EXPECT_EQ(folder.names().size(), names.size());
}

TEST(HostileNames, NameThatIsNoValidTextIsRefusedNotMistakenForAnother) {
    TempFolder folder;
    const NativeFile invalid(folder, "a\xff.txt");
    // The file whose valid name the invalid one would be mistaken for.
    const NativeFile lookalike(folder, "a\xef\xbf\xbd.txt");
    RenamePlan plan(hostFileSystem(), nullptr);
    QSignalSpy hints(&plan, &RenamePlan::userInfo);
    plan.setMaske(QStringLiteral("neu[TYP]"));
    const FillResult fill = plan.fill(QByteArrayList{invalid.path}, FillMode::CommandLine);
    EXPECT_EQ(fill.added, 0);
    EXPECT_EQ(fill.unrepresentable.size(), 1);
    EXPECT_TRUE(plan.list().isEmpty());
    ASSERT_FALSE(hints.isEmpty());
    EXPECT_EQ(hints.last().first().toString(), unrepresentableText(1));

    // The valid name is taken as it is and renamed; the other file stays untouched.
    plan.fill(QByteArrayList{lookalike.path}, FillMode::Drop);
    ASSERT_EQ(plan.list().count(), 1);
    RefuseAll decision;
    plan.UmTaufen(decision, {});
    EXPECT_EQ(decision.failures, 0);
    EXPECT_EQ(invalid.content(), QByteArray("a\xff.txt"));
    EXPECT_EQ(folder.read(QStringLiteral("neu.txt")), QByteArray("a\xef\xbf\xbd.txt"));
}

TEST(HostileNames, ForeignNamesInTheFolderNeverHideAClash) {
    TempFolder folder;
    const NativeFile foreign(folder, "fremd\xfe");
    const QString mine = folder.touch(QStringLiteral("mein.txt"));
    folder.touch(QStringLiteral("ziel.txt"));
    RenamePlan plan(hostFileSystem(), nullptr);
    plan.setMaske(QStringLiteral("ziel.txt"));
    plan.fill({mine}, FillMode::Drop);
    EXPECT_FALSE(plan.verdict().PlanOK);
    EXPECT_FALSE(plan.verdict().names.NoClash);
}

}  // namespace
