#include "filesystem/error_text.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <mutex>

void loadQtGermanTexts() {
    static std::once_flag loaded;
    std::call_once(loaded, [] {
        static QTranslator translator;
        if (QCoreApplication::instance() != nullptr &&
            translator.load(QStringLiteral("qtbase_de"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(&translator);
        }
    });
}

QString errorText(int error) {
    loadQtGermanTexts();
    return qt_error_string(error);
}
