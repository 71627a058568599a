#include "filesystem/native_text.h"

#include <QFile>

// The loops below have no early exit, so that the compiler can take many units at once.

void appendNative(std::string& bytes, QStringView text) {
    const char16_t* in = text.utf16();
    const qsizetype size = text.size();
    char16_t units = 0;
    for (qsizetype i = 0; i < size; ++i) {
        units |= in[i];
    }
    if (units >= 0x80) {
        const QByteArray utf8 = text.toUtf8();
        bytes.append(utf8.constData(), static_cast<size_t>(utf8.size()));
        return;
    }
    const size_t at = bytes.size();
    bytes.resize(at + static_cast<size_t>(size));
    char* out = bytes.data() + at;
    for (qsizetype i = 0; i < size; ++i) {
        out[i] = static_cast<char>(in[i]);
    }
}

bool assignNative(QString& text, QByteArrayView bytes) {
    const char* in = bytes.data();
    const qsizetype size = bytes.size();
    unsigned char units = 0;
    for (qsizetype i = 0; i < size; ++i) {
        units |= static_cast<unsigned char>(in[i]);
    }
    if (units >= 0x80) {
        text = QFile::decodeName(bytes.toByteArray());
        return false;
    }
    if (text.capacity() < size) {
        text = QString(size, Qt::Uninitialized);  // at its size: a list may keep it
    }
    text.resize(size);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < size; ++i) {
        out[i] = static_cast<char16_t>(in[i]);
    }
    return true;
}

bool isPlainAscii(QByteArrayView bytes, char special) {
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    unsigned char other = 0;
    for (qsizetype i = 0; i < size; ++i) {
        other |= static_cast<unsigned char>(in[i] < ' ') | static_cast<unsigned char>(in[i] > '~') |
                 static_cast<unsigned char>(in[i] == static_cast<unsigned char>(special));
    }
    return other == 0;
}

void appendNativeEscaped(std::string& bytes, std::string_view prefix, QStringView text,
                         char special, QByteArray (*escape)(const QByteArray&)) {
    const size_t at = bytes.size();
    bytes.append(prefix);
    appendNative(bytes, text);
    const QByteArrayView added(bytes.data() + at, static_cast<qsizetype>(bytes.size() - at));
    if (!isPlainAscii(added, special)) {
        const QByteArray escaped = escape(added.toByteArray());
        bytes.resize(at);
        bytes.append(escaped.constData(), static_cast<size_t>(escaped.size()));
    }
}
