#pragma once

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

// A real temporary folder for tests that touch files.
class TempFolder {
  public:
    // The folder with its final "/", as list entries hold it.
    QString path() const { return m_dir.path() + u'/'; }
    QString file(const QString& name) const { return path() + name; }

    QString touch(const QString& name, const QByteArray& content = QByteArray()) const {
        const QString full = file(name);
        QDir().mkpath(QFileInfo(full).path());
        QFile f(full);
        f.open(QIODevice::WriteOnly);
        f.write(content.isNull() ? name.toUtf8() : content);
        return full;
    }

    QStringList touchAll(const QStringList& names) const {
        QStringList paths;
        for (const QString& name : names) {
            paths << touch(name);
        }
        return paths;
    }

    QString mkdir(const QString& name) const {
        QDir().mkpath(file(name));
        return file(name);
    }

    // The names in the folder, sorted, hidden ones included.
    QStringList names() const {
        QStringList list =
            QDir(m_dir.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System,
                           QDir::Name);
        return list;
    }

    QByteArray read(const QString& name) const {
        QFile f(file(name));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

  private:
    QTemporaryDir m_dir;
};
