#include "ui/shell.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

TEST(ShellTest, FilesMailAndWebAddressesReachTheDesktopAsItsUrls) {
    const std::pair<const char*, const char*> cases[] = {
        {"/tmp/mit Leerzeichen/Hilfe.htm", "file:///tmp/mit Leerzeichen/Hilfe.htm"},
        {"mailto:taufix@veskandor.example", "mailto:taufix@veskandor.example"},
        {"www.veskandor.example/new.htm", "http://www.veskandor.example/new.htm"},
    };
    for (const auto& [target, url] : cases) {
        EXPECT_EQ(shellUrl(QString::fromUtf8(target)).toString(), QString::fromUtf8(url));
    }
}

TEST(ShellTest, HelpIsLookedForNextToTheProgramThenBesideItThenInTheInstallation) {
    QTemporaryDir dir;
    const QString program = dir.filePath("bin");
    const QString installed = dir.filePath("prefix/share/taufix");
    const QString candidates[] = {program + "/Hilfe.htm", dir.filePath("share/taufix/Hilfe.htm"),
                                  installed + "/Hilfe.htm"};
    // Without any file the program's folder is named, with exactly one separator.
    EXPECT_EQ(helpFilePath(program + "/", installed), candidates[0]);
    EXPECT_EQ(helpFilePath("/", installed), "/Hilfe.htm");
    for (int i = 2; i >= 0; --i) {
        QDir().mkpath(QFileInfo(candidates[i]).path());
        QFile(candidates[i]).open(QIODevice::WriteOnly);
        EXPECT_EQ(helpFilePath(program, installed), candidates[i]);
    }
}

}  // namespace
