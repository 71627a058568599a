#include "ui/shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

void DesktopShell::open(const QString& target) {
    QDesktopServices::openUrl(shellUrl(target));
}

QUrl shellUrl(const QString& target) {
    if (target.startsWith(QLatin1String("mailto:"))) {
        return QUrl(target);
    }
    if (QDir::isAbsolutePath(target)) {
        return QUrl::fromLocalFile(target);
    }
    return QUrl::fromUserInput(target);
}

QString helpFilePath(const QString& programFolder, const QString& installedDataFolder) {
    const QDir program(programFolder);
    // QDir joins with exactly one separator, also for the root folder.
    const QString nextToProgram = program.filePath(kHelpFileName);
    const QStringList candidates{
        nextToProgram,
        QDir::cleanPath(program.filePath(QStringLiteral("../share/taufix/") + kHelpFileName)),
        QDir(installedDataFolder).filePath(kHelpFileName),
    };
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile()) {
            return candidate;
        }
    }
    return nextToProgram;
}

QString helpFilePath() {
    return helpFilePath(QCoreApplication::applicationDirPath(),
                        QStringLiteral(TAUFIX_INSTALLED_DATA_FOLDER));
}

void OpenHelp(Shell& shell, const QString& file) {
    shell.open(file);
}
