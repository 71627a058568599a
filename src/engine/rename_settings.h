#pragma once

#include <QChar>
#include <QString>
#include <optional>

// The mask a new window and the batch program start with.
inline const QString kDefaultMask = QStringLiteral("[NAME][TYP]");

enum class LetterCase {
    Keep,
    AllCapitals,
    AllSmall,
    FirstCapital,  // the first character a capital, all others small
    EachWord,      // each word's first character a capital, all others small
};

// Whether a new name may be the current name of another marked file of the folder that moves away
// in the same run: a shift or a swap.
enum class Chains : bool { Refused, Allowed };

// How the search text is read: as it stands, or as a regular expression.
enum class SearchKind : bool { Literal, Pattern };

// The options that steer name generation and its check.
struct RenameSettings {
    QString Maske = kDefaultMask;
    qint32 Start = 1;
    qint32 Step = 1;
    int Digits = 1;                  // the counter's width when it is padded
    std::optional<QChar> LeadZeros;  // the padding character; none pads nothing
    LetterCase letterCase = LetterCase::Keep;
    QString SucheText;
    QString ErsetzeText;
    Chains chains = Chains::Refused;
    SearchKind searchKind = SearchKind::Literal;
};
