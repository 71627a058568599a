#include "ui/tooltips.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QToolTip>
#include <QWidget>

#include "ui/button_indexes.h"
#include "ui/media_tokens.h"
#include "ui/status_panels.h"
#include "ui_main_window.h"

namespace {

// A token button that has a long form names the short token first.
QString shortToken(const char* shortForm, const char* longForm) {
    return QLatin1String(shortForm) + QStringLiteral(" (entspricht ") + QLatin1String(longForm) +
           u')';
}

}  // namespace

QString toolTipText(const QString& plain, const QWidget* widget) {
    const QScreen* screen = widget != nullptr ? widget->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen != nullptr ? screen->availableGeometry().width() : 1024;
    const QFontMetrics metrics(QToolTip::font());
    const int wrapWidth = screenWidth * 2 / 3;
    // Room for the tooltip's frame and margins.
    const int widest = screenWidth - 4 * metrics.averageCharWidth();
    QStringList lines;
    for (const QString& paragraph : plain.split(u'\n')) {
        QString line;
        for (QString word : paragraph.split(u' ')) {
            if (metrics.horizontalAdvance(word) > widest) {
                word = metrics.elidedText(word, Qt::ElideMiddle, widest);
            }
            const QString longer = line.isEmpty() ? word : line + u' ' + word;
            if (!line.isEmpty() && metrics.horizontalAdvance(longer) > wrapWidth) {
                lines << line;
                line = word;
            } else {
                line = longer;
            }
        }
        lines << line;
    }
    for (QString& line : lines) {
        line = line.toHtmlEscaped();
    }
    // Unwrappable lines: the tooltip would otherwise wrap them anew into a narrow box.
    return QStringLiteral("<p style=\"white-space:pre\">") + lines.join(QStringLiteral("<br>")) +
           QStringLiteral("</p>");
}

void DefTokenBtn(QPushButton* button, const QString& token) {
    button->setToolTip(QStringLiteral("Fügt das Token ") + token +
                       QStringLiteral(" in die Maske ein"));
}

void LoadToolTips(const Ui::Form1& form, const StatusPanels& panels, int mode) {
    const auto btn = [&form](int i) { return Btn(form, i); };
    if (mode == 0) {
        form.Liste->setToolTip({});
        form.Schreibweise->setToolTip({});
        for (int i = 0; i < kBtnCount; ++i) {
            if (QPushButton* button = btn(i); button && i != kBtnInfo) {
                button->setToolTip({});
            }
        }
        form.Bar->setToolTip({});
        form.Zahl->setToolTip({});
        form.Vornullenzeichen->setToolTip({});
        panels.marked->setToolTip({});
        panels.hint->setToolTip({});
        form.ToolTipCheck->setToolTip({});
        form.DirItCheck->setToolTip({});
        form.ChainsCheck->setToolTip({});
        SetMediaTokenToolTips(form.MediaTokens, false);
        return;
    }
    form.Liste->setToolTip(
        QStringLiteral("Namen der umzubenennenden Dateien in diese Liste ziehen"));
    form.Schreibweise->setToolTip(
        QStringLiteral("Legt Groß- und/oder Kleinschreibung der neuen Namen fest"));
    btn(kBtnClearList)
        ->setToolTip(QStringLiteral("Löscht alle Dateinamen in der obenstehenden Liste"));
    btn(kBtnMarkAll)
        ->setToolTip(QStringLiteral("Markiert alle Dateien in der Liste als ausgewählt"));
    btn(kBtnMarkNone)->setToolTip(QStringLiteral("Löscht alle Dateimarkierungen"));
    btn(kBtnInvertMarks)->setToolTip(QStringLiteral("Kehrt die aktuelle Dateiauswahl um"));
    DefTokenBtn(btn(kBtnTokenName), QStringLiteral("[NAME]"));
    DefTokenBtn(btn(kBtnTokenTyp), QStringLiteral("[TYP]"));
    DefTokenBtn(btn(kBtnTokenZahl), QStringLiteral("[ZAHL]"));
    DefTokenBtn(btn(kBtnTokenDatum), QStringLiteral("[DATUM]"));
    DefTokenBtn(btn(kBtnTokenRDatum), QStringLiteral("[RDATUM]"));
    DefTokenBtn(btn(kBtnTokenZeit), QStringLiteral("[ZEIT]"));
    DefTokenBtn(btn(kBtnTokenTag), QStringLiteral("[TAG]"));
    DefTokenBtn(btn(kBtnTokenMonat), QStringLiteral("[MONAT]"));
    DefTokenBtn(btn(kBtnTokenJahr), QStringLiteral("[JAHR]"));
    DefTokenBtn(btn(kBtnTokenH), shortToken("[H]", "[STUNDE]"));
    DefTokenBtn(btn(kBtnTokenM), shortToken("[M]", "[MINUTE]"));
    DefTokenBtn(btn(kBtnTokenS), shortToken("[S]", "[SEKUNDE]"));
    SetMediaTokenToolTips(form.MediaTokens, true);
    btn(kBtnEmptyBrackets)
        ->setToolTip(QStringLiteral(
            "Fügt eine leere Klammer in die Maske ein und positioniert den Cursor darin"));
    btn(kBtnRename)
        ->setToolTip(
            QStringLiteral("Startet die Umbenennung aller markierten Dateien in der Liste"));
    btn(kBtnEnd)->setToolTip(QStringLiteral("Beendet das Programm"));
    btn(kBtnHelp)->setToolTip(QStringLiteral("Gibt Zusatzinfos über das Programm"));
    btn(kBtnClearMask)->setToolTip(QStringLiteral("Löscht die Maske komplett"));
    btn(kBtnMoveDown)
        ->setToolTip(QStringLiteral("Bewegt alle markierten Einträge um eine Position nach unten"));
    btn(kBtnMoveUp)
        ->setToolTip(QStringLiteral("Bewegt alle markierten Einträge um eine Position nach oben"));
    btn(kBtnHistory)
        ->setToolTip(QStringLiteral("Blendet ein Menü mit den zuletzt benutzten Masken ein"));
    form.Bar->setToolTip(QStringLiteral("Zeigt den aktuellen Verarbeitungsstand an"));
    form.Zahl->setToolTip(QStringLiteral("Tragen Sie hier den Startwert für den Dateizähler ein"));
    form.Vornullenzeichen->setToolTip(
        QStringLiteral("hier legen Sie das für Vornullen zu verwendende Zeichen fest"));
    panels.marked->setToolTip(QStringLiteral("Anzahl der Dateien in der Liste"));
    panels.hint->setToolTip(QStringLiteral("Programmstatus und Hinweise für den Anwender"));
    form.ToolTipCheck->setToolTip(QStringLiteral("Schaltet die Tooltips ein oder aus"));
    form.ChainsCheck->setToolTip(QStringLiteral(
        "Erlaubt neue Namen, die eine andere markierte Datei erst frei macht (Verschieben, "
        "Tauschen); ein Ring geht über einen vorübergehenden Namen"));
    form.DirItCheck->setToolTip(QStringLiteral(
        "Markieren Sie diese Option, um alle Umbenennungen in die Zwischenablage zu kopieren."));
}
