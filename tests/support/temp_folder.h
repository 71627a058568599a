#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>

// A fresh temporary folder for tests that touch files: "name/" makes a folder, any other entry a
// file that holds its own name unless given a content.
class TempFolder {
  public:
    explicit TempFolder(const QStringList& entries = {}) {
        for (const QString& entry : entries) {
            entry.endsWith(u'/') ? void(mkdir(entry)) : void(touch(entry));
        }
    }

    // Canonical and with its final "/", as list entries hold a folder.
    QString path() const { return QDir(m_dir.path()).canonicalPath() + u'/'; }
    QString file(const QString& name) const { return path() + name; }
    QByteArray native(const QString& name = {}) const { return QFile::encodeName(file(name)); }

    QString touch(const QString& name, const QByteArray& content = QByteArray()) const {
        QFile f(file(name));
        f.open(QIODevice::WriteOnly);
        f.write(content.isNull() ? name.toUtf8() : content);
        return f.fileName();
    }
    QByteArrayList touchAll(const QStringList& names) const {
        QByteArrayList paths;
        for (const QString& name : names) {
            paths << QFile::encodeName(touch(name));
        }
        return paths;
    }
    QString mkdir(const QString& name) const {
        QDir().mkpath(file(name));
        return file(name);
    }

    // Every entry, hidden ones included, with the content of the files ("?" for the others).
    std::map<QString, QByteArray> contents() const {
        std::map<QString, QByteArray> result;
        const QDir dir(path());
        for (const QFileInfo& info : dir.entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                       QDir::System | QDir::NoDotAndDotDot)) {
            QFile f(info.filePath());
            const bool readable = info.isFile() && f.open(QIODevice::ReadOnly);
            result[info.fileName()] = readable ? f.readAll() : QByteArray("?");
        }
        return result;
    }
    QByteArray read(const QString& name) const { return contents()[name]; }

  private:
    QTemporaryDir m_dir;
};

using Contents = std::map<QString, QByteArray>;
