#include "app/batch/batch_output.h"

#include <QFile>
#include <QIODevice>
#include <cerrno>

#include "filesystem/native_text.h"
#include "plan/messages.h"

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

QString readablePath(const QString& path) {
    return QString::fromUtf8(readablePath(QFile::encodeName(path)));
}

bool writeOut(QIODevice& out, QByteArrayView bytes, int& error) {
    if (error != 0) {
        return false;
    }
    auto* file = qobject_cast<QFileDevice*>(&out);
    errno = 0;
    if (out.write(bytes.data(), bytes.size()) == bytes.size() &&
        (file == nullptr || file->flush())) {
        return true;
    }
    // Read before anything else can change it; a device that is no file sets none.
    error = errno != 0 ? errno : EIO;
    return false;
}

BatchOutput::BatchOutput(QIODevice& out, QIODevice& err, int& outError, bool nulSeparated,
                         bool lineByLine)
    : m_out(out),
      m_err(err),
      m_outError(outError),
      m_nulSeparated(nulSeparated),
      m_lineByLine(lineByLine) {}

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
    flushWhenDue();
}

void BatchOutput::outLine(QByteArrayView text) {
    m_renamings.append(text.data(), static_cast<size_t>(text.size()));
    m_renamings += '\n';
    flushWhenDue();
}

void BatchOutput::flushWhenDue() {
    if (m_lineByLine || m_renamings.size() >= kBlockBytes) {
        flushRenamings();
    }
}

void BatchOutput::flushRenamings() {
    if (!m_renamings.empty()) {
        writeOut(m_out, {m_renamings.data(), static_cast<qsizetype>(m_renamings.size())},
                 m_outError);
        m_renamings.clear();
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
    message(prefix + failedRenamingText(readablePath(from), readablePath(to), reason));
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
