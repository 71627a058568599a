#include "filesystem/native_text.h"

#include <algorithm>

void appendNative(QByteArray& bytes, QStringView text) {
    const qsizetype at = bytes.size();
    bytes.resize(at + text.size());
    char* out = bytes.data() + at;
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) {
            bytes.truncate(at);
            bytes.append(text.toUtf8());
            return;
        }
        *out++ = static_cast<char>(c.unicode());
    }
}

void appendNativeEscaped(QByteArray& bytes, QStringView text, bool (*plain)(char),
                         QByteArray (*escape)(const QByteArray&)) {
    const qsizetype at = bytes.size();
    appendNative(bytes, text);
    if (!std::all_of(bytes.cbegin() + at, bytes.cend(), plain)) {
        const QByteArray native = bytes.sliced(at);
        bytes.truncate(at);
        bytes.append(escape(native));
    }
}
