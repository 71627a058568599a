#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "filesystem/folder_index_cache.h"
#include "filesystem/linux_file_system.h"
#include "list/list_filling.h"
#include "media_samples.h"
#include "plan/plan_check.h"

namespace {

constexpr int kFiles = 10000;

// A folder of photos with EXIF, each taken a minute after the last, or of songs with tags, each
// with a title of its own; made once by the libraries that read them.
class MediaFolder {
  public:
    explicit MediaFolder(bool photos) {
        m_paths.reserve(kFiles);
        for (int i = 0; i < kFiles; ++i) {
            const QString path = m_dir.filePath(QStringLiteral("f%1.%2").arg(i).arg(
                photos ? QStringLiteral("jpg") : QStringLiteral("mp3")));
            if (photos) {
                const std::string taken = QStringLiteral("2026:07:%1 %2:%3:00")
                                              .arg(1 + i / 1440, 2, 10, QChar(u'0'))
                                              .arg(i / 60 % 24, 2, 10, QChar(u'0'))
                                              .arg(i % 60, 2, 10, QChar(u'0'))
                                              .toStdString();
                writeJpeg(path, {taken.c_str(), "X-T30"});
            } else {
                const std::string title = QStringLiteral("Lied %1").arg(i).toStdString();
                writeMp3(path, {"Band", title.c_str(), "Platte", unsigned(i % 99 + 1), 2024});
            }
            m_paths << QFile::encodeName(path);
        }
    }
    const QByteArrayList& paths() const { return m_paths; }

  private:
    QTemporaryDir m_dir;
    QByteArrayList m_paths;
};

// From the fill to the checked plan, the values read anew for a new list each time; the files
// stay in the page cache after the first round.
void checkFromFill(benchmark::State& state, const MediaFolder& folder, const char* mask) {
    RenameSettings settings;
    settings.Maske = QString::fromUtf8(mask);
    PlanVerdict verdict;
    for (auto _ : state) {
        FileList list;
        FillListe(list, folder.paths(), FillMode::Drop, hostFileSystem());
        FolderIndexCache folders;
        verdict = checkPlan(list, settings, hostFileSystem(), folders);
    }
    if (!verdict.PlanOK) {
        state.SkipWithError("plan refused");
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

void BM_PhotosByDateTaken(benchmark::State& state) {
    static const MediaFolder photos(true);
    checkFromFill(state, photos, "[FOTOJAHR]-[FOTOMONAT]-[FOTOTAG] [FOTOZEIT] [KAMERA][TYP]");
}
BENCHMARK(BM_PhotosByDateTaken)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SongsByTags(benchmark::State& state) {
    static const MediaFolder songs(false);
    checkFromFill(state, songs, "[INTERPRET] - [TITELNR] [TITEL] ([ALBUM], [ALBUMJAHR])[TYP]");
}
BENCHMARK(BM_SongsByTags)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
