#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <iostream>
#include <mutex>
#include <random>

#include "fake_file_system.h"
#include "filesystem/journal_store.h"
#include "list/list_filling.h"
#include "plan/journal.h"
#include "plan/messages.h"
#include "plan/undo.h"
#include "run_support.h"
#include "temp_folder.h"

namespace {

// The newest journal's text.
QByteArray newestJournal(const JournalStore& store) {
    return store.read(store.names().last());
}

// Writes the newest journal anew, as a cut write, a kill or an older program would have left it.
void rewriteNewestJournal(const JournalStore& store, const QByteArray& text) {
    QFile file(store.folder() + u'/' + store.names().last());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

// The newest journal with the fields of every whole record of kind changed by edit.
void editNewestJournal(const JournalStore& store, const QByteArray& kind,
                       const std::function<void(QList<QByteArray>&)>& edit) {
    QList<QByteArray> lines = newestJournal(store).split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {  // the last one is cut or empty
        QList<QByteArray> fields = lines[i].split('\t');
        if (fields.first() == kind) {
            edit(fields);
            lines[i] = fields.join('\t');
        }
    }
    rewriteNewestJournal(store, lines.join('\n'));
}

// Makes the newest run begin before the newcomer was born. The file system's clock may tick
// coarser than the run's: a file made at once may be stamped with the tick the run began in, which
// no birth time tells apart from one made before.
void beganBefore(const JournalStore& store, const TempFolder& folder, const QString& newcomer) {
    const qint64 born = hostFileSystem().statPath(folder.file(newcomer))->identity.bornNs;
    editNewestJournal(store, "run", [born](QList<QByteArray>& run) {
        run[1] = QByteArray::number(std::min(run[1].toLongLong(), born - 1));
    });
}

QByteArray inodeOf(const TempFolder& folder, const QString& name) {
    return QByteArray::number(hostFileSystem().statPath(folder.file(name))->identity.inode);
}

// Renames 1 2 3 4 to [ZAHL] from 2, a chain the run goes along from 4 -> 5 down to 1 -> 2 and the
// undo from 2 -> 1 up; meddles; then takes the run back until there is nothing left to undo.
TEST(Undo, GivesTheFilesOfTheLastRunTheirOldNamesOnlyWhereItProvesThemTheRunsNeverReplacing) {
    const Contents before{{"1", "1"}, {"2", "2"}, {"3", "3"}, {"4", "4"}};
    const Contents renamed{{"2", "1"}, {"3", "2"}, {"4", "3"}, {"5", "4"}};
    using Meddle = std::function<void(const TempFolder&, const JournalStore&)>;
    const Meddle none = [](const TempFolder&, const JournalStore&) {};
    const struct Case {
        const char* refused;  // the renaming of this file is refused, and the run cancelled
        int killedAt;         // the run dies just before this renaming, the first is 1; 0: never
        Contents after;
        QStringList notRestored;                                        // old names, and why
        Meddle meddle = [](const TempFolder&, const JournalStore&) {};  // before the undo
        bool listed = false;      // identities from the folder's listing, birth times from the run
        int undoStoppedAt = 0;    // the first undo stops just before this restoring
        bool undoKilled = false;  // and dies there
    } cases[] = {
        {"", 0, before, {}},
        {"2", 0, before, {}},
        {"", 3, before, {}},
        // 4 moved to another name and another file under its new one, 3 moved out of the folder,
        // the old name of 1 taken, which keeps 1 under the old name of 2.
        {"",
         0,
         {{"1", "neu 1"}, {"2", "1"}, {"3", "2"}, {"4", "4"}, {"5", "neu 5"}, {"sub", "?"}},
         {"3 nicht mehr zu finden", "1 Ziel existiert bereits", "2 Ziel existiert bereits"},
         [](const TempFolder& f, const JournalStore&) {
             QFile::rename(f.file("5"), f.file("weg"));
             f.touch("5", "neu 5");
             QFile::rename(f.file("4"), f.mkdir("sub") + "/3");
             f.touch("1", "neu 1");
         }},
        // Killed before its first renaming, with the clock ahead, since set back; 4 deleted, and a
        // new file given its inode.
        {"",
         1,
         {{"1", "1"}, {"2", "2"}, {"3", "3"}, {"neu", "neu"}},
         {},
         [](const TempFolder& f, const JournalStore& journal) {
             QFile::remove(f.file("4"));
             f.touch("neu");
             editNewestJournal(journal, "run", [](QList<QByteArray>& run) {
                 run[1] = QByteArray::number(run[1].toLongLong() + 3'600'000'000'000);
             });
             editNewestJournal(journal, "plan", [&](QList<QByteArray>& plan) {
                 if (plan[2] == "4") {  // as the listing took it: without a birth time
                     plan[5] = inodeOf(f, "neu");
                     plan[7] = "0";
                 }
             });
         },
         true},
        // The file renamed to 5 deleted after the run, and a new 5 given its inode.
        {"",
         0,
         {{"1", "1"}, {"2", "2"}, {"3", "3"}, {"5", "neu 5"}},
         {"4 die Datei unter dem neuen Namen hat eine andere Entstehungszeit als die umbenannte "
          "(etwa nach dem Kopieren in eine obere Schicht des Dateisystems)"},
         [](const TempFolder& f, const JournalStore& journal) {
             const QByteArray old = inodeOf(f, "5");
             QFile::remove(f.file("5"));
             f.touch("5", "neu 5");
             beganBefore(journal, f, "5");
             editNewestJournal(journal, "plan", [&](QList<QByteArray>& plan) {
                 if (plan[5] == old) {
                     plan[5] = inodeOf(f, "5");
                     plan[7] = "0";
                 }
             });
             editNewestJournal(journal, "done", [](QList<QByteArray>& done) { done.resize(2); });
         },
         true},
        // The file system back under another device number.
        {"",
         0,
         before,
         {},
         [](const TempFolder&, const JournalStore& journal) {
             editNewestJournal(journal, "plan", [](QList<QByteArray>& plan) {
                 plan[4] = QByteArray::number(plan[4].toULongLong() + 1);
             });
         }},
        // A record cut within its birth time: its outcome is not known, the file is there.
        {"",
         0,
         before,
         {},
         [](const TempFolder&, const JournalStore& journal) {
             const QByteArray text = newestJournal(journal);
             rewriteNewestJournal(journal, text.left(text.lastIndexOf("done\t2\t") + 10));
         },
         true},
        // The file renamed to 2 with another birth time, as a layered file system's copy-up has.
        {"",
         0,
         renamed,
         {"1 die Datei unter dem neuen Namen hat eine andere Entstehungszeit als die umbenannte "
          "(etwa nach dem Kopieren in eine obere Schicht des Dateisystems)",
          "2 Ziel existiert bereits", "3 Ziel existiert bereits", "4 Ziel existiert bereits"},
         [](const TempFolder&, const JournalStore& journal) {
             const auto later = [](QByteArray& born) {
                 born = born == "0" ? born : QByteArray::number(born.toLongLong() + 1);
             };
             editNewestJournal(journal, "plan", [&](QList<QByteArray>& plan) {
                 plan[2] == "1" ? later(plan[7]) : void();
             });
             editNewestJournal(journal, "done", [&](QList<QByteArray>& done) {
                 done.size() == 3 && done[1] == "3" ? later(done[2]) : void();
             });
         },
         true},
        // Undos stopped, and killed, after their first restoring: another one finishes.
        {"", 0, before, {}, none, false, 2},
        {"", 0, before, {}, none, true, 3, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        TempFolder folder;
        FakeFileSystem fs;
        RenameSettings settings;
        settings.Maske = "[ZAHL]";
        settings.Start = 2;
        const QByteArrayList paths = folder.touchAll({"1", "2", "3", "4"});
        FileList list;
        FolderIndexCache folders;
        c.listed ? void(fillOnePass(list, paths, EntryDetail::Identity, fs))
                 : void(FillListe(list, paths, FillMode::Drop, fs));
        checkPlan(list, settings, fs, folders);
        fs.refuseRename = [&](const QString& from, const QString&) {
            return QFileInfo(from).fileName() == c.refused;
        };
        Decision decision;
        decision.goOn = [] { return false; };
        QByteArray journalAtKill;  // what a killed run leaves: only what was written out by then
        int killedAt = c.killedAt, step = 0;
        decision.stop = [&] {
            const bool killed = ++step == killedAt;
            journalAtKill = killed ? newestJournal(decision.store) : "";
            return killed;
        };
        renameMarkedEntries(list, fs, decision.store, decision);
        if (c.killedAt > 0) {
            rewriteNewestJournal(decision.store, journalAtKill);
        }
        c.meddle(folder, decision.store);
        fs.refuseRename = nullptr;
        killedAt = c.undoStoppedAt;
        step = 0;
        QStringList notRestored;
        for (const NotRestored& n : undoLastRun(decision.store, fs, decision).notRestored) {
            notRestored << n.entry.from + " " + undoReasonText(n);
        }
        if (c.undoKilled) {
            rewriteNewestJournal(decision.store, journalAtKill);
        }
        killedAt = 0;
        const bool finished =
            c.undoStoppedAt > 0 && !undoLastRun(decision.store, fs, decision).nothingToUndo;
        EXPECT_EQ(folder.contents(), c.after);
        EXPECT_EQ(notRestored, c.notRestored);
        EXPECT_EQ(finished, c.undoStoppedAt > 0);
        EXPECT_TRUE(undoLastRun(decision.store, fs, decision).nothingToUndo);
    }
}

// A run of the marked files of folder to "x" + their names.
RenameRunResult runMarked(const TempFolder& folder, const QStringList& names, FileSystem& fs,
                          Decision& decision, const QString& mask = "x[NAME]") {
    RenameSettings settings;
    settings.Maske = mask;
    FileList list = planned(folder.touchAll(names), settings, fs);
    return renameMarkedEntries(list, fs, decision.store, decision);
}

// After a run of a, a second run that renamed nothing: the undo takes back the first.
TEST(Undo, TakesBackTheNewestRunThatRenamedSomething) {
    const struct Case {
        const char* second;
        std::function<RenameRunResult(const TempFolder&, FileSystem&, Decision&)> run;
        int unchanged = 0;
    } cases[] = {
        {"changes no name",
         [](const TempFolder& f, FileSystem& fs, Decision& d) {
             return runMarked(f, {"b"}, fs, d, "[NAME]");
         },
         1},
        {"journal cannot be written",
         [](const TempFolder& f, FileSystem& fs, Decision& d) {
             d.store.room = 10;
             const RenameRunResult result = runMarked(f, {"b"}, fs, d);
             EXPECT_FALSE(result.journalError.value_or("").isEmpty());
             d.store.room = std::numeric_limits<qsizetype>::max();
             return result;
         }},
        {"killed before its first renaming",
         [](const TempFolder& f, FileSystem& fs, Decision& d) {
             QByteArray atKill;
             d.stop = [&] { return !(atKill = newestJournal(d.store)).isEmpty(); };
             const RenameRunResult result = runMarked(f, {"b"}, fs, d);
             rewriteNewestJournal(d.store, atKill);
             d.stop = [] { return false; };
             return result;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.second);
        TempFolder folder;
        FakeFileSystem fs;
        Decision decision;
        runMarked(folder, {"a"}, fs, decision);
        const RenameRunResult second = c.run(folder, fs, decision);
        EXPECT_EQ(second.renamed, 0);
        EXPECT_EQ(second.unchanged, c.unchanged);
        EXPECT_EQ(undoLastRun(decision.store, fs, decision).restored.size(), 1);
        EXPECT_EQ(folder.contents(), (Contents{{"a", "a"}, {"b", "b"}}));
    }
}

TEST(Undo, WaitsForItsRunAndForAnotherUndoOfIt) {
    TempFolder folder;
    FakeFileSystem fs;
    Decision decision;
    runMarked(folder, {"a"}, fs, decision);
    std::unique_ptr<JournalHold> running = decision.store.hold(decision.store.names().last());
    EXPECT_TRUE(undoLastRun(decision.store, fs, decision).busy);
    running.reset();
    EXPECT_EQ(undoLastRun(decision.store, fs, decision).restored.size(), 1);
    EXPECT_EQ(folder.contents(), (Contents{{"a", "a"}}));
}

// A disk that fills during the run: it stops after the file at hand, and the undo still finds it.
TEST(RenameRun, StopsWhenTheJournalFailsAndRecordsItsEndDurablyOtherwise) {
    for (const bool fills : {false, true}) {
        TempFolder folder;
        FakeFileSystem fs;
        Decision decision;
        decision.stop = [&] {
            decision.store.room = fills ? 0 : decision.store.room;
            return false;
        };
        const RenameRunResult run = runMarked(folder, {"a", "b", "c"}, fs, decision);
        EXPECT_EQ(run.renamed, fills ? 1 : 3);
        EXPECT_EQ(run.journalFailure.has_value(), fills);
        EXPECT_EQ(decision.store.syncs, 2);
        EXPECT_EQ(newestJournal(decision.store).endsWith("\nend\n"), !fills);
        decision.store.room = std::numeric_limits<qsizetype>::max();
        decision.stop = [] { return false; };
        EXPECT_EQ(undoLastRun(decision.store, fs, decision).restored.size(), run.renamed);
        EXPECT_EQ(folder.contents(), (Contents{{"a", "a"}, {"b", "b"}, {"c", "c"}}));
    }
}

// Journals of the version before were named by a clock, which may have been ahead: every numbered
// one follows them, and the keeping of the newest 30 never removes the newest.
TEST(Journal, RunsAreOrderedByTheirCountAndAnOlderVersionsJournalIsStillUndone) {
    TempFolder folder({"neu"});
    Decision decision;
    const FileIdentity file = hostFileSystem().statPath(folder.file("neu"))->identity;
    const QString older = "20991231T235959999-1-000001.journal";
    decision.journals.touch(
        older, "taufix-journal 1\nrun\nplan\t" + QFile::encodeName(folder.path()) + "\talt\tneu\t" +
                   QByteArray::number(file.device) + '\t' + QByteArray::number(file.inode) + '\t' +
                   QByteArray::number(file.type) + "\t0\nbegin\ndone\t0\nend\n");
    FakeFileSystem fs;
    EXPECT_EQ(undoLastRun(decision.store, fs, decision).restored.size(), 1);
    EXPECT_EQ(folder.contents(), (Contents{{"alt", "neu"}}));
    QStringList made{decision.store.names().last()};  // the undo's
    EXPECT_EQ(decision.store.names(), QStringList({older, made.first()}));
    while (made.size() < kKeptJournals) {
        RunJournal empty;
        ASSERT_TRUE(empty.begin(decision.store, {}));
        ASSERT_TRUE(empty.end(decision.store));
        made << decision.store.names().last();
    }
    EXPECT_EQ(decision.store.names(), made);
}

// Every content of the files of the folders, counted.
std::map<QByteArray, int> contentsOf(std::initializer_list<const TempFolder*> folders) {
    std::map<QByteArray, int> counts;
    for (const TempFolder* folder : folders) {
        for (const auto& [name, content] : folder->contents()) {
            ++counts[content];
        }
    }
    return counts;
}

// Random plans, among them shifts, permutations and cycles of up to a thousand files, renamed
// while faults are injected, then taken back: whatever fails, the folders end up holding exactly
// the contents they held (plus what outsiders put there), each in one file, and the undo gives
// every renamed file its old name unless an outsider's file holds it.
// Injected besides faults at each renaming: a full disk, a kill that loses the records not yet
// written, a clock set back since the run began, a newcomer given the inode of a renamed file that
// was deleted, and undos stopped halfway.
TEST(RenameProperty, NoFileIsEverLostOverwrittenOrDuplicatedAndTheUndoRestoresTheNames) {
    // The last two make names over the limit of 255 bytes for some stems.
    const QStringList masks =
        QStringList{"[NAME][TYP]",    "[ZAHL][TYP]", "a[ZAHL]",   "[R1][NAME][TYP]",
                    "bild[ZAHL].jpg", "[1,2][TYP]",  "foto[ZAHL]"}
        << "[NAME]" + QString(250, u'x') << "[NAME]" + QString(124, u'ä');
    const QStringList stems{"foto", "Foto", "bild", "a", "b", "Bericht", "ärger", "x y"};
    const QStringList types{".jpg", ".JPG", ".txt", ""};
    // A hundred plans for the quick run; the slow label runs the whole thousand.
    const int plans = std::max(100, qEnvironmentVariableIntValue("TAUFIX_PROPERTY_PLANS"));
    int faults = 0, renamings = 0, filesLost = 0, restored = 0, notRestored = 0;
    for (int seed = 1; seed <= plans; ++seed) {
        std::mt19937 random(seed);
        std::mutex rolling;  // a second renaming thread rolls too
        const auto roll = [&](int largest) {
            const std::lock_guard lock(rolling);
            return std::uniform_int_distribution<int>(0, largest)(random);
        };
        TempFolder folder, side;
        QByteArrayList paths;  // each file holds its name
        RenameSettings settings;
        // One plan in three renames the files 1 to n, listed in their order or shuffled, by their
        // rows from 1 or 2, chains allowed: shifts, permutations and their cycles. One in ten is
        // large enough to be shared between two threads.
        const bool chained = roll(2) == 0;
        const int count = roll(9) == 0 ? 1 + roll(999) : 1 + roll(9);
        for (int i = 0; i < count; ++i) {
            const QString name =
                chained ? QString::number(i + 1)
                        : stems[roll(7)] + QString::number(i % 3 ? i / 3 : i) + types[roll(3)];
            paths << QFile::encodeName(folder.touch(name));
        }
        if (chained) {
            const bool shuffled = roll(1) == 0;
            if (shuffled) {
                std::shuffle(paths.begin(), paths.end(), random);
            }
            settings.Maske = "[ZAHL]";
            settings.Start = shuffled ? 1 + roll(1) : 2;
            settings.chains = Chains::Allowed;
        } else {
            settings.Maske = masks[roll(8)];
            settings.letterCase = LetterCase(roll(3));
            settings.Start = roll(3);
            settings.Step = roll(2);
        }
        std::map<QByteArray, int> expected = contentsOf({&folder});
        // About one renaming in three meets a fault, fewer in a long plan: the source moved away
        // by someone else (and another file put under its name), a file put under the target
        // name, or access denied.
        FakeFileSystem fs;
        fs.refusesNoReplaceFlag = roll(1) == 0;
        int fault = 0;
        QSet<QString> taken;  // names outsiders took
        fs.beforeRename = [&](const QString& from, const QString& to) {
            fault = roll(count > 10 ? count : 11);
            if (fault == 0 || fault == 3) {
                QFile::rename(from, side.file(QString::number(++faults)));
            }
            QFile intruder(fault == 3 ? from : to);
            if ((fault == 1 || fault == 3) && !intruder.exists() &&
                intruder.open(QIODevice::WriteOnly)) {
                faults += fault == 1;
                intruder.write("intruder");
                ++expected["intruder"];
                taken << intruder.fileName();
            }
        };
        fs.refuseRename = [&](const QString&, const QString&) {
            faults += fault == 2;
            return fault == 2;
        };
        // Identities as the window takes them, or from the listing as the batch program does.
        const bool listed = roll(1) == 0;
        FileList list;
        FolderIndexCache folders;
        listed ? void(fillOnePass(list, paths, EntryDetail::Identity, fs))
               : void(FillListe(list, paths, FillMode::Drop, fs));
        EXPECT_TRUE(checkPlan(list, settings, fs, folders).PlanOK || !chained) << "seed " << seed;
        const bool allMarked = chained && roll(1) == 0;
        for (FileEntry& e : list) {
            e.Selected = allMarked || roll(3) != 0;
        }
        // Runs also the plans the check refused: the run itself must keep every file safe.
        Decision decision;
        decision.goOn = [&] { return roll(count > 10 ? count : 3) != 0; };
        // A run that never asks may share its renamings between two threads.
        decision.cancels = roll(1) == 0;
        fs.secondThread = !decision.cancels;
        const int diskFullAt = roll(5) == 0 ? 1 + roll(9) : 0;
        decision.stop = [&, step = 0]() mutable {
            if (++step == diskFullAt) {
                decision.store.room = 0;
            }
            return roll(30 + count) == 0;  // interrupted now and then
        };
        const RenameRunResult result = renameMarkedEntries(list, fs, decision.store, decision);
        renamings += result.renamed;
        EXPECT_EQ(result.renamed, decision.renamedFiles.size());
        const Contents afterRun = folder.contents();
        for (const RenamedFile& renamed : decision.renamedFiles) {
            EXPECT_EQ(afterRun.at(QFileInfo(renamed.to).fileName()),
                      QFileInfo(renamed.from).fileName().toUtf8())
                << "seed " << seed;
        }
        const bool kept = contentsOf({&folder, &side}) == expected;
        fs.beforeRename = nullptr;
        fs.refuseRename = nullptr;
        decision.store.room = std::numeric_limits<qsizetype>::max();
        const bool journaled = !decision.store.names().isEmpty();
        const QByteArray journal = journaled ? newestJournal(decision.store) : QByteArray();
        // Killed: what came after a random point of the records is lost, a line cut anywhere.
        const bool killed = journaled && roll(3) == 0;
        if (killed) {
            const qsizetype records = journal.indexOf("\nbegin\n") + 7;
            rewriteNewestJournal(decision.store,
                                 journal.left(records + roll(int(journal.size() - records))));
        }
        const bool clockSetBack = journaled && roll(4) == 0;
        if (clockSetBack) {
            editNewestJournal(decision.store, "run", [](QList<QByteArray>& run) {
                run[1] = QByteArray::number(run[1].toLongLong() - 3'600'000'000'000);
            });
        }
        // A renamed file deleted, and a newcomer under its new name given its inode.
        const RenamedFile* reused = nullptr;
        if (!decision.renamedFiles.isEmpty() && roll(4) == 0) {
            reused = &decision.renamedFiles.at(roll(int(decision.renamedFiles.size()) - 1));
            const QByteArray to = QFile::encodeName(QFileInfo(reused->to).fileName());
            if (--expected[QFileInfo(reused->from).fileName().toUtf8()] == 0) {
                expected.erase(QFileInfo(reused->from).fileName().toUtf8());
            }
            QFile::remove(reused->to);
            folder.touch(QFileInfo(reused->to).fileName(), "newcomer");
            beganBefore(decision.store, folder, QFileInfo(reused->to).fileName());
            ++expected["newcomer"];
            taken << reused->to;
            int e = -1, entry = -1;
            editNewestJournal(decision.store, "plan", [&](QList<QByteArray>& plan) {
                ++e;
                if (QByteArray::fromPercentEncoding(plan[3]) == to) {
                    plan[5] = inodeOf(folder, QFileInfo(reused->to).fileName());
                    plan[7] = "0";
                    entry = e;
                }
            });
            editNewestJournal(decision.store, "done", [&](QList<QByteArray>& done) {
                done.resize(done[1].toInt() == entry ? 2 : done.size());
            });
        }
        // A stopped undo is finished by the next.
        Decision undoing;
        undoing.stop = [&, stopAt = roll(2) == 0 ? roll(5) : -1, step = 0]() mutable {
            return step++ == stopAt;
        };
        for (int undo = 0; undo < 2; ++undo) {
            const UndoResult undone = undoLastRun(decision.store, fs, undoing);
            restored += int(undone.restored.size());
            notRestored += int(undone.notRestored.size());
        }
        // Without its birth time, a file whose record was lost is proven the run's only by its
        // birth before the run began: a clock set back since, or a run begun in the tick its
        // files were made in, can leave it under its new name.
        const bool strict = !((clockSetBack || reused) && listed && (killed || diskFullAt > 0));
        // A file kept from its old name keeps its new one taken, which may keep another in turn.
        Contents undone = folder.contents();
        const auto back = [&](const RenamedFile& r) {
            const QByteArray content = QFileInfo(r.from).fileName().toUtf8();
            return !taken.contains(r.from) &&
                   (strict || undone[QFileInfo(r.from).fileName()] == content);
        };
        for (qsizetype before = -1; before != taken.size();) {
            before = taken.size();
            for (const RenamedFile& r : decision.renamedFiles) {
                if (&r != reused && !back(r)) {
                    taken << r.to;
                }
            }
        }
        for (const RenamedFile& r : decision.renamedFiles) {
            EXPECT_EQ(undone[QFileInfo(&r == reused || !back(r) ? r.to : r.from).fileName()],
                      &r == reused ? "newcomer" : QFileInfo(r.from).fileName().toUtf8())
                << "seed " << seed;
        }
        const bool keptByUndo = contentsOf({&folder, &side}) == expected;
        filesLost += !kept + !keptByUndo;
        EXPECT_TRUE(kept && keptByUndo) << "seed " << seed << ": the folder's contents changed";
    }
    std::cout << "Umbenennungs-Eigenschaftstest: " << plans << " Pläne, " << renamings
              << " Umbenennungen, " << faults << " eingespeiste Fehler, " << filesLost
              << " Dateien verloren; Rücknahme: " << restored << " zurückbenannt, " << notRestored
              << " nicht zurückbenannt\n";
}

}  // namespace
