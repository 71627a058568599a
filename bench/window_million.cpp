// The window with a million files, driven offscreen as a user would: a drop from a file manager,
// a keystroke's delayed check, header clicks, marks, a move, the run and its undo. For each
// command it reports how long the window thread stood still at most and how long the command
// took up to the checked list, and at the end the process's peak memory.
//
//   taufix_window_million [count]     (1,000,000 files unless count is given)
#include <QApplication>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <cstdio>
#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fake_delay_timer.h"
#include "filesystem/journal_store.h"
#include "filesystem/linux_file_system.h"
#include "ui/main_window.h"
#include "ui/settings_store.h"
#include "ui/shell.h"
#include "window_driving.h"

namespace {

class NoShell : public Shell {
  public:
    void open(const QString&) override {}
};

// Starts the kernel's high-water mark of the process's resident memory afresh.
void resetPeak() {
    if (FILE* clear = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", clear);
        std::fclose(clear);
    }
}

// The process's peak resident memory in MB, from the kernel's high-water mark.
double peakMegabytes() {
    FILE* status = std::fopen("/proc/self/status", "r");
    char line[256];
    long kilobytes = 0;
    while (status != nullptr && std::fgets(line, sizeof line, status) != nullptr) {
        if (std::sscanf(line, "VmHWM: %ld kB", &kilobytes) == 1) {
            break;
        }
    }
    if (status != nullptr) {
        std::fclose(status);
    }
    return static_cast<double>(kilobytes) / 1024.0;
}

// count empty files, as a camera names them; the drop data a file manager sends for them.
QByteArray createFiles(const QString& folder, int count) {
    QByteArray uriList;
    uriList.reserve(static_cast<qsizetype>(count) * (folder.size() + 24));
    for (int i = 0; i < count; ++i) {
        const QString path = folder + QStringLiteral("/IMG_%1.jpg").arg(i, 7, 10, QChar(u'0'));
        const QByteArray native = QFile::encodeName(path);
        ::close(::open(native.constData(), O_CREAT | O_WRONLY, 0644));
        uriList += QUrl::fromLocalFile(path).toEncoded();
        uriList += "\r\n";
    }
    return uriList;
}

// The drop data as the window system hands it over: the file manager's bytes, read when asked for.
class FileManagerDrag : public QMimeData {
  public:
    explicit FileManagerDrag(QByteArray uriList) : m_uriList(std::move(uriList)) {}
    QStringList formats() const override { return {QStringLiteral("text/uri-list")}; }

  protected:
    QVariant retrieveData(const QString& mimeType, QMetaType) const override {
        return mimeType == QStringLiteral("text/uri-list") ? QVariant(m_uriList) : QVariant();
    }

  private:
    QByteArray m_uriList;
};

class Bench {
  public:
    Bench()
        : m_store(m_settings.filePath(QStringLiteral("taufix.conf"))),
          m_delay(new FakeDelayTimer),
          m_journal(m_settings.filePath(QStringLiteral("journal"))),
          m_form(m_store, m_shell, hostFileSystem(), m_journal, {},
                 std::unique_ptr<DelayTimer>(m_delay)) {
        m_form.resize(1280, 900);
        m_form.show();
        QApplication::processEvents();
        m_list = m_form.findChild<QTableView*>(QStringLiteral("Liste"));
        m_mask = m_form.findChild<QLineEdit*>(QStringLiteral("Maske"));
        std::printf("%-34s %14s %12s %10s\n", "command", "longest stall", "until done", "peak");
    }

    // Runs the command, then the event loop until done() holds; prints the figures.
    void measure(const char* name, const std::function<void()>& command,
                 const std::function<bool()>& done) {
        resetPeak();
        QElapsedTimer clock;
        clock.start();
        m_stalls.restart();
        command();
        QTimer wakeUp;
        wakeUp.start(20);
        while (!done()) {
            if (clock.elapsed() > 600000) {
                std::printf("%-34s did not end\n", name);
                std::exit(1);
            }
            QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        }
        QApplication::processEvents();
        std::printf("%-34s %11.0f ms %9.0f ms %7.0f MB\n", name, m_stalls.longestMs(),
                    static_cast<double>(clock.elapsed()), peakMegabytes());
        m_peak = std::max(m_peak, peakMegabytes());
        std::fflush(stdout);
    }

    // The highest resident memory of the process while a command ran, in MB.
    double peak() const { return m_peak; }

    QPushButton* button(const char* name) {
        return m_form.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    QString panel(const char* name) {
        return m_form.findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
    bool renameReady() { return button("Btn8")->isEnabled(); }
    bool marked(int count, int of) {
        return panel("StatusPanel1") ==
               QStringLiteral("%1 von %2 Dateien markiert").arg(count).arg(of);
    }

    void drop(const QByteArray& uriList) {
        FileManagerDrag data(uriList);
        QWidget* viewport = m_list->viewport();
        dropOnto(viewport, &data);
    }
    void type(const QString& mask) {
        m_mask->setText(mask);
        m_delay->fire();
    }
    void fireDelay() { m_delay->fire(); }
    void clickHeader() {
        QHeaderView* header = m_list->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(header->sectionViewportPosition(0) + 10, header->height() / 2));
    }
    // Ctrl and a click on the first row changes its mark alone.
    void toggleFirstRow() {
        const QRect row = m_list->visualRect(m_list->model()->index(0, 0));
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, Qt::ControlModifier, row.center());
        m_delay->fire();
    }
    // Answers the undo's question with yes as soon as it is asked.
    void answerYes() {
        QTimer::singleShot(10, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                box->button(QMessageBox::Yes)->click();
            } else {
                answerYes();
            }
        });
    }

  private:
    QTemporaryDir m_settings;
    SettingsStore m_store;
    NoShell m_shell;
    FakeDelayTimer* m_delay;  // owned by the window
    JournalStore m_journal;
    Form1 m_form;
    QTableView* m_list = nullptr;
    QLineEdit* m_mask = nullptr;
    StallWatch m_stalls{5};
    double m_peak = 0;  // the highest of the commands' peaks
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
    QTemporaryDir folder;
    std::printf("%d files in %s\n", count, qPrintable(folder.path()));
    QByteArray uriList = createFiles(folder.path(), count);

    Bench bench;
    bench.type(QStringLiteral("x[NAME][TYP]"));
    bench.measure(
        "drop, up to the checked list", [&] { bench.drop(std::exchange(uriList, {})); },
        [&] { return bench.marked(count, count) && bench.renameReady(); });
    bench.measure(
        "keystroke's delayed check", [&] { bench.type(QStringLiteral("y[NAME][TYP]")); },
        [&] { return bench.renameReady(); });
    for (const char* name : {"header click (reverse order)", "header click (order again)"}) {
        bench.measure(
            name, [&] { bench.clickHeader(); }, [&] { return bench.renameReady(); });
    }
    bench.measure(
        "\"Auswahl umkehren\" (none marked)", [&] { bench.button("Btn3")->click(); },
        [&] { return bench.marked(0, count); });
    bench.measure(
        "ctrl-click: first row marked", [&] { bench.toggleFirstRow(); },
        [&] { return bench.marked(1, count) && bench.button("Btn12")->isEnabled(); });
    bench.measure(
        "move down",
        [&] {
            bench.button("Btn12")->click();
            bench.fireDelay();
        },
        [&] { return bench.button("Btn13")->isEnabled(); });
    bench.measure(
        "\"Alle auswählen\"", [&] { bench.button("Btn1")->click(); },
        [&] { return bench.marked(count, count) && bench.renameReady(); });
    bench.measure(
        "run", [&] { bench.button("Btn8")->click(); },
        [&] { return bench.panel("StatusPanel4").contains(QStringLiteral("umbenannt")); });
    bench.measure(
        "undo, up to the refilled list",
        [&] {
            bench.answerYes();
            bench.button("UndoButton")->click();
        },
        [&] { return bench.panel("StatusPanel3").startsWith(QStringLiteral("Rückgängig:")); });
    std::printf("peak memory: %.0f MB\n", bench.peak());
    return 0;
}
