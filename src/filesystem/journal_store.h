#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

// One journal being written, held for its writer alone until it is destroyed: appends are
// buffered; sync() makes everything so far durable.
class JournalWriter {
  public:
    virtual ~JournalWriter() = default;
    virtual const QString& name() const = 0;
    virtual void append(QByteArrayView bytes) = 0;
    // Writes what is buffered, then syncs the file and its folder; false when that fails.
    virtual bool sync() = 0;
    // Whether a write or sync has failed: what is appended after that is lost.
    virtual bool failed() const = 0;
    // Why it failed; empty while it has not.
    virtual QString why() const = 0;
};

// A journal held so that no one else works on its run at the same time.
class JournalHold {
  public:
    virtual ~JournalHold() = default;
};

// The folder of the journals of the renaming runs, one file a run. The runs are numbered in the
// order they began, by a count kept in the journals' names: a clock may be set back.
class JournalStore {
  public:
    // The user's: $XDG_STATE_HOME/taufix, by default ~/.local/state/taufix.
    JournalStore();
    explicit JournalStore(QString folder) : m_folder(std::move(folder)) {}
    virtual ~JournalStore() = default;

    const QString& folder() const { return m_folder; }
    // A new journal that follows every one there is; nothing, with why() telling the reason,
    // when it cannot be created.
    virtual std::unique_ptr<JournalWriter> create();
    QString why() const { return m_why; }
    void setWhy(const QString& why) { m_why = why; }
    // The journals' names, in the order their runs began.
    QStringList names() const;
    QByteArray read(const QString& name) const;
    void remove(const QString& name);
    // Holds the journal against its writer and every other holder; nothing while one of them
    // has it (its run or an undo of it still goes on).
    std::unique_ptr<JournalHold> hold(const QString& name) const;

  private:
    QString m_folder;
    QString m_why;
};
