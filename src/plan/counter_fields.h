#pragma once

#include <QString>

// The largest values the counter fields can hold (8 and 5 characters).
inline constexpr qint32 kLargestStart = 99999999;
inline constexpr qint32 kLargestStep = 99999;
inline constexpr int kLargestDigitCount = 12;

// Reads the field text as a number (sign, decimal point and exponent allowed; blanks, tabs and
// line feeds skipped wherever they stand; 0 when it does not start with a number), rounds it
// down, takes its absolute value, bounds it by largest and rewrites the text in plain decimal.
// Returns the value; text is changed only when its normal form differs.
qint32 ValidateNumericText(QString& text, qint32 largest);

// Keeps digits and Backspace; turns every other character code into 0, which swallows the key.
void ChkForValidNumKeys(int& keyAscii);

// The digit counts offered for a counter, MinDigits to largest.
struct DigitChoices {
    int MinDigits = 1;  // the length of the last counter value
    int largest = kLargestDigitCount;

    bool offers(int digits) const { return digits >= MinDigits && digits <= largest; }
};

// The digit counts offered for a counter running over count entries.
DigitChoices InitStellenAnzahl(qint32 start, qint32 step, int count);
