#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>

// A fresh temporary folder: "name/" makes a folder, any other entry a file holding its own name.
class BatchFolder {
  public:
    explicit BatchFolder(const QStringList& entries = {}) {
        for (const QString& entry : entries) {
            entry.endsWith(u'/') ? void(QDir().mkpath(path(entry))) : write(entry, entry.toUtf8());
        }
    }

    // Canonical, as the program makes paths from its current folder.
    QString path(const QString& name = {}) const {
        return QDir(m_dir.path()).canonicalPath() + u'/' + name;
    }
    void write(const QString& name, const QByteArray& content) const {
        QFile file(path(name));
        file.open(QIODevice::WriteOnly);
        file.write(content);
    }
    // Every file of the folder itself with its content.
    std::map<QString, QByteArray> contents() const {
        std::map<QString, QByteArray> result;
        for (const QFileInfo& info : QDir(path()).entryInfoList(QDir::Files | QDir::Hidden)) {
            QFile file(info.filePath());
            file.open(QIODevice::ReadOnly);
            result[info.fileName()] = file.readAll();
        }
        return result;
    }
    // An output line "old<TAB>new" for two names in this folder, in the file system's bytes.
    QByteArray line(const QString& from, const QString& to) const {
        return QFile::encodeName(path(from)) + '\t' + QFile::encodeName(path(to));
    }

  private:
    QTemporaryDir m_dir;
};

inline QList<QByteArray> outputLines(QByteArray output) {
    if (output.endsWith('\n')) {
        output.chop(1);
    }
    return output.isEmpty() ? QList<QByteArray>() : output.split('\n');
}
