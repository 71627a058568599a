#include "ui/shell.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(ShellUrlTest, FilesMailAndWebAddressesReachTheDesktopAsItsUrls) {
    const struct {
        const char* target;
        const char* url;
    } cases[] = {
        {"/usr/share/taufix/Hilfe.htm", "file:///usr/share/taufix/Hilfe.htm"},
        {"/tmp/mit Leerzeichen/Hilfe.htm", "file:///tmp/mit Leerzeichen/Hilfe.htm"},
        {"mailto:taufix@veskandor.example", "mailto:taufix@veskandor.example"},
        {"www.netzblatt.example", "http://www.netzblatt.example"},
        {"www.veskandor.example/new.htm", "http://www.veskandor.example/new.htm"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shellUrl(QString::fromUtf8(c.target)).toString(), QString::fromUtf8(c.url))
            << c.target;
    }
}

class HelpFileTest : public ::testing::Test {
  protected:
    QString program() const { return m_dir.filePath("bin"); }
    QString installed() const { return m_dir.filePath("prefix/share/taufix"); }

    QTemporaryDir m_dir;
};

TEST_F(HelpFileTest, HelpNextToTheProgramComesFirst) {
    touch(program() + "/Hilfe.htm");
    touch(m_dir.filePath("share/taufix/Hilfe.htm"));
    touch(installed() + "/Hilfe.htm");
    EXPECT_EQ(helpFilePath(program(), installed()), program() + "/Hilfe.htm");
}

TEST_F(HelpFileTest, ThenTheSharedFolderBesideTheProgramsFolder) {
    touch(m_dir.filePath("share/taufix/Hilfe.htm"));
    touch(installed() + "/Hilfe.htm");
    EXPECT_EQ(helpFilePath(program(), installed()), m_dir.filePath("share/taufix/Hilfe.htm"));
}

TEST_F(HelpFileTest, ThenTheConfiguredInstallation) {
    touch(installed() + "/Hilfe.htm");
    EXPECT_EQ(helpFilePath(program(), installed()), installed() + "/Hilfe.htm");
}

TEST_F(HelpFileTest, WithoutAnyTheProgramsFolderIsNamedWithOneSeparator) {
    EXPECT_EQ(helpFilePath(program(), installed()), program() + "/Hilfe.htm");
    EXPECT_EQ(helpFilePath(program() + "/", installed()), program() + "/Hilfe.htm");
    EXPECT_EQ(helpFilePath("/", installed()), "/Hilfe.htm");
}

TEST(OpenHelpTest, HandsTheFileToTheShell) {
    struct : Shell {
        void open(const QString& target) override { opened << target; }
        QStringList opened;
    } shell;
    OpenHelp(shell, "/opt/taufix/bin/Hilfe.htm");
    EXPECT_EQ(shell.opened, QStringList({"/opt/taufix/bin/Hilfe.htm"}));
}

}  // namespace
