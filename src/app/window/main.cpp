#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include <unistd.h>
#include <cstdio>

#include "app/window/window_arguments.h"
#include "filesystem/file_system.h"
#include "filesystem/journal_store.h"
#include "ui/main_window.h"
#include "ui/settings_store.h"
#include "ui/shell.h"

namespace {

QByteArrayList argumentsOf(int argc, char* argv[]) {
    QByteArrayList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QByteArray(argv[i]);
    }
    return arguments;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Help, version and the path lists need no display, so they are answered and read before Qt
    // looks for one; an unreadable list ends the program before any window opens.
    QFile standardInput;
    standardInput.open(STDIN_FILENO, QIODevice::ReadOnly);
    const WindowCall call = readWindowArguments(argumentsOf(argc, argv), standardInput);
    switch (call.action) {
        case WindowAction::Open:
            break;
        case WindowAction::ShowHelp:
        case WindowAction::ShowVersion: {
            const QString text =
                call.action == WindowAction::ShowHelp ? windowHelp() : windowVersion();
            std::fputs(text.toUtf8().constData(), stdout);
            return 0;
        }
        case WindowAction::UsageError:
            std::fputs((QStringLiteral("taufix: ") + call.error + u'\n' + windowUsage())
                           .toUtf8()
                           .constData(),
                       stderr);
            return kWindowUsageError;
    }
    // The icons are in the static ui library's resource, which the linker drops unless referred to.
    Q_INIT_RESOURCE(taufix);
    QApplication app(argc, argv);

    // The standard buttons of the dialogs speak German with the rest of the window.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_de"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslator);
    }
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/%1x%1/taufix.png").arg(size), QSize(size, size));
    }
    QApplication::setWindowIcon(icon);

    // Each argument is one path as the shell split it, in the bytes the system passed, so that a
    // name which is no valid text is recognised as such; read again, as QApplication has taken
    // its own options (-platform, -style, ...) out of argv.
    const QByteArrayList paths = windowPaths(call, argumentsOf(argc, argv));

    SettingsStore store;
    DesktopShell shell;
    JournalStore journal;
    Form1 window(store, shell, hostFileSystem(), journal, paths);
    window.show();
    return QApplication::exec();
}
