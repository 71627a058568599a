#include "filesystem/capitals.h"

QString capitals(const QString& text) {
    const QChar* begin = text.constData();
    const QChar* end = begin + text.size();
    const QChar* firstSmall = nullptr;
    for (const QChar* c = begin; c != end; ++c) {
        const char16_t u = c->unicode();
        if (u >= 0x80) {
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
        const char16_t u = c->unicode();
        *out++ = (u >= u'a' && u <= u'z') ? char16_t(u - (u'a' - u'A')) : u;
    }
    return result;
}

std::optional<QString> otherSpelling(const QString& name) {
    QString other = capitals(name);
    if (other == name) {
        other = name.toLower();
    }
    return other == name ? std::nullopt : std::optional(other);
}
