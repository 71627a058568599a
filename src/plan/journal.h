#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "filesystem/file_system.h"
#include "filesystem/journal_store.h"
#include "filesystem/native_text.h"

// One renaming of a plan, as the journal keeps it.
struct JournalEntry {
    QString folder;
    QString from;
    QString to;
    FileIdentity identity;

    bool operator==(const JournalEntry&) const = default;
};

// How many runs the journal keeps.
inline constexpr int kKeptJournals = 30;

// Where the steps of a run happen and are recorded.
class StepRecords {
  public:
    virtual ~StepRecords() = default;
    // Carries out the renaming of entry e of the plan.
    virtual RenameResult rename(FileSystem& fileSystem, int e, QStringView folder, QStringView from,
                                QStringView to, const FileIdentity& identity) = 0;
    RenameResult rename(FileSystem& fileSystem, int e, const JournalEntry& entry) {
        return rename(fileSystem, e, entry.folder, entry.from, entry.to, entry.identity);
    }
    // Sets the file of entry e aside under a free temporary name of its folder, which is durable in
    // the journal before the file takes it; the result's temporaryName is that name.
    virtual RenameResult setAside(FileSystem& fileSystem, int e, const JournalEntry& entry) = 0;
    // Whether a record could not be written: a run stops at once then, as the records it goes on
    // making would be lost.
    virtual bool failed() const = 0;
};

// The journal of one run, written ahead: the whole plan is durable before the first renaming;
// what happens after is appended as it happens and made durable once at the end. The journal is
// held against undos until it is destroyed. Another thread may set files aside while this one
// renames and records.
class RunJournal : public StepRecords {
  public:
    RunJournal();
    ~RunJournal() override;

    // Starts the journal of a run, or of an undo of the journal undone; false when it cannot be
    // created, and then nothing may be renamed.
    bool open(JournalStore& store, const QString& undone = {});
    // Adds a renaming to the plan, in the order of the run.
    void plan(QStringView folder, QStringView from, QStringView to, const FileIdentity& identity);
    // Makes the plan durable; false, with the store's why() telling the reason, when that fails,
    // and then nothing may be renamed.
    bool commitPlan(JournalStore& store);
    // open, plan and commitPlan for a whole plan at once.
    bool begin(JournalStore& store, const QList<JournalEntry>& plan, const QString& undone = {});
    // Removes the journal of a plan that is not carried out after all.
    void discard(JournalStore& store);

    // Carries out the renaming of entry e of the plan and records what became of it.
    using StepRecords::rename;
    RenameResult rename(FileSystem& fileSystem, int e, QStringView folder, QStringView from,
                        QStringView to, const FileIdentity& identity) override;
    // Records what became of the renaming of entry e, planned for the file of identity, made
    // elsewhere.
    void record(int e, const RenameResult& result, const FileIdentity& identity);
    RenameResult setAside(FileSystem& fileSystem, int e, const JournalEntry& entry) override;
    bool failed() const override;
    // Why the journal failed.
    QString failure() const;
    // Records that the run ends before its plan did: stopped, or cancelled.
    void stopped();
    // Records the end and makes the journal durable; false when that fails (see failure()). Only
    // the newest journals are kept from then on.
    bool end(JournalStore& store);

  private:
    // The temporary name of entry e, durable before any file takes it.
    bool recordAside(int e, const QString& name);

    std::unique_ptr<JournalWriter> m_writer;
    mutable std::mutex m_writing;  // of the writer and the line
    std::string m_line;            // the line being written, its memory kept from one to the next
    KeptBytes m_folderField;
};

// A journal as read back.
struct JournalRun {
    QString name;
    QString undone;      // for the journal of an undo: the journal it took back
    QString program;     // the program that ran it; empty in journals of older versions
    qint64 beganNs = 0;  // when, by the file system's clock; 0 in journals of older versions
    QList<JournalEntry> plan;
    bool committed = false;  // the plan was durable before the first renaming
    QSet<int> renamed;
    QHash<int, QString> temporary;
    int lastRecorded = -1;  // the last entry whose outcome stands; every one before it has one
    bool stopped = false;   // before the end of its plan
    bool ended = false;

    // Whether the outcome of entry e is known: the outcome of an entry after the last recorded
    // one of a journal that was not ended may have been lost with the run.
    bool outcomeKnown(int e) const { return ended || e <= lastRecorded; }
};

std::optional<JournalRun> readJournal(const JournalStore& store, const QString& name);
