#pragma once

#include <QByteArrayList>
#include <QStringList>

#include "filesystem/progress.h"
#include "list/file_list.h"

class FileSystem;

enum class FillMode {
    CommandLine,  // names are taken as stored in their folder
    Drop,
};

struct FillResult {
    int added = 0;
    QStringList skipped;             // folders, paths that name nothing, duplicates
    QByteArrayList unrepresentable;  // paths whose names are no valid text, as given
};

// Vets each path and appends every file not yet in the list as a marked entry, leaving Sorted
// off. Relative paths are made absolute against the current folder first. A path that does not
// survive the way to text and back (a name that is not valid UTF-8) is refused: renaming by its
// text would reach another file or none.
FillResult addFiles(FileList& list, const QByteArrayList& nativePaths, FillMode mode,
                    const FileSystem& fileSystem, const ProgressCallback& progress = {});

// addFiles, then Sorted on, which orders old and new rows alike.
FillResult FillListe(FileList& list, const QByteArrayList& nativePaths, FillMode mode,
                     const FileSystem& fileSystem, const ProgressCallback& progress = {});

// The path as it enters the list: absolute, without empty or "." components. ".." stays, since
// resolving it by text could name another file than the kernel does behind a symbolic link.
QString listPath(const QString& path);
