#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include "filesystem/file_system.h"
#include "filesystem/journal_store.h"
#include "ui/main_window.h"
#include "ui/settings_store.h"
#include "ui/shell.h"

int main(int argc, char* argv[]) {
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
    // name which is no valid text is recognised as such.
    QByteArrayList paths;
    for (int i = 1; i < argc; ++i) {
        paths << QByteArray(argv[i]);
    }

    SettingsStore store;
    DesktopShell shell;
    JournalStore journal;
    Form1 window(store, shell, hostFileSystem(), journal, paths);
    window.show();
    return QApplication::exec();
}
