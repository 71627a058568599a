#pragma once

#include <QString>

// What the system's error number means, in German where Qt's own translation has the text, in the
// C library's words otherwise.
QString errorText(int error);

// Installs Qt's German texts once, at their first need (most runs never need them), so that Qt's
// own messages, such as why a regular expression does not compile, come in German.
void loadQtGermanTexts();
