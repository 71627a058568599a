#include "plan/counter_fields.h"

#include <cmath>
#include <cstdlib>

#include "engine/new_names.h"

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The longest prefix of text that reads as a decimal number, in ASCII, with the skipped white
// space removed; empty when text does not start with a number.
std::string numberPrefix(const QString& text) {
    std::string compact;
    compact.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n') {
            continue;
        }
        compact.push_back(c.unicode() < 128 ? static_cast<char>(c.unicode()) : '\x7f');
    }
    size_t i = 0;
    if (i < compact.size() && (compact[i] == '+' || compact[i] == '-')) {
        ++i;
    }
    size_t digits = 0;
    while (i < compact.size() && isDigit(compact[i])) {
        ++i;
        ++digits;
    }
    if (i < compact.size() && compact[i] == '.') {
        ++i;
        while (i < compact.size() && isDigit(compact[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return std::string();
    }
    size_t end = i;
    if (i < compact.size() && (compact[i] == 'e' || compact[i] == 'E')) {
        size_t j = i + 1;
        if (j < compact.size() && (compact[j] == '+' || compact[j] == '-')) {
            ++j;
        }
        if (j < compact.size() && isDigit(compact[j])) {
            while (j < compact.size() && isDigit(compact[j])) {
                ++j;
            }
            end = j;
        }
    }
    return compact.substr(0, end);
}

}  // namespace

qint32 ValidateNumericText(QString& text, qint32 largest) {
    const std::string prefix = numberPrefix(text);
    const double read = prefix.empty() ? 0.0 : std::strtod(prefix.c_str(), nullptr);
    const double whole = std::fabs(std::floor(read));
    const qint32 value = whole >= largest ? largest : static_cast<qint32>(whole);
    const QString normal = QString::number(value);
    if (text != normal) {
        text = normal;
    }
    return value;
}

void ChkForValidNumKeys(int& keyAscii) {
    const bool digit = keyAscii >= '0' && keyAscii <= '9';
    if (!digit && keyAscii != 8) {
        keyAscii = 0;
    }
}

DigitChoices InitStellenAnzahl(qint32 start, qint32 step, int count) {
    DigitChoices result;
    // The last counter value; start - step for an empty list.
    result.MinDigits = static_cast<int>(QString::number(counterValue(start, step, count)).size());
    // A counter beyond the offered range still gets its own length as the one choice; the plan
    // check refuses such a counter anyway.
    result.largest = std::max(kLargestDigitCount, result.MinDigits);
    return result;
}
