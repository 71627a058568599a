#include "filesystem/capitals.h"

#include <cstring>

namespace {

char16_t asciiCapital(char16_t u) {
    return (u >= u'a' && u <= u'z') ? char16_t(u - (u'a' - u'A')) : u;
}

bool isAscii(char16_t u) {
    return u < 0x80;
}

// Four units at a time, each small ASCII letter in capitals: a lane from 'a' to 'z' is the one
// that reaches 0x80 when 0x1f is added but not when 5 is, and loses 0x20. Lanes beyond ASCII may
// change too, but alike for alike texts, which is all a hash needs.
quint64 asciiCapitalsOf(quint64 units) {
    constexpr quint64 kLanes = 0x0001000100010001;
    const quint64 small = (units + 0x1f * kLanes) & ~(units + 5 * kLanes) & (0x80 * kLanes);
    return units - (small >> 2);
}

// The units with ASCII letters in capitals, four at a time, each step mixed in by a multiply;
// at the end mixed so that both the low bits (where a table looks first) and the high ones
// (which it keeps to compare) vary.
size_t hashOfAsciiCapitals(QStringView text) {
    constexpr quint64 kMultiplier = 0x9e3779b97f4a7c15;
    const char16_t* units = text.utf16();
    const qsizetype size = text.size();
    quint64 hash = static_cast<quint64>(size) * kMultiplier;
    qsizetype i = 0;
    for (; i + 4 <= size; i += 4) {
        quint64 word;
        std::memcpy(&word, units + i, sizeof word);
        hash = (hash ^ asciiCapitalsOf(word)) * kMultiplier;
        hash ^= hash >> 29;
    }
    quint64 rest = 0;
    if (i < size) {  // an empty text may have no units at all to point to
        std::memcpy(&rest, units + i, static_cast<size_t>(size - i) * sizeof(char16_t));
    }
    hash = (hash ^ asciiCapitalsOf(rest)) * kMultiplier;
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccd;
    hash ^= hash >> 33;
    return static_cast<size_t>(hash);
}

}  // namespace

QString capitals(const QString& text) {
    const QChar* begin = text.constData();
    const QChar* end = begin + text.size();
    const QChar* firstSmall = nullptr;
    for (const QChar* c = begin; c != end; ++c) {
        const char16_t u = c->unicode();
        if (!isAscii(u)) {
            return text.toUpper();
        }
        if (firstSmall == nullptr && u >= u'a' && u <= u'z') {
            firstSmall = c;
        }
    }
    if (firstSmall == nullptr) {
        return text;
    }
    QString result(text.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(result.data());
    for (const QChar* c = begin; c != end; ++c) {
        *out++ = asciiCapital(c->unicode());
    }
    return result;
}

bool sameCapitals(QStringView a, QStringView b) {
    // Before the first unit beyond ASCII, capitals are the ASCII capitals unit by unit, and no
    // unit turns into none: an ASCII difference or a different length there decides.
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (!isAscii(x) || !isAscii(y)) {
            return capitals(a.toString()) == capitals(b.toString());
        }
        if (asciiCapital(x) != asciiCapital(y)) {
            return false;
        }
    }
    return a.size() == b.size();
}

size_t hashOfCapitals(QStringView text) {
    char16_t units = 0;
    for (const QChar c : text) {
        units |= c.unicode();
    }
    return isAscii(units) ? hashOfAsciiCapitals(text)
                          : hashOfAsciiCapitals(capitals(text.toString()));
}

std::optional<QString> otherSpelling(const QString& name) {
    QString other = capitals(name);
    if (other == name) {
        other = name.toLower();
    }
    return other == name ? std::nullopt : std::optional(other);
}
