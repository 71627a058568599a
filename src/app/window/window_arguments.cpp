#include "app/window/window_arguments.h"

#include <QFile>

#include "list/path_list.h"

namespace {

// The option with its value in the same argument.
constexpr QByteArrayView kFilesFromWithValue = "--files-from=";

WindowCall usageError(const QString& message) {
    WindowCall call;
    call.action = WindowAction::UsageError;
    call.error = message;
    return call;
}

}  // namespace

WindowCall readWindowArguments(const QByteArrayList& arguments, QIODevice& standardInput) {
    WindowCall call;
    const QByteArray first = arguments.value(0);
    if (first == "--help" || first == "-h") {
        call.action = WindowAction::ShowHelp;
        return call;
    }
    if (first == "--version") {
        call.action = WindowAction::ShowVersion;
        return call;
    }
    QByteArrayList lists;
    bool nullSeparated = false;
    qsizetype i = 0;
    for (; i < arguments.size(); ++i) {
        const QByteArray& argument = arguments.at(i);
        if (argument == "--") {
            ++i;
            break;
        }
        if (argument == "-0" || argument == "--null") {
            nullSeparated = true;
        } else if (argument.startsWith(kFilesFromWithValue)) {
            lists << argument.sliced(kFilesFromWithValue.size());
        } else if (argument == "--files-from") {
            if (i + 1 == arguments.size()) {
                return usageError(QStringLiteral("Die Option --files-from verlangt einen Wert."));
            }
            lists << arguments.at(++i);
        } else {
            break;
        }
    }
    call.optionCount = i;
    for (const QByteArray& list : lists) {
        const QString name = QFile::decodeName(list);
        const PathListResult read =
            readPathList(name, standardInput, nullSeparated ? '\0' : '\n', call.listedPaths);
        if (read != PathListResult::Read) {
            return usageError(pathListError(name, read));
        }
    }
    return call;
}

QByteArrayList windowPaths(const WindowCall& call, const QByteArrayList& arguments) {
    return call.listedPaths + arguments.mid(call.optionCount);
}

QString windowHelp() {
    return QStringLiteral(
        "Aufruf: taufix [OPTION]... [--] [DATEI]...\n"
        "Öffnet das Fenster von Taufix mit den DATEIen in der Liste der Kandidaten.\n"
        "\n"
        "  -h, --help                diese Hilfe zeigen\n"
        "      --version             die Versionsnummer zeigen\n"
        "      --files-from LISTE    weitere Pfade aus LISTE lesen, einen je Zeile; „-“\n"
        "                            liest die Standardeingabe; leere Zeilen werden\n"
        "                            übergangen, Zeilen dürfen auf \\r\\n enden\n"
        "  -0, --null                Pfade in --files-from durch NUL statt Zeilenende\n"
        "                            getrennt\n"
        "      --                    alle folgenden Argumente sind Dateien, auch „--help“\n"
        "\n"
        "--help und --version gelten nur als erstes Argument, --files-from, -0 und --null\n"
        "nur vor der ersten DATEI: das erste andere Argument und alle folgenden sind\n"
        "Dateien. Die Pfade der Listen kommen vor den DATEIen in die Liste; eine Liste,\n"
        "die sich nicht lesen lässt, beendet das Programm mit Status 2, bevor ein Fenster\n"
        "öffnet. Beispiel:\n"
        "  find . -name '*.jpg' -print0 | taufix --files-from - -0\n"
        "\n"
        "Ohne Fenster benennt taufix-batch um; „man taufix“ und die Schaltfläche\n"
        "„Hilfe“ beschreiben das Fenster.\n");
}

QString windowUsage() {
    return QStringLiteral(
        "Aufruf: taufix [OPTION]... [--] [DATEI]...\n"
        "„taufix --help“ zeigt alle Optionen.\n");
}

QString windowVersion() {
    return QStringLiteral("taufix " TAUFIX_VERSION "\n");
}
