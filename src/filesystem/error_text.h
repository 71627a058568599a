#pragma once

#include <QString>

// What the system's error number means, in German where Qt's own translation has the text, in the
// C library's words otherwise.
QString errorText(int error);
