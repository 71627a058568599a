#include "app/window/window_arguments.h"

WindowCall readWindowArguments(const QByteArrayList& arguments) {
    WindowCall call;
    const QByteArray first = arguments.value(0);
    if (first == "--help" || first == "-h") {
        call.action = WindowAction::ShowHelp;
    } else if (first == "--version") {
        call.action = WindowAction::ShowVersion;
    } else {
        call.paths = first == "--" ? arguments.mid(1) : arguments;
    }
    return call;
}

QString windowHelp() {
    return QStringLiteral(
        "Aufruf: taufix [--] [DATEI]...\n"
        "Öffnet das Fenster von Taufix mit den DATEIen in der Liste der Kandidaten.\n"
        "\n"
        "  -h, --help     diese Hilfe zeigen\n"
        "      --version  die Versionsnummer zeigen\n"
        "      --         alle folgenden Argumente sind Dateien, auch „--help“\n"
        "\n"
        "Nur das erste Argument kann eine Option sein. Ohne Fenster benennt taufix-batch\n"
        "um; „man taufix“ und die Schaltfläche „Hilfe“ beschreiben das Fenster.\n");
}

QString windowVersion() {
    return QStringLiteral("taufix " TAUFIX_VERSION "\n");
}
