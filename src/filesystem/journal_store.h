#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

// One journal being written: appends are buffered; sync() makes everything so far durable.
class JournalWriter {
  public:
    virtual ~JournalWriter() = default;
    virtual void append(QByteArrayView bytes) = 0;
    // Writes what is buffered, then syncs the file and its folder; false when that fails.
    virtual bool sync() = 0;
};

// The folder of the journals of the renaming runs, one file a run.
class JournalStore {
  public:
    // The user's: $XDG_STATE_HOME/taufix, by default ~/.local/state/taufix.
    JournalStore();
    explicit JournalStore(QString folder) : m_folder(std::move(folder)) {}

    const QString& folder() const { return m_folder; }
    // A new journal; nothing, with why() telling the reason, when it cannot be created.
    std::unique_ptr<JournalWriter> create(const QString& name);
    QString why() const { return m_why; }
    // The journals' names, oldest first (names sort by the time they were made).
    QStringList names() const;
    QByteArray read(const QString& name) const;
    void remove(const QString& name);

  private:
    QString m_folder;
    QString m_why;
};
