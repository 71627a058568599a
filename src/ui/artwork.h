#pragma once

#include <QIcon>
#include <QPixmap>

// The program's pictures, drawn in code; they need a running QGuiApplication.

// The banner of the magazine "Netzblatt", 1170 x 268 pixels; the main window shows it scaled.
QPixmap drawBanner();

// The portrait strip of the information window, 157 x 552 pixels.
QPixmap drawArtworkStrip();

// The program icon, a file card with a name tag, at 16, 32, 48, 64, 128 and 256 pixels.
QIcon drawAppIcon();
