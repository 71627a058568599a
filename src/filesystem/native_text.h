#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <initializer_list>
#include <string>

// Appends text in UTF-8, the encoding of names on this system. Plain ASCII, what most names are,
// is copied without a conversion, into the room the bytes already have. The bytes are a
// std::string: appending to it is inline, where a QByteArray's takes a call.
void appendNative(std::string& bytes, QStringView text);

// Sets text to the name bytes spell, in the room text already has where they are plain ASCII;
// whether they are.
bool assignNative(QString& text, QByteArrayView bytes);

// Whether every byte is printable ASCII other than special: what a readable format shows as it is.
bool isPlainAscii(QByteArrayView bytes, char special);

// appendNative of the texts one after another, but written as escape() writes their bytes
// unless isPlainAscii(their bytes, special).
void appendNativeEscaped(std::string& bytes, std::initializer_list<QStringView> texts, char special,
                         QByteArray (*escape)(const QByteArray&));
