#include "ui/file_list_model.h"

#include <gtest/gtest.h>

#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeView>

#include "fake_delay_timer.h"
#include "gui_test_support.h"
#include "plan/file_system.h"
#include "ui/main_window.h"
#include "ui/settings_store.h"

namespace {

// Every path names a small ordinary file; nothing is on disk.
class ImaginaryFiles : public FileSystem {
  public:
    std::optional<PathFacts> statPath(const QString&) const override {
        return PathFacts{false, 1536, LocalTime{2024, 2, 1, 9, 5, 3}};
    }
    QString storedName(const QString& path) const override {
        return path.mid(path.lastIndexOf(u'/') + 1);
    }
    FolderIndex readFolder(const QString&) const override { return {}; }
    RenameOutcome rename(const QString&, const QString&) override { return RenameOutcome::Renamed; }
};

TEST(FileListModelTest, HundredThousandRowsAreShownWithOneSelectionRangeAndFewBarSteps) {
    constexpr int kRows = 100000;
    QStringList paths;
    paths.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        paths << QStringLiteral("/bilder/foto%1.jpg").arg(i, 6, 10, QLatin1Char('0'));
    }
    QTemporaryDir settingsDir;
    SettingsStore store(settingsDir.filePath("taufix.conf"));
    RecordingShell shell;
    FakeDelayTimer timer;
    ImaginaryFiles fileSystem;
    Form1 window(store, shell, fileSystem, {}, &timer);
    auto* bar = window.findChild<QProgressBar*>("Bar");
    QSignalSpy barSteps(bar, &QProgressBar::valueChanged);

    // A drop of many files fills, sorts and checks once; the bar moves in hundredths.
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& path : paths) {
        urls << QUrl::fromLocalFile(path);
    }
    data->setUrls(urls);
    auto* liste = window.findChild<QTreeView*>("Liste");
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(liste->viewport(), &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(liste->viewport(), &drop);
    delete data;

    const QAbstractItemModel* model = liste->model();
    ASSERT_EQ(model->rowCount(), kRows);
    EXPECT_EQ(model->index(0, 0).data().toString(), "foto000000.jpg");
    EXPECT_EQ(model->index(kRows - 1, 1).data().toString(), "foto099999.jpg");
    EXPECT_EQ(model->index(5, 3).data().toString(), "1,5 KB");
    EXPECT_EQ(liste->selectionModel()->selection().size(), 1);
    EXPECT_EQ(window.findChild<QLabel*>("StatusPanel1")->text(),
              "100000 von 100000 Dateien markiert");
    EXPECT_LT(barSteps.count(), 1000);
    EXPECT_EQ(bar->value(), 0);
}

}  // namespace
