#pragma once

#include <QByteArrayList>
#include <QStringList>
#include <memory>
#include <optional>

#include "filesystem/progress.h"
#include "list/file_list.h"

class FileSystem;
class FolderIndexCache;

enum class FillMode {
    CommandLine,  // names are taken as stored in their folder
    Drop,
};

struct FillResult {
    int added = 0;
    QStringList skipped;             // folders, paths that name nothing, duplicates
    QStringList folders;             // the folders among them
    QByteArrayList unrepresentable;  // paths whose names are no valid text, as given
    QByteArrayList unresolvable;     // relative paths while the working folder is unknown
};

// Vets each path and appends every file not yet in the list as a marked entry, leaving Sorted
// off. Relative paths are made absolute against the working folder first, and refused while it
// is unknown: guessing it could name another file. A path that does not
// survive the way to text and back (a name that is not valid UTF-8) is refused: renaming by its
// text would reach another file or none.
FillResult addFiles(FileList& list, const QByteArrayList& nativePaths, FillMode mode,
                    const FileSystem& fileSystem, const ProgressCallback& progress = {});

// What a one-pass fill must learn of each file besides its path.
enum class EntryDetail {
    // Size, time and birth time stay unknown: a file its folder's listing names costs no stat.
    Identity,
    SizeAndTime,  // for an order or new names made from them
};

struct PassFill : FillResult {
    // The folders the fill read, for the check of the same pass, which then reads none of them
    // again. Shared so that its holders need not know the type.
    std::shared_ptr<FolderIndexCache> folders;
};

// addFiles from the command line for a program that makes one pass over the list, by the fill
// that learns of each file what detail asks and no more; the paths are let go by its end.
PassFill fillOnePass(FileList& list, QByteArrayList nativePaths, EntryDetail detail,
                     const FileSystem& fileSystem);

// addFiles, then Sorted on, which orders old and new rows alike.
FillResult FillListe(FileList& list, const QByteArrayList& nativePaths, FillMode mode,
                     const FileSystem& fileSystem, const ProgressCallback& progress = {});

// The working folder; nothing when it is gone or its path too long to tell.
std::optional<QString> workingFolder();

// The path as it enters the list: absolute against the working folder, without empty or "."
// components. ".." stays, since resolving it by text could name another file than the kernel
// does behind a symbolic link.
QString listPath(const QString& path, const QString& workingFolder);
