#include "app/batch/batch_output.h"

#include <QFile>
#include <QIODevice>

#include "filesystem/native_text.h"

namespace {

// Bytes a readable path shows as they are: printable ASCII but the escape character.
constexpr char kEscape = '\\';

// Renamings go out in blocks of this size: a write per line would cost more than making it.
constexpr size_t kBlockBytes = 64 * 1024;

bool isValidUtf8(const QByteArray& bytes) {
    return QFile::encodeName(QString::fromUtf8(bytes)) == bytes;
}

}  // namespace

QByteArray readablePath(const QByteArray& native) {
    if (isPlainAscii(native, kEscape)) {
        return native;
    }
    const bool escapeHighBytes = !isValidUtf8(native);
    QByteArray text;
    text.reserve(native.size());
    for (const char c : native) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            text += "\\n";
        } else if (c == '\t') {
            text += "\\t";
        } else if (c == '\\') {
            text += "\\\\";
        } else if (byte < 0x20 || byte == 0x7f || (byte >= 0x80 && escapeHighBytes)) {
            text += "\\x" + QByteArray::number(byte, 16).rightJustified(2, '0');
        } else {
            text += c;
        }
    }
    return text;
}

BatchOutput::BatchOutput(QIODevice& out, QIODevice& err, bool nulSeparated, bool lineByLine)
    : m_out(out), m_err(err), m_nulSeparated(nulSeparated), m_lineByLine(lineByLine) {}

BatchOutput::~BatchOutput() {
    flushRenamings();
}

void BatchOutput::renaming(QStringView folder, QStringView from, QStringView to) {
    const std::string& nativeFolder = m_folder.of(
        folder, [](std::string& bytes, QStringView text) { appendNative(bytes, text); });
    if (m_nulSeparated) {
        m_renamings += nativeFolder;
        appendNative(m_renamings, from);
        m_renamings += '\0';
        m_renamings += nativeFolder;
        appendNative(m_renamings, to);
        m_renamings += '\0';
    } else {
        appendNativeEscaped(m_renamings, nativeFolder, from, kEscape, readablePath);
        m_renamings += '\t';
        appendNativeEscaped(m_renamings, nativeFolder, to, kEscape, readablePath);
        m_renamings += '\n';
    }
    if (m_lineByLine || m_renamings.size() >= kBlockBytes) {
        flushRenamings();
    }
}

void BatchOutput::flushRenamings() {
    if (m_renamings.empty()) {
        return;
    }
    m_out.write(m_renamings.data(), static_cast<qint64>(m_renamings.size()));
    m_renamings.clear();
    if (m_lineByLine) {
        if (auto* file = qobject_cast<QFile*>(&m_out)) {
            file->flush();
        }
    }
}

void BatchOutput::message(const QString& text) {
    line(m_err, text.toUtf8());
}

void BatchOutput::messageAbout(const QString& prefix, const QByteArray& nativePath,
                               const QString& suffix) {
    line(m_err, prefix.toUtf8() + readablePath(nativePath) + suffix.toUtf8());
}

void BatchOutput::failure(const QString& prefix, const QString& from, const QString& to,
                          const QString& reason) {
    line(m_err, prefix.toUtf8() + readablePath(QFile::encodeName(from)) + " --> " +
                    readablePath(QFile::encodeName(to)) + " (" + reason.toUtf8() + ')');
}

void BatchOutput::line(QIODevice& device, QByteArrayView bytes, char end) {
    device.write(bytes.data(), bytes.size());
    device.write(&end, 1);
    if (m_lineByLine) {
        if (auto* file = qobject_cast<QFile*>(&device)) {
            file->flush();
        }
    }
}
