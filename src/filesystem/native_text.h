#pragma once

#include <QByteArray>
#include <QStringView>

// Appends text in UTF-8, the encoding of names on this system. Plain ASCII, what most names are,
// is copied without a conversion, into the room the bytes already have.
void appendNative(QByteArray& bytes, QStringView text);
