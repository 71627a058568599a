#include "ui/media_tokens.h"

#include <QMenu>
#include <QToolButton>

namespace {

struct MediaToken {
    const char* token;  // empty for a separator between the groups
    const char* what;   // what it inserts, after "Fügt das Token … in die Maske ein: "
};

constexpr MediaToken kMediaTokens[] = {
    {"[FOTODATUM]", "das Aufnahmedatum des Fotos als Tag.Monat.Jahr"},
    {"[FOTOZEIT]", "die Aufnahmezeit des Fotos als Stunde.Minute.Sekunde"},
    {"[FOTOJAHR]", "das Jahr der Aufnahme, vierstellig"},
    {"[FOTOMONAT]", "den Monat der Aufnahme, zweistellig"},
    {"[FOTOTAG]", "den Tag der Aufnahme, zweistellig"},
    {"[KAMERA]", "das Kameramodell"},
    {"", ""},
    {"[INTERPRET]", "den Interpreten der Musikdatei"},
    {"[TITEL]", "den Titel des Stücks"},
    {"[ALBUM]", "das Album"},
    {"[TITELNR]", "die Titelnummer, zweistellig"},
    {"[ALBUMJAHR]", "das Erscheinungsjahr"},
    {"", ""},
    {"[ORDNER]", "den Namen des Ordners, in dem die Datei liegt"},
};

const QString kButtonToolTip = QStringLiteral(
    "Blendet ein Menü mit Platzhaltern aus Fotos, Musikdateien und dem Ordner der Datei ein");

}  // namespace

void SetupMediaTokenMenu(QToolButton* button, const std::function<void(const QString&)>& insert) {
    auto* menu = new QMenu(button);
    for (const MediaToken& entry : kMediaTokens) {
        const QString token = QString::fromUtf8(entry.token);
        if (token.isEmpty()) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(token);
        action->setToolTip(QStringLiteral("Fügt das Token ") + token +
                           QStringLiteral(" in die Maske ein: ") + QString::fromUtf8(entry.what));
        QObject::connect(action, &QAction::triggered, button, [insert, token] { insert(token); });
    }
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
}

void SetMediaTokenToolTips(QToolButton* button, bool shown) {
    button->setToolTip(shown ? kButtonToolTip : QString());
    button->menu()->setToolTipsVisible(shown);
}
