#include "list/list_filling.h"

#include <QDir>
#include <QSet>

#include "plan/file_system.h"

QString listPath(const QString& path) {
    const QString absolute = QDir::isAbsolutePath(path) ? path : QDir::currentPath() + u'/' + path;
    QStringList parts = absolute.split(u'/', Qt::SkipEmptyParts);
    parts.removeAll(QStringLiteral("."));
    return u'/' + parts.join(u'/');
}

FillResult FillListe(FileList& list, const QStringList& paths, FillMode mode,
                     const FileSystem& fileSystem, const ProgressCallback& progress) {
    FillResult result;
    list.setSorted(false);
    QSet<QString> known;
    known.reserve(list.count() + paths.size());
    for (const FileEntry& entry : list) {
        known.insert(entry.PfadName);
    }
    list.reserve(list.count() + static_cast<int>(paths.size()));
    const int count = static_cast<int>(paths.size());
    QString lastFolder;
    QSet<QString> extensions;
    for (int i = 1; i <= count; ++i) {
        if (progress) {
            progress(i, count);
        }
        QString path = listPath(paths.at(i - 1));
        const std::optional<PathFacts> facts = fileSystem.statPath(path);
        if (!facts || facts->isFolder) {
            result.skipped << paths.at(i - 1);
            continue;
        }
        if (mode == FillMode::CommandLine) {
            // A hidden file has no stored name to look up: it keeps the name it was given.
            const QString stored = fileSystem.storedName(path);
            if (!stored.isEmpty()) {
                path = path.left(splitPath(path).sep) + stored;
            }
        }
        if (known.contains(path)) {
            result.skipped << paths.at(i - 1);
            continue;
        }
        known.insert(path);
        FileEntry entry = makeFileEntry(path, facts->length, facts->modified);
        // Rows of one folder and of one extension share those texts: less memory, and the
        // plan check tells a folder by identity.
        if (entry.InOrdner == lastFolder) {
            entry.InOrdner = lastFolder;
        } else {
            lastFolder = entry.InOrdner;
        }
        entry.Typ = *extensions.insert(entry.Typ);
        list.append(std::move(entry));
        ++result.added;
    }
    if (progress) {
        progress(0, count);
    }
    list.setSorted(true);
    return result;
}
