#pragma once

#include <QString>

class QPushButton;
struct StatusPanels;
namespace Ui {
class Form1;
}

// Sets the tooltip of a token button: "Fügt das Token " + token + " in die Maske ein".
void DefTokenBtn(QPushButton* button, const QString& token);

// Mode other than 0 sets every tooltip of the switchable controls, 0 clears exactly those.
void LoadToolTips(const Ui::Form1& form, const StatusPanels& panels, int mode);

inline const QString kImage1ToolTip =
    QStringLiteral("Klicken Sie hier für die neuesten Infos des Netzblatt-Magazins!");
