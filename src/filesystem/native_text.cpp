#include "filesystem/native_text.h"

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
