#pragma once

#include <QByteArray>
#include <QString>
#include <string>

#include "filesystem/native_text.h"

class QIODevice;

// A path for a person to read: control characters, backslashes and bytes that are no valid
// UTF-8 are written as escapes ("\n", "\t", "\\", "\xff"), so that every path stays on its line
// and a tab still separates the old path from the new one.
QByteArray readablePath(const QByteArray& native);
// The readable path of a path as text; valid UTF-8 always, so that nothing is lost on the way.
QString readablePath(const QString& path);

// Writes bytes to out and through a file's buffer to the system, so that a failure shows here:
// false, with the system's error number in error, when not all went out. Once error is set,
// writes nothing.
bool writeOut(QIODevice& out, QByteArrayView bytes, int& error);

// Where the program writes: renamings to standard output, as "old<TAB>new" lines or, for
// machines, as NUL-terminated pairs; messages to standard error, one a line.
class BatchOutput {
  public:
    // lineByLine: every line is written at once, as on a terminal; otherwise in blocks. outError
    // as for writeOut.
    BatchOutput(QIODevice& out, QIODevice& err, int& outError, bool nulSeparated, bool lineByLine);
    // Writes the renamings not written yet.
    ~BatchOutput();

    // folder + from renamed to folder + to.
    void renaming(QStringView folder, QStringView from, QStringView to);
    // A line of text on standard output, written as the renamings are.
    void outLine(QByteArrayView text);
    // A write to standard output failed: what comes after is lost.
    bool outFailed() const { return m_outError != 0; }
    void message(const QString& text);
    // prefix, the readable path and suffix as one message.
    void messageAbout(const QString& prefix, const QByteArray& nativePath,
                      const QString& suffix = {});
    // "prefix FROM --> TO (reason)".
    void failure(const QString& prefix, const QString& from, const QString& to,
                 const QString& reason);

  private:
    void line(QIODevice& device, QByteArrayView bytes, char end = '\n');
    void flushRenamings();
    void flushWhenDue();

    QIODevice& m_out;
    QIODevice& m_err;
    int& m_outError;
    bool m_nulSeparated;
    bool m_lineByLine;
    std::string m_renamings;  // the renamings not written yet
    KeptBytes m_folder;
};
