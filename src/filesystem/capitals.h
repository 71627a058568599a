#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// The text in capitals, the form in which names are compared ignoring letter case. Plain ASCII
// text, the common case for file names, skips the Unicode tables; the result is the same.
QString capitals(const QString& text);

// Whether a and b are the same in capitals, without making either text where both are ASCII.
bool sameCapitals(QStringView a, QStringView b);

// A hash of the text in capitals, without making it where the text is ASCII.
size_t hashOfCapitals(QStringView text);

// The name in another spelling a file system that ignores letter case would find it under: in
// capitals, or in small letters where it is in capitals already; nothing for a name without
// letters.
std::optional<QString> otherSpelling(const QString& name);
