#pragma once

#include <QString>

// The text in capitals, the form in which names are compared ignoring letter case. Plain ASCII
// text, the common case for file names, skips the Unicode tables; the result is the same.
QString capitals(const QString& text);
