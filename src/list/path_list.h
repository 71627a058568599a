#pragma once

#include <QByteArrayList>
#include <QString>

class QIODevice;

// The longest path the system takes, in bytes; a longer item cannot name a file.
inline constexpr qsizetype kLongestPath = 4096;

enum class PathListResult {
    Read,
    Unreadable,
    ItemTooLong,  // also what an endless source without separators gives
};

// Appends the non-empty items of a path list, separated by separator; with "\n", a line may end
// in "\r\n". Each byte is looked at once, so a long list costs linear time.
PathListResult readPathList(QIODevice& device, char separator, QByteArrayList& paths);
// readPathList from the file named, or from standardInput for "-".
PathListResult readPathList(const QString& name, QIODevice& standardInput, char separator,
                            QByteArrayList& paths);
// Why the list named could not be read, in German, for both programs' error output.
QString pathListError(const QString& name, PathListResult result);
