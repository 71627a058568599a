#include <gtest/gtest.h>
#include <QProcess>

#include "temp_folder.h"

namespace {

TEST(BatchProgram, RenamesRelativePathsFromStandardInputAndAfterTheDoubleDash) {
    const TempFolder folder({"a.txt", "b.txt", "-x.txt"});
    const TempFolder state;  // the journal goes there, not into the user's own
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_STATE_HOME", state.path());
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder.path());
    process.start(QStringLiteral(TAUFIX_BATCH_PATH),
                  {"--sort", "keine", "-0", "--files-from", "-", "-m", "[NAME]_neu[TYP]", "--apply",
                   "--", "-x.txt"});
    process.write(QByteArray("b.txt\0a.txt\0", 12));
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(-1));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardError(), "3 umbenannt, 0 fehlgeschlagen.\n");
    const auto line = [&](const char* from, const char* to) {
        return folder.native(from) + '\t' + folder.native(to) + '\n';
    };
    EXPECT_EQ(
        process.readAllStandardOutput(),
        line("-x.txt", "-x_neu.txt") + line("a.txt", "a_neu.txt") + line("b.txt", "b_neu.txt"));
    EXPECT_EQ(folder.contents(),
              (Contents{{"-x_neu.txt", "-x.txt"}, {"a_neu.txt", "a.txt"}, {"b_neu.txt", "b.txt"}}));
    EXPECT_EQ(QDir(state.file("taufix")).entryList({"*.journal"}).size(), 1);
}

}  // namespace
