#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <malloc.h>
#include <stdio.h>
#include <unistd.h>
#include <cstdio>
#include <map>
#include <memory>

#include "bench_folder.h"
#include "engine/new_names.h"
#include "filesystem/folder_index_cache.h"
#include "filesystem/journal_store.h"
#include "filesystem/linux_file_system.h"
#include "list/list_filling.h"
#include "list/list_selection.h"
#include "plan/plan_check.h"
#include "plan/rename_run.h"
#include "resident_memory.h"

namespace {

const BenchFolder& folderOf(int count) {
    static std::map<int, std::unique_ptr<BenchFolder>> folders;
    auto& folder = folders[count];
    if (!folder) {
        folder = std::make_unique<BenchFolder>(count);
    }
    return *folder;
}

// The whole check as a keystroke in the mask triggers it: compile, names, name checks with the
// folder index, every entry marked.
void BM_PlanCheck(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    FileList list;
    FillListe(list, folderOf(count).paths(), FillMode::Drop, hostFileSystem());
    RenameSettings settings;
    settings.Maske = QStringLiteral("Foto_[ZAHL]_[NAME][TYP]");
    FolderIndexCache folders;
    PlanVerdict verdict;
    for (auto _ : state) {
        verdict = checkPlan(list, settings, hostFileSystem(), folders);
    }
    if (!verdict.PlanOK) {
        state.SkipWithError("plan refused");
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_PlanCheck)->Arg(1000)->Arg(32767)->Arg(100000)->Unit(benchmark::kMillisecond);

// A mask that gives every entry the same name: each row is found and kept with its partner.
void BM_PlanCheckEveryRowInTrouble(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    FileList list;
    FillListe(list, folderOf(count).paths(), FillMode::Drop, hostFileSystem());
    RenameSettings settings;
    settings.Maske = QStringLiteral("Foto[TYP]");
    FolderIndexCache folders;
    PlanVerdict verdict;
    for (auto _ : state) {
        verdict = checkPlan(list, settings, hostFileSystem(), folders);
    }
    if (static_cast<int>(verdict.names.rows.size()) != count) {
        state.SkipWithError("rows in trouble missed");
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_PlanCheckEveryRowInTrouble)->Arg(100000)->Unit(benchmark::kMillisecond);

// The parts of one check, to see where its time goes.
void BM_NewNames(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    FileList list;
    FillListe(list, folderOf(count).paths(), FillMode::Drop, hostFileSystem());
    RenameSettings settings;
    settings.Maske = QStringLiteral("Foto_[ZAHL]_[NAME][TYP]");
    const MaskCompilation mask = TranslateMaske(settings.Maske);
    for (auto _ : state) {
        benchmark::DoNotOptimize(FillNewNameColumn(list, mask, settings));
    }
}
BENCHMARK(BM_NewNames)->Arg(32767)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReadFolder(benchmark::State& state) {
    const BenchFolder& folder = folderOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(hostFileSystem().readFolder(folder.path()).index.size());
    }
}
BENCHMARK(BM_ReadFolder)->Arg(32767)->Unit(benchmark::kMillisecond);

void BM_NameChecks(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    FileList list;
    FillListe(list, folderOf(count).paths(), FillMode::Drop, hostFileSystem());
    RenameSettings settings;
    settings.Maske = QStringLiteral("Foto_[ZAHL]_[NAME][TYP]");
    FolderIndexCache cache;
    checkPlan(list, settings, hostFileSystem(), cache);
    for (auto _ : state) {
        benchmark::DoNotOptimize(checkNames(list, hostFileSystem(), cache).allPassed());
    }
}
BENCHMARK(BM_NameChecks)->Arg(32767)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Fill(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const QByteArrayList& paths = folderOf(count).paths();
    for (auto _ : state) {
        FileList list;
        FillListe(list, paths, FillMode::Drop, hostFileSystem());
        benchmark::DoNotOptimize(list.count());
    }
}
BENCHMARK(BM_Fill)->Arg(32767)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

FileList filledList(int count) {
    FileList list;
    FillListe(list, folderOf(count).paths(), FillMode::Drop, hostFileSystem());
    return list;
}

void BM_MoveMarkedBlock(benchmark::State& state) {
    FileList list = filledList(100000);
    ListeSelect(list, SelectMode::UnmarkAll);
    for (int p = 45001; p <= 55000; ++p) {
        list.at(p).Selected = true;
    }
    bool up = true;
    for (auto _ : state) {
        EintragVerschieben(list, up);
        up = !up;
    }
}
BENCHMARK(BM_MoveMarkedBlock)->Unit(benchmark::kMillisecond);

void BM_SortByHeader(benchmark::State& state) {
    FileList list = filledList(100000);
    const int header = static_cast<int>(state.range(0));
    int order = 0;
    for (auto _ : state) {
        list.setSorted(false);
        list.setSortKey(sortKeyForHeader(header));
        list.setSortOrder(order ^= 1);
        list.setSorted(true);
    }
}
BENCHMARK(BM_SortByHeader)->DenseRange(1, 6)->Unit(benchmark::kMillisecond);

// Never fails: the run of the benchmark wants the plain time of each renaming.
class GoOn : public FailureDecision {
  public:
    bool continueAfterFailure(const FileEntry&, const RenameResult&) override { return true; }
};

void BM_RenameRun(benchmark::State& state) {
    const BenchFolder folder(10000);
    const QTemporaryDir journalFolder;
    bool forth = true;
    for (auto _ : state) {
        state.PauseTiming();
        QByteArrayList paths;
        const QByteArray prefix = QFile::encodeName(folder.path());
        for (const QByteArray& path : folder.paths()) {
            paths << (forth ? path : prefix + "neu_" + path.mid(prefix.size()));
        }
        FileList list;
        FillListe(list, paths, FillMode::Drop, hostFileSystem());
        RenameSettings settings;
        settings.Maske = forth ? QStringLiteral("neu_[NAME][TYP]") : QStringLiteral("[5-][TYP]");
        FolderIndexCache folders;
        checkPlan(list, settings, hostFileSystem(), folders);
        GoOn decision;
        JournalStore journal(journalFolder.path());
        state.ResumeTiming();
        const RenameRunResult result =
            renameMarkedEntries(list, hostFileSystem(), journal, decision);
        if (result.renamed != 10000) {
            state.SkipWithError("renamings failed");
        }
        forth = !forth;
    }
}
BENCHMARK(BM_RenameRun)->Unit(benchmark::kMillisecond)->Iterations(4);

// The floor for the run: the same renamings as a plain loop, without any plan.
void BM_RenameFloor(benchmark::State& state) {
    const BenchFolder folder(10000);
    std::vector<QByteArray> plain;
    std::vector<QByteArray> renamed;
    const QByteArray prefix = QFile::encodeName(folder.path());
    for (const QByteArray& path : folder.paths()) {
        plain.push_back(path);
        renamed.push_back(prefix + "neu_" + path.mid(prefix.size()));
    }
    bool forth = true;
    for (auto _ : state) {
        for (size_t i = plain.size(); i-- > 0;) {
            const QByteArray& from = forth ? plain[i] : renamed[i];
            const QByteArray& to = forth ? renamed[i] : plain[i];
            if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(),
                            RENAME_NOREPLACE) != 0) {
                state.SkipWithError("rename failed");
            }
        }
        forth = !forth;
    }
}
BENCHMARK(BM_RenameFloor)->Unit(benchmark::kMillisecond)->Iterations(4);

// Resident memory that 100,000 checked entries add, per entry.
void BM_MemoryPerEntry(benchmark::State& state) {
    const QByteArrayList& paths = folderOf(100000).paths();
    for (auto _ : state) {
        ::malloc_trim(0);
        const long before = residentBytes();
        FileList list;
        FillListe(list, paths, FillMode::Drop, hostFileSystem());
        RenameSettings settings;
        settings.Maske = QStringLiteral("Foto_[ZAHL]_[NAME][TYP]");
        FolderIndexCache folders;
        checkPlan(list, settings, hostFileSystem(), folders);
        ::malloc_trim(0);
        state.counters["bytes_per_entry"] =
            static_cast<double>(residentBytes() - before) / list.count();
    }
}
BENCHMARK(BM_MemoryPerEntry)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
