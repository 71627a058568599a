// The window as a user drives it, offscreen: a start with many files on the command line, a drop
// of many files, keystrokes in the mask, header clicks, and the memory the entries hold.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <cstdio>
#include <functional>

#include <unistd.h>

#include "bench_folder.h"
#include "fake_delay_timer.h"
#include "filesystem/journal_store.h"
#include "filesystem/linux_file_system.h"
#include "resident_memory.h"
#include "ui/delay_timer.h"
#include "ui/main_window.h"
#include "ui/settings_store.h"
#include "ui/shell.h"
#include "window_driving.h"

namespace {

class NoShell : public Shell {
  public:
    void open(const QString&) override {}
};

// Runs the event loop until done() holds; false after a minute without. It sleeps between
// events: spinning would take a core from the work it waits for.
bool processEventsUntil(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    QTimer wakeUp;
    wakeUp.start(50);
    while (!done()) {
        if (clock.elapsed() > 60000) {
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    // The paint the last change asked for.
    QApplication::processEvents();
    return true;
}

QString allMarked(int count) {
    return QStringLiteral("%1 von %1 Dateien markiert").arg(count);
}

struct Window {
    explicit Window(const QByteArrayList& arguments = {})
        : store(settingsDir.filePath(QStringLiteral("Veskandor.conf"))),
          delay(new FakeDelayTimer),
          journal(settingsDir.filePath(QStringLiteral("journal"))),
          form(store, shell, hostFileSystem(), journal, arguments,
               std::unique_ptr<DelayTimer>(delay)) {
        form.show();
        QApplication::processEvents();
    }
    // Panel 1 of the status bar, e.g. "32767 von 32767 Dateien markiert".
    QString markedText() const {
        return form.findChild<QLabel*>(QStringLiteral("StatusPanel1"))->text();
    }
    // Whether the check of the current state has passed; large lists are checked off the window
    // thread.
    bool renameReady() const {
        return form.findChild<QPushButton*>(QStringLiteral("Btn8"))->isEnabled();
    }
    // Until count entries are in the list, all marked and checked.
    bool waitForList(int count) {
        return processEventsUntil([this, count] { return markedText() == allMarked(count); });
    }
    void drop(const QByteArrayList& paths) {
        QMimeData data;
        QList<QUrl> urls;
        urls.reserve(paths.size());
        for (const QByteArray& path : paths) {
            urls << QUrl::fromLocalFile(QFile::decodeName(path));
        }
        data.setUrls(urls);
        QWidget* viewport = form.findChild<QTableView*>(QStringLiteral("Liste"))->viewport();
        dropOnto(viewport, &data);
    }

    QTemporaryDir settingsDir;
    SettingsStore store;
    NoShell shell;
    FakeDelayTimer* delay;  // owned by the window; ends only when the benchmark fires it
    JournalStore journal;
    Form1 form;
};

const BenchFolder& folder32767() {
    static const BenchFolder folder(32767);
    return folder;
}

// As a camera names its pictures, in the order a shell's glob gives them.
const BenchFolder& folder100k() {
    static const BenchFolder folder(100000, "/IMG_%1.jpg", 6);
    return folder;
}

const BenchFolder& folderOf(int64_t count) {
    return count == 100000 ? folder100k() : folder32767();
}

// From the drop to the filled, sorted and checked list on the screen.
void BM_WindowDrop(benchmark::State& state) {
    const QByteArrayList& paths = folder32767().paths();
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<Window>();
        QApplication::processEvents();
        state.ResumeTiming();
        window->drop(paths);
        window->waitForList(32767);
        state.PauseTiming();
        if (window->markedText() != allMarked(32767)) {
            state.SkipWithError(("the drop gave: " + window->markedText()).toUtf8().constData());
            break;
        }
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WindowDrop)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// From the start with the paths on the command line to the filled, sorted and checked list on
// the screen; longest_stall_ms is the longest the event loop stood still meanwhile.
void BM_WindowCommandLine(benchmark::State& state) {
    const QByteArrayList& paths = folder100k().paths();
    double longestStall = 0;
    for (auto _ : state) {
        StallWatch stalls;
        auto window = std::make_unique<Window>(paths);
        const bool filled = window->waitForList(100000);
        longestStall = std::max(longestStall, stalls.longestMs());
        state.PauseTiming();
        if (!filled) {
            state.SkipWithError(("the start gave: " + window->markedText()).toUtf8().constData());
            break;
        }
        window.reset();
        state.ResumeTiming();
    }
    state.counters["longest_stall_ms"] = longestStall;
}
BENCHMARK(BM_WindowCommandLine)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// One keystroke in the mask over 32,767 entries: only the delay is armed.
void BM_WindowKeystroke(benchmark::State& state) {
    Window window;
    window.drop(folder32767().paths());
    window.waitForList(32767);
    auto* maske = window.form.findChild<QLineEdit*>(QStringLiteral("Maske"));
    maske->setFocus();
    for (auto _ : state) {
        QTest::keyClick(maske, Qt::Key_X);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_WindowKeystroke)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The delayed check that follows the keystrokes, with the list shown.
void BM_WindowDelayedCheck(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    Window window;
    window.drop(folderOf(count).paths());
    window.waitForList(count);
    auto* maske = window.form.findChild<QLineEdit*>(QStringLiteral("Maske"));
    bool first = true;
    for (auto _ : state) {
        maske->setText(first ? QStringLiteral("x[NAME][TYP]") : QStringLiteral("y[NAME][TYP]"));
        first = !first;
        window.delay->fire();
        processEventsUntil([&window] { return window.renameReady(); });
    }
    if (window.markedText() != allMarked(count)) {
        state.SkipWithError("the drop did not fill the list");
    }
}
BENCHMARK(BM_WindowDelayedCheck)
    ->Arg(32767)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A click on the header of the name column over 100,000 entries, which reverses the order each
// time, up to the repainted, checked list.
void BM_WindowHeaderClick(benchmark::State& state) {
    Window window;
    window.drop(folder100k().paths());
    window.waitForList(100000);
    QHeaderView* header =
        window.form.findChild<QTableView*>(QStringLiteral("Liste"))->horizontalHeader();
    const QPoint nameColumn(header->sectionViewportPosition(AlterNameColumn) + 10,
                            header->height() / 2);
    window.form.findChild<QLineEdit*>(QStringLiteral("Maske"))->setText(QStringLiteral("x[NAME]"));
    window.delay->fire();
    processEventsUntil([&window] { return window.renameReady(); });
    // The first click sorts by name, as the list is already.
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, nameColumn);
    processEventsUntil([&window] { return window.renameReady(); });
    for (auto _ : state) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, nameColumn);
        processEventsUntil([&window] { return window.renameReady(); });
    }
    if (window.markedText() != allMarked(100000)) {
        state.SkipWithError("the drop did not fill the list");
    }
}
BENCHMARK(BM_WindowHeaderClick)->Unit(benchmark::kMillisecond)->UseRealTime();

// Resident memory that 100,000 checked entries add to a shown window, per entry.
void BM_WindowMemoryPerEntry(benchmark::State& state) {
    const QByteArrayList& paths = folder100k().paths();
    for (auto _ : state) {
        Window window;
        ::malloc_trim(0);
        const long before = residentBytes();
        window.drop(paths);
        window.waitForList(100000);
        ::malloc_trim(0);
        state.counters["bytes_per_entry"] =
            static_cast<double>(residentBytes() - before) / paths.size();
    }
}
BENCHMARK(BM_WindowMemoryPerEntry)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
