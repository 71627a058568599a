#pragma once

#include <QByteArrayList>
#include <QString>

enum class WindowAction {
    Open,
    ShowHelp,
    ShowVersion,
};

struct WindowCall {
    WindowAction action = WindowAction::Open;
    QByteArrayList paths;  // for Open, in the bytes the system passed
};

// Every argument is a path, so that a file manager can hand over any name; only a first
// argument of "--help", "-h" or "--version" asks for something else, and a first "--" is
// dropped so that such a name can still be opened.
WindowCall readWindowArguments(const QByteArrayList& arguments);

QString windowHelp();
QString windowVersion();
