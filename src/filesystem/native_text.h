#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

// Appends text in UTF-8, the encoding of names on this system. Plain ASCII, what most names are,
// is copied without a conversion, into the room the bytes already have. The bytes are a
// std::string: appending to it is inline, where a QByteArray's takes a call.
void appendNative(std::string& bytes, QStringView text);

// Sets text to the name bytes spell, in the room text already has where they are plain ASCII;
// whether they are.
bool assignNative(QString& text, QByteArrayView bytes);

// Whether every byte is printable ASCII other than special: what a readable format shows as it is.
bool isPlainAscii(QByteArrayView bytes, char special);

// The native bytes of prefix, then appendNative of text, but written as escape() writes them
// unless isPlainAscii(all of them, special).
void appendNativeEscaped(std::string& bytes, std::string_view prefix, QStringView text,
                         char special, QByteArray (*escape)(const QByteArray&));

// The bytes made of the text last given, made again only for another: a run goes folder by
// folder, and a folder's bytes serve all of its files.
class KeptBytes {
  public:
    template <typename Make>
    const std::string& of(QStringView text, Make make) {
        if (!m_made || text != m_text) {
            m_text = text.toString();
            m_bytes.clear();
            make(m_bytes, text);
            m_made = true;
        }
        return m_bytes;
    }

  private:
    bool m_made = false;
    QString m_text;
    std::string m_bytes;
};
