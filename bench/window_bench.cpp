// The window as a user drives it, offscreen: a drop of many files, and keystrokes in the mask.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QUrl>

#include "bench_folder.h"
#include "fake_delay_timer.h"
#include "filesystem/journal_store.h"
#include "filesystem/linux_file_system.h"
#include "ui/delay_timer.h"
#include "ui/main_window.h"
#include "ui/settings_store.h"
#include "ui/shell.h"

namespace {

class NoShell : public Shell {
  public:
    void open(const QString&) override {}
};

struct Window {
    Window()
        : store(settingsDir.filePath(QStringLiteral("Veskandor.conf"))),
          delay(new FakeDelayTimer),
          journal(settingsDir.filePath(QStringLiteral("journal"))),
          form(store, shell, hostFileSystem(), journal, {}, std::unique_ptr<DelayTimer>(delay)) {
        form.show();
        QApplication::processEvents();
    }
    // Panel 1 of the status bar, e.g. "32767 von 32767 Dateien markiert".
    QString markedText() const {
        return form.findChild<QLabel*>(QStringLiteral("StatusPanel1"))->text();
    }
    void drop(const QByteArrayList& paths) {
        QMimeData data;
        QList<QUrl> urls;
        urls.reserve(paths.size());
        for (const QByteArray& path : paths) {
            urls << QUrl::fromLocalFile(QFile::decodeName(path));
        }
        data.setUrls(urls);
        QWidget* viewport = form.findChild<QTreeView*>(QStringLiteral("Liste"))->viewport();
        const QPoint at = viewport->rect().center();
        // As a drag from a file manager arrives: it enters the list, then drops.
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QDropEvent event(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
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

// From the drop to the filled, sorted and checked list on the screen.
void BM_WindowDrop(benchmark::State& state) {
    const QByteArrayList& paths = folder32767().paths();
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<Window>();
        QApplication::processEvents();
        state.ResumeTiming();
        window->drop(paths);
        QApplication::processEvents();
        state.PauseTiming();
        if (window->markedText() != QStringLiteral("32767 von 32767 Dateien markiert")) {
            state.SkipWithError(("the drop gave: " + window->markedText()).toUtf8().constData());
            break;
        }
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WindowDrop)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// One keystroke in the mask over 32,767 entries: only the delay is armed.
void BM_WindowKeystroke(benchmark::State& state) {
    Window window;
    window.drop(folder32767().paths());
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
    Window window;
    window.drop(folder32767().paths());
    auto* maske = window.form.findChild<QLineEdit*>(QStringLiteral("Maske"));
    bool longer = true;
    for (auto _ : state) {
        maske->setText(longer ? QStringLiteral("x[NAME][TYP]") : QStringLiteral("[NAME][TYP]"));
        longer = !longer;
        window.delay->fire();
        QApplication::processEvents();
    }
    if (window.markedText() != QStringLiteral("32767 von 32767 Dateien markiert")) {
        state.SkipWithError("the drop did not fill the list");
    }
}
BENCHMARK(BM_WindowDelayedCheck)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
