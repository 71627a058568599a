#include "filesystem/capitals.h"

namespace {

char16_t asciiCapital(char16_t u) {
    return (u >= u'a' && u <= u'z') ? char16_t(u - (u'a' - u'A')) : u;
}

bool isAscii(char16_t u) {
    return u < 0x80;
}

// FNV-1a over the units with ASCII letters in capitals, then mixed so that both the low bits
// (where a table looks first) and the high ones (which it keeps to compare) vary.
size_t hashOfAsciiCapitals(QStringView text) {
    quint64 hash = 0xcbf29ce484222325;
    for (const QChar c : text) {
        hash = (hash ^ asciiCapital(c.unicode())) * 0x100000001b3;
    }
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
    for (const QChar c : text) {
        if (!isAscii(c.unicode())) {
            return hashOfAsciiCapitals(capitals(text.toString()));
        }
    }
    return hashOfAsciiCapitals(text);
}

std::optional<QString> otherSpelling(const QString& name) {
    QString other = capitals(name);
    if (other == name) {
        other = name.toLower();
    }
    return other == name ? std::nullopt : std::optional(other);
}
