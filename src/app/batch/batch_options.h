#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// A path from the command line, or the name of a path list (--files-from; "-" is standard
// input). Kept in the order given, so that a list's paths stand where the option stood.
struct PathSource {
    QString text;
    bool isListFile = false;
    qsizetype argument = -1;  // a path's index among the arguments, to take its bytes from
};

// The header index that keeps the order in which the paths were given.
inline constexpr int kKeepGivenOrder = 0;

struct BatchOptions {
    QString mask = QStringLiteral("[NAME][TYP]");
    QString start = QStringLiteral("1");  // decimal digits only
    QString step = QStringLiteral("1");
    QString digits;      // decimal digits; empty for the smallest count that fits
    int leadZeros = 0;   // index of the lead-zero choice: none, "0", " ", "_"
    int letterCase = 0;  // LetterCaseRule
    QString search;
    QString replace;
    int sortHeader = 1;  // 1-based header of the window's list, or kKeepGivenOrder
    bool descending = false;
    bool nullSeparated = false;
    bool apply = false;
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
BatchParse parseBatchArguments(const QStringList& arguments);

// The two lines a usage error ends with.
QString batchUsage();
QString batchHelp();
QString batchVersion();
