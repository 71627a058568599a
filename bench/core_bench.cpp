#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "bench_folder.h"
#include "engine/new_names.h"
#include "list/list_selection.h"
#include "plan/linux_file_system.h"
#include "plan/rename_plan.h"

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
    RenamePlan plan(hostFileSystem(), nullptr);
    plan.setMaske(QStringLiteral("Foto_[ZAHL]_[NAME][TYP]"));
    plan.fill(folderOf(count).paths(), FillMode::Drop);
    for (auto _ : state) {
        plan.ChkSituation();
    }
    if (!plan.verdict().PlanOK) {
        state.SkipWithError("plan refused");
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_PlanCheck)->Arg(1000)->Arg(32767)->Arg(100000)->Unit(benchmark::kMillisecond);

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
BENCHMARK(BM_NewNames)->Arg(32767)->Unit(benchmark::kMillisecond);

void BM_ReadFolder(benchmark::State& state) {
    const BenchFolder& folder = folderOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(hostFileSystem().readFolder(folder.path()).size());
    }
}
BENCHMARK(BM_ReadFolder)->Arg(32767)->Unit(benchmark::kMillisecond);

void BM_NameChecks(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    RenamePlan plan(hostFileSystem(), nullptr);
    plan.setMaske(QStringLiteral("Foto_[ZAHL]_[NAME][TYP]"));
    plan.fill(folderOf(count).paths(), FillMode::Drop);
    FolderIndexCache cache;
    for (auto _ : state) {
        benchmark::DoNotOptimize(checkNames(plan.list(), hostFileSystem(), cache).allPassed());
    }
}
BENCHMARK(BM_NameChecks)->Arg(32767)->Unit(benchmark::kMillisecond);

void BM_Fill(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const QStringList& paths = folderOf(count).paths();
    for (auto _ : state) {
        FileList list;
        FillListe(list, paths, FillMode::Drop, hostFileSystem());
        benchmark::DoNotOptimize(list.count());
    }
}
BENCHMARK(BM_Fill)->Arg(32767)->Arg(100000)->Unit(benchmark::kMillisecond);

FileList filledList(int count) {
    FileList list;
    FillListe(list, folderOf(count).paths(), FillMode::Drop, hostFileSystem());
    return list;
}

void BM_MoveMarkedBlock(benchmark::State& state) {
    FileList list = filledList(100000);
    ListeSelect(list, UnmarkAll);
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

}  // namespace

BENCHMARK_MAIN();
