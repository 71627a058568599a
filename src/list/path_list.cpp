#include "list/path_list.h"

#include <QFile>
#include <QIODevice>

namespace {

constexpr qint64 kReadChunk = 64 * 1024;

void appendItem(QByteArrayList& paths, QByteArrayView item, char separator) {
    if (separator == '\n' && item.endsWith('\r')) {
        item.chop(1);
    }
    if (!item.isEmpty()) {
        paths << item.toByteArray();
    }
}

}  // namespace

PathListResult readPathList(QIODevice& device, char separator, QByteArrayList& paths) {
    QByteArray pending;
    char chunk[kReadChunk];
    for (;;) {
        const qint64 got = device.read(chunk, kReadChunk);
        if (got < 0) {
            return PathListResult::Unreadable;
        }
        if (got == 0) {
            break;
        }
        const qsizetype scanned = pending.size();
        pending.append(chunk, got);
        qsizetype begin = 0;
        for (qsizetype end = pending.indexOf(separator, scanned); end >= 0;
             end = pending.indexOf(separator, begin)) {
            if (end - begin > kLongestPath) {
                return PathListResult::ItemTooLong;
            }
            appendItem(paths, QByteArrayView(pending).sliced(begin, end - begin), separator);
            begin = end + 1;
        }
        pending.remove(0, begin);
        if (pending.size() > kLongestPath + 1) {
            return PathListResult::ItemTooLong;
        }
    }
    if (pending.size() > kLongestPath) {
        return PathListResult::ItemTooLong;
    }
    appendItem(paths, pending, separator);
    return PathListResult::Read;
}

PathListResult readPathList(const QString& name, QIODevice& standardInput, char separator,
                            QByteArrayList& paths) {
    if (name == u"-") {
        return readPathList(standardInput, separator, paths);
    }
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? readPathList(file, separator, paths)
                                          : PathListResult::Unreadable;
}

QString pathListError(const QString& name, PathListResult result) {
    const QString list = QStringLiteral("Die Pfadliste „") + name + QStringLiteral("“");
    return result == PathListResult::Unreadable
               ? list + QStringLiteral(" lässt sich nicht lesen.")
               : list + QStringLiteral(" enthält einen Eintrag von mehr als ") +
                     QString::number(kLongestPath) + QStringLiteral(" Bytes.");
}
