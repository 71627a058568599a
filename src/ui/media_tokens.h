#pragma once

#include <QString>
#include <functional>

class QToolButton;

// Gives button a menu of the tokens that take a value from the file beside its name and times:
// a photo's date taken and camera, a song's tags, the folder's name; choosing one inserts it.
void SetupMediaTokenMenu(QToolButton* button, const std::function<void(const QString&)>& insert);
// Shows or hides the tooltips of the menu's entries and the button's own.
void SetMediaTokenToolTips(QToolButton* button, bool shown);
