#include "filesystem/error_text.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <mutex>

QString errorText(int error) {
    // Loaded at the first error, not at every start: most runs never need it.
    static std::once_flag loaded;
    std::call_once(loaded, [] {
        static QTranslator translator;
        if (QCoreApplication::instance() != nullptr &&
            translator.load(QStringLiteral("qtbase_de"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(&translator);
        }
    });
    return qt_error_string(error);
}
