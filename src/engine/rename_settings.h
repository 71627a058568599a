#pragma once

#include <QString>

// The options that steer name generation, as the window's controls hold them.
struct RenameSettings {
    QString Maske = QStringLiteral("[NAME][TYP]");
    qint32 Start = 1;
    qint32 Step = 1;
    QString Digits = QStringLiteral("1");  // text of the chosen digit count
    QString LeadZeros;                     // "", "0", " " or "_"
    int LetterCase = 0;                    // 0 keep, 1 all capitals, 2 all small, 3 first capital
    QString SucheText;
    QString ErsetzeText;
    int DirIt = 0;
};

enum LetterCaseRule : int {
    KeepCase = 0,
    AllCapitals = 1,
    AllSmall = 2,
    FirstCapital = 3,
};
