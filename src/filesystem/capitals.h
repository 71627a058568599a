#pragma once

#include <QString>
#include <optional>

// The text in capitals, the form in which names are compared ignoring letter case. Plain ASCII
// text, the common case for file names, skips the Unicode tables; the result is the same.
QString capitals(const QString& text);

// The name in another spelling a file system that ignores letter case would find it under: in
// capitals, or in small letters where it is in capitals already; nothing for a name without
// letters.
std::optional<QString> otherSpelling(const QString& name);
