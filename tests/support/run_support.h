#pragma once

#include <QFileInfo>
#include <functional>
#include <limits>
#include <memory>

#include "filesystem/folder_index_cache.h"
#include "filesystem/journal_store.h"
#include "list/list_filling.h"
#include "plan/plan_check.h"
#include "plan/rename_run.h"
#include "plan/undo.h"
#include "temp_folder.h"

// A journal folder on a disk that fills after room bytes of journal, counting the syncs asked.
class FillingJournalStore : public JournalStore {
  public:
    using JournalStore::JournalStore;

    std::unique_ptr<JournalWriter> create() override {
        std::unique_ptr<JournalWriter> writer = JournalStore::create();
        return writer ? std::make_unique<Filling>(std::move(writer), *this) : nullptr;
    }

    qsizetype room = std::numeric_limits<qsizetype>::max();
    int syncs = 0;

  private:
    class Filling : public JournalWriter {
      public:
        Filling(std::unique_ptr<JournalWriter> file, FillingJournalStore& store)
            : m_file(std::move(file)), m_store(store) {}
        const QString& name() const override { return m_file->name(); }
        void append(QByteArrayView bytes) override {
            if (bytes.size() > m_store.room) {
                m_full = true;
            }
            if (!m_full) {
                m_store.room -= bytes.size();
                m_file->append(bytes);
            }
        }
        bool sync() override {
            ++m_store.syncs;
            return m_file->sync() && !m_full;
        }
        bool failed() const override { return m_full || m_file->failed(); }
        QString why() const override {
            return m_full ? QStringLiteral("Kein Platz") : m_file->why();
        }

      private:
        std::unique_ptr<JournalWriter> m_file;
        FillingJournalStore& m_store;
        bool m_full = false;
    };
};

// Answers the question after a failed renaming, notes the entries it was asked about, and keeps
// the journals in a folder of its own.
struct Decision : FailureDecision, UndoListener {
    bool continueAfterFailure(const FileEntry& entry, const RenameResult&) override {
        asked << entry.AlterName().toString();
        return goOn();
    }
    bool stopRequested() override { return stop(); }
    bool mayCancel() const override { return cancels; }
    void renamed(const FileEntry& entry) override {
        renamedFiles << RenamedFile{entry.PfadName(), entry.newPath()};
    }
    std::function<bool()> goOn = [] { return true; }, stop = [] { return false; };
    bool cancels = true;  // otherwise a run may go on beside its failures
    QStringList asked;
    QList<RenamedFile> renamedFiles;  // in the order of the run
    TempFolder journals;
    FillingJournalStore store{journals.path()};
};

// Lists the paths and checks the plan, which writes the new names.
inline FileList planned(const QByteArrayList& paths, const RenameSettings& settings,
                        FileSystem& fs) {
    FileList list;
    FillListe(list, paths, FillMode::Drop, fs);
    FolderIndexCache folders;
    checkPlan(list, settings, fs, folders);
    return list;
}
