#pragma once

#include <QByteArray>
#include <QStringView>

// Appends text in UTF-8, the encoding of names on this system. Plain ASCII, what most names are,
// is copied without a conversion, into the room the bytes already have.
void appendNative(QByteArray& bytes, QStringView text);

// appendNative, but written as escape() writes the bytes unless every one of them is plain.
void appendNativeEscaped(QByteArray& bytes, QStringView text, bool (*plain)(char),
                         QByteArray (*escape)(const QByteArray&));
