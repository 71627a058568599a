#pragma once

#include <QByteArrayList>
#include <QString>

class QIODevice;

enum class WindowAction {
    Open,
    ShowHelp,
    ShowVersion,
    UsageError,
};

// The exit status of a wrong call or an unreadable path list, as taufix-batch's.
inline constexpr int kWindowUsageError = 2;

struct WindowCall {
    WindowAction action = WindowAction::Open;
    QByteArrayList listedPaths;  // for Open: the path lists' items, in the bytes read
    qsizetype optionCount = 0;   // the leading arguments that were options, with a "--"
    QString error;               // for UsageError, in German
};

// Every argument is a path, so that a file manager can hand over any name; only a first
// argument of "--help", "-h" or "--version" asks for something else. Path lists are named only
// before the paths, as taufix-batch names them ("--files-from FILE", "--files-from=FILE", "-0",
// "--null"), and are read at once, "-" from standardInput; the first other argument and all
// after it are paths, and a "--" among the options ends them and is dropped.
WindowCall readWindowArguments(const QByteArrayList& arguments, QIODevice& standardInput);
// The paths to open: the lists' items, then the arguments after the options. arguments may be
// those that were read with Qt's own options taken out, which stand after ours.
QByteArrayList windowPaths(const WindowCall& call, const QByteArrayList& arguments);

QString windowHelp();
QString windowUsage();
QString windowVersion();
