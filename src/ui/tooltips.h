#pragma once

#include <QString>

class QPushButton;
class QWidget;
struct StatusPanels;
namespace Ui {
class Form1;
}

// A plain text as a tooltip shown over widget: a line that fits two thirds of the screen stays
// whole, a longer one wraps at its blanks, and a word wider than the screen is shortened in its
// middle. Names in it stay text, never markup.
QString toolTipText(const QString& plain, const QWidget* widget);

// Sets the tooltip of a token button: "Fügt das Token " + token + " in die Maske ein".
void DefTokenBtn(QPushButton* button, const QString& token);

// Mode other than 0 sets every tooltip of the switchable controls, 0 clears exactly those.
void LoadToolTips(const Ui::Form1& form, const StatusPanels& panels, int mode);

inline const QString kImage1ToolTip =
    QStringLiteral("Klicken Sie hier für die neuesten Infos des Netzblatt-Magazins!");
