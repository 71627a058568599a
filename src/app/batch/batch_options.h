#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "engine/rename_settings.h"
#include "list/file_entry.h"

// A path from the command line, or the name of a path list (--files-from; "-" is standard
// input). Kept in the order given, so that a list's paths stand where the option stood.
struct PathSource {
    QString text;
    bool isListFile = false;
    qsizetype argument = -1;  // a path's index among the arguments, to take its bytes from
};

struct BatchOptions {
    RenameSettings settings;  // the digit count is chosen once the list is known
    QString digits;           // as given, decimal digits; empty for the smallest count that fits
    std::optional<int> sortColumn = AlterNameColumn;  // none keeps the order given
    bool descending = false;
    bool nullSeparated = false;
    bool recursive = false;  // a folder among the paths gives its files, its sub-folders' too
    bool apply = false;
    bool undo = false;    // take the last run back instead of renaming
    bool list = false;    // with undo: show the journal instead
    bool print0 = false;  // renamings as NUL-terminated pairs, for machines
    std::vector<PathSource> sources;
};

enum class BatchAction {
    Run,
    ShowHelp,
    ShowVersion,
    UsageError,
};

struct BatchParse {
    BatchAction action = BatchAction::Run;
    BatchOptions options;
    QString error;  // the German message of a usage error
};

// Reads the arguments that follow the program name, GNU style: "--opt value", "--opt=value",
// "-m TEXT", "-mTEXT", bundled flags ("-0h") and "--" before paths that begin with "-".
// validText tells for each argument whether its bytes were valid UTF-8 (all, when empty).
BatchParse parseBatchArguments(const QStringList& arguments, const QList<bool>& validText = {});

// The two lines a usage error ends with.
QString batchUsage();
QString batchHelp();
QString batchVersion();
