#include "app/batch/batch_option_table.h"
#include "app/batch/batch_options.h"

namespace {

// Where --help starts an option's description.
constexpr qsizetype kHelpColumn = 26;

// The lines of --help that describe the options, made from the option table.
QString optionHelp() {
    const QString indent(kHelpColumn, u' ');
    QString lines;
    for (const BatchOption& option : batchOptionTable()) {
        QString label = option.shortName != 0
                            ? QStringLiteral("  -%1, ").arg(QLatin1Char(option.shortName))
                            : QString(6, u' ');
        if (option.needs != nullptr) {
            label += QStringLiteral("--") + QLatin1String(option.needs) + u' ';
        }
        label += QStringLiteral("--") + QLatin1String(option.longName);
        if (option.valueName != nullptr) {
            label += u' ' + QLatin1String(option.valueName);
        }
        lines += label.leftJustified(kHelpColumn - 2) + QStringLiteral("  ") +
                 QString::fromUtf8(option.help).replace(u'\n', u'\n' + indent) + u'\n';
    }
    return lines;
}

}  // namespace

QString batchUsage() {
    return QStringLiteral(
        "Aufruf: taufix-batch [OPTION]... [--] [DATEI]...\n"
        "„taufix-batch --help“ zeigt alle Optionen.\n");
}

QString batchHelp() {
    QString help = QStringLiteral(
        "Aufruf: taufix-batch [OPTION]... [--] [DATEI]...\n"
        "Benennt DATEIen nach einer Maske um, jede in ihrem Ordner, ohne Fenster.\n"
        "Ohne --apply wird nichts umbenannt: je Datei zeigt eine Zeile den alten Pfad,\n"
        "einen Tabulator und den neuen Pfad.\n"
        "\n");
    help += optionHelp();
    help += QStringLiteral(
        "\n"
        "Ordner, nicht vorhandene und doppelt genannte Pfade werden mit „Übersprungen: PFAD“\n"
        "auf der Standardfehlerausgabe gemeldet. Ein abgelehnter Plan nennt dort den Grund.\n"
        "In lesbaren Zeilen stehen Steuerzeichen in Namen als \\n, \\t, \\xNN, ein\n"
        "Rückstrich als \\\\.\n"
        "\n"
        "Jeder Lauf schreibt vor der ersten Umbenennung ein Protokoll nach\n"
        "$XDG_STATE_HOME/taufix (sonst ~/.local/state/taufix); die letzten 30 bleiben.\n"
        "--undo findet jede Datei des letzten Laufs an ihrer Kennung wieder, auch nach\n"
        "einem Absturz, und gibt ihr den alten Namen zurück, ohne je eine Datei zu\n"
        "ersetzen. SIGINT und SIGTERM beenden einen Lauf nach der laufenden Datei.\n"
        "\n"
        "Exit-Status:\n"
        "  0  der Plan ist in Ordnung (mit --apply: alle Dateien umbenannt; mit --undo:\n"
        "     alle zurückbenannt oder nichts zu tun)\n"
        "  1  der Plan wurde abgelehnt oder das Protokoll ließ sich nicht schreiben;\n"
        "     nichts wurde umbenannt\n"
        "  2  falscher Aufruf oder nicht lesbare Pfadliste\n"
        "  3  mindestens eine Datei ließ sich nicht umbenennen (oder zurückbenennen)\n"
        "  4  durch ein Signal abgebrochen; die bis dahin umbenannten Dateien sind gemeldet\n"
        "\n"
        "Beispiel:\n"
        "  taufix-batch -m \"Urlaub_[ZAHL][TYP]\" --digits 3 --lead-zeros null *.jpg\n");
    return help;
}

QString batchVersion() {
    return QStringLiteral("taufix-batch " TAUFIX_VERSION "\n");
}
