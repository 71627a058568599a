// Random plans renamed while faults are injected: whatever fails, the folder ends up holding
// exactly the contents it held (plus what outsiders put there), each in one file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <iostream>
#include <random>

#include "host_file_system_wrapper.h"
#include "plan/rename_plan.h"
#include "temp_folder.h"

namespace {

enum class Fault { None, SourceVanishes, TargetAppears, AccessDenied };

// The host's file system with an outsider who meddles just before some renamings.
class MeddlingFileSystem : public HostFileSystemWrapper {
  public:
    MeddlingFileSystem(std::mt19937& random, QString sideFolder)
        : m_random(random), m_sideFolder(std::move(sideFolder)) {}

    RenameOutcome rename(const QString& from, const QString& to) override {
        // About one renaming in three meets a fault.
        const int roll = std::uniform_int_distribution<int>(0, 8)(m_random);
        switch (roll < 3 ? static_cast<Fault>(roll + 1) : Fault::None) {
            case Fault::SourceVanishes:
                ++faults;
                // Moved away by someone else: not lost, but no longer where the list says.
                QFile::rename(from, m_sideFolder + QStringLiteral("moved%1").arg(faults));
                break;
            case Fault::TargetAppears:
                if (QFile blocker(to); !blocker.exists() && blocker.open(QIODevice::WriteOnly)) {
                    ++faults;
                    blockers << QByteArray("blocker ") + QByteArray::number(faults);
                    blocker.write(blockers.last());
                }
                break;
            case Fault::AccessDenied:
                ++faults;
                return RenameOutcome::Failed;
            case Fault::None:
                break;
        }
        return HostFileSystemWrapper::rename(from, to);
    }

    int faults = 0;
    QList<QByteArray> blockers;

  private:
    std::mt19937& m_random;
    QString m_sideFolder;
};

class RandomDecision : public FailureDecision {
  public:
    explicit RandomDecision(std::mt19937& random) : m_random(random) {}
    bool continueAfterFailure(const FileEntry&) override {
        return std::uniform_int_distribution<int>(0, 3)(m_random) != 0;
    }

  private:
    std::mt19937& m_random;
};

// Every content of the files below folder, counted.
QMap<QByteArray, int> contentsOf(const QString& folder) {
    QMap<QByteArray, int> contents;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        QFile file(folder + name);
        file.open(QIODevice::ReadOnly);
        ++contents[file.readAll()];
    }
    return contents;
}

std::string describe(const QMap<QByteArray, int>& contents) {
    std::string text;
    for (auto [content, count] : contents.asKeyValueRange()) {
        text += content.toStdString() + " x" + std::to_string(count) + "; ";
    }
    return text;
}

QString randomName(std::mt19937& random, int serial) {
    static const QStringList stems{"foto", "Foto", "bild", "a", "b", "Bericht", "ärger", "x y"};
    static const QStringList types{"jpg", "JPG", "txt", ""};
    const auto pick = [&](const QStringList& list) {
        return list.at(std::uniform_int_distribution<qsizetype>(0, list.size() - 1)(random));
    };
    const QString type = pick(types);
    return pick(stems) + QString::number(serial % 3 == 0 ? serial : serial / 3) +
           (type.isEmpty() ? QString() : u'.' + type);
}

TEST(RenameProperty, NoFileIsEverLostOverwrittenOrDuplicated) {
    const QStringList masks{
        "[NAME][TYP]",    "[ZAHL][TYP]", "a[ZAHL]",    "[R1][NAME][TYP]",
        "bild[ZAHL].jpg", "[1,2][TYP]",  "foto[ZAHL]", "[NAME]" + QString(250, u'x')};
    constexpr int kPlans = 1000;
    int faults = 0;
    int renamings = 0;
    int filesLost = 0;
    for (int seed = 1; seed <= kPlans; ++seed) {
        std::mt19937 random(seed);
        TempFolder folder;
        TempFolder side;
        const int fileCount = std::uniform_int_distribution<int>(1, 10)(random);
        QStringList paths;
        QMap<QString, QByteArray> contentOfPath;
        for (int i = 0; i < fileCount; ++i) {
            const QString name = randomName(random, i);
            if (QFile::exists(folder.file(name))) {
                continue;
            }
            const QByteArray content = QByteArray("file ") + QByteArray::number(i);
            paths << folder.touch(name, content);
            contentOfPath[paths.last()] = content;
        }
        const QMap<QByteArray, int> before = contentsOf(folder.path());

        MeddlingFileSystem fileSystem(random, side.path());
        RenamePlan plan(fileSystem, nullptr);
        plan.setMaske(
            masks.at(std::uniform_int_distribution<qsizetype>(0, masks.size() - 1)(random)));
        plan.setZahlText(QString::number(std::uniform_int_distribution<int>(0, 3)(random)));
        plan.setSchrittweiteText(QString::number(std::uniform_int_distribution<int>(0, 2)(random)));
        plan.setLetterCase(std::uniform_int_distribution<int>(0, 3)(random));
        plan.fill(paths, FillMode::Drop);
        for (int p = 1; p <= plan.list().count(); ++p) {
            plan.setSelected(p, std::uniform_int_distribution<int>(0, 3)(random) != 0);
        }
        plan.ChkSituation();
        QMap<QString, bool> markedBefore;
        for (const FileEntry& e : plan.list()) {
            markedBefore[e.PfadName] = e.Selected;
        }

        // Run also plans the check refused: the rename itself must keep every file safe.
        RandomDecision decision(random);
        const RenameRunResult result = plan.UmTaufen(decision, {});
        faults += fileSystem.faults;
        renamings += static_cast<int>(result.renamed.size());

        QMap<QByteArray, int> expected = before;
        for (const QByteArray& blocker : fileSystem.blockers) {
            ++expected[blocker];
        }
        QMap<QByteArray, int> after = contentsOf(folder.path());
        for (auto [content, count] : contentsOf(side.path()).asKeyValueRange()) {
            after[content] += count;
        }
        if (after != expected) {
            ++filesLost;
            ADD_FAILURE() << "seed " << seed << ": the folder's contents changed from "
                          << describe(expected) << " to " << describe(after);
        }
        for (const RenamedFile& renamed : result.renamed) {
            QFile file(renamed.to);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "seed " << seed;
            EXPECT_EQ(file.readAll(), contentOfPath.value(renamed.from)) << "seed " << seed;
            for (const FileEntry& e : plan.list()) {
                EXPECT_NE(e.PfadName, renamed.from) << "seed " << seed << ": still listed";
            }
        }
        EXPECT_EQ(plan.list().count() + result.renamed.size(), markedBefore.size());
        for (const FileEntry& e : plan.list()) {
            EXPECT_EQ(e.Selected, markedBefore.value(e.PfadName)) << "seed " << seed;
        }
    }
    EXPECT_EQ(filesLost, 0);
    std::cout << "Umbenennungs-Eigenschaftstest: " << kPlans << " Pläne, " << renamings
              << " Umbenennungen, " << faults << " eingespeiste Fehler, " << filesLost
              << " Dateien verloren\n";
}

}  // namespace
