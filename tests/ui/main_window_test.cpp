// The window's wiring, driven as a user drives it; the rules behind it are tested in the core
// and in the presenter's tests.
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <memory>

#include "fake_delay_timer.h"
#include "fake_file_system.h"
#include "temp_folder.h"
#include "ui/settings_store.h"
#include "ui/shell.h"

namespace {

class RecordingShell : public Shell {
  public:
    void open(const QString& target) override { targets << target; }
    QStringList targets;
};

// Runs check on the next modal window once it is up; check must close it.
void whenModalShown(std::function<void(QWidget*)> check) {
    QTimer::singleShot(0, qApp, [check] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            check(modal);
        } else {
            whenModalShown(check);
        }
    });
}

class MainWindowTest : public ::testing::Test {
  protected:
    // The window as the program opens it, with files of the temporary folder on its command line.
    void open(const QStringList& names = {}) {
        m_window = std::make_unique<Form1>(store, shell, fileSystem, files.touchAll(names),
                                           std::unique_ptr<DelayTimer>(timer));
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }

    template <typename Widget = QWidget>
    Widget* find(const QString& name) {
        Widget* widget = m_window->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QPushButton* btn(int index) { return find<QPushButton>(QStringLiteral("Btn%1").arg(index)); }
    QTreeView* liste() { return find<QTreeView>("Liste"); }
    QLineEdit* field(const char* name) { return find<QLineEdit>(name); }
    QString panel(int n) { return find<QLabel>(QStringLiteral("StatusPanel%1").arg(n))->text(); }
    void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    QStringList column(int k) {
        QStringList texts;
        for (int row = 0; row < liste()->model()->rowCount(); ++row) {
            texts << liste()->model()->index(row, k).data().toString();
        }
        return texts;
    }
    QList<int> selectedRows() {
        QList<int> rows;
        for (const QModelIndex& index : liste()->selectionModel()->selectedRows()) {
            rows << index.row();
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QRect rect = liste()->visualRect(liste()->model()->index(row, 0));
        QTest::mouseClick(liste()->viewport(), Qt::LeftButton, modifiers, rect.center());
    }
    void typeInto(const char* name, const QString& text) {
        field(name)->setFocus();
        QTest::keyClick(field(name), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field(name), text);
    }
    // Drags data over the list and drops it there; returns whether the list took it.
    bool drop(QMimeData* data) {
        QWidget* viewport = liste()->viewport();
        const QPoint at = viewport->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                            Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        if (!move.isAccepted()) {
            return false;
        }
        QDropEvent dropEvent(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                             Qt::NoModifier);
        QApplication::sendEvent(viewport, &dropEvent);
        EXPECT_EQ(dropEvent.dropAction(), Qt::CopyAction);
        return dropEvent.isAccepted();
    }

    QTemporaryDir settingsDir;
    SettingsStore store{settingsDir.filePath("taufix.conf")};
    TempFolder files;
    RecordingShell shell;
    FakeFileSystem fileSystem;
    FakeDelayTimer* timer = new FakeDelayTimer;
    std::unique_ptr<Form1> m_window;  // last: goes before everything it uses
};

TEST_F(MainWindowTest, StartsWithTheDefaultsAndShowsTheCommandLineFilesMarkedAndChecked) {
    open({"b.txt", "a.txt"});
    EXPECT_EQ(m_window->windowTitle(), "Taufix");
    EXPECT_EQ(field("Maske")->text(), "[NAME][TYP]");
    EXPECT_EQ(field("Zahl")->text(), "1");
    EXPECT_EQ(find<QComboBox>("StellenAnzahl")->currentText(), "1");
    EXPECT_EQ(find<QComboBox>("StellenAnzahl")->count(), 12);
    EXPECT_EQ(find<QComboBox>("Schreibweise")->currentText(), "beibehalten");
    EXPECT_EQ(column(0), QStringList({"a.txt", "b.txt"}));
    EXPECT_EQ(selectedRows(), QList<int>({0, 1}));
    EXPECT_EQ(panel(1), "2 von 2 Dateien markiert");
    EXPECT_TRUE(panel(2).startsWith("Zum Umbenennen der Dateien klicken Sie jetzt"));
    EXPECT_TRUE(btn(8)->isEnabled());
    EXPECT_FALSE(btn(12)->isEnabled());
    EXPECT_FALSE(timer->isActive());
}

TEST_F(MainWindowTest, TypedTextReachesTheDelayedCheckAndCounterFieldsTakeDigitsOnly) {
    open({"a.txt"});
    QLineEdit* maske = field("Maske");
    maske->setFocus();
    QTest::keyClick(maske, Qt::Key_Home);
    QTest::keyClicks(maske, "F_");
    typeInto("Zahl", "a0b0-.7 x");
    EXPECT_EQ(field("Zahl")->text(), "007");
    EXPECT_FALSE(btn(8)->isEnabled());
    EXPECT_EQ(column(1), QStringList{"a.txt"});
    timer->fire();
    EXPECT_EQ(column(1), QStringList{"F_a.txt"});
    EXPECT_EQ(field("Zahl")->text(), "7");
}

TEST_F(MainWindowTest, MarksFollowClicksAndKeysAndTheListCommands) {
    open({"a.txt", "b.txt", "c.txt"});
    clickRow(1);
    EXPECT_EQ(selectedRows(), QList<int>{1});
    EXPECT_FALSE(btn(8)->isEnabled());
    timer->fire();
    EXPECT_EQ(panel(1), "1 von 3 Dateien markiert");
    clickRow(2, Qt::ControlModifier);
    timer->fire();
    EXPECT_EQ(panel(1), "2 von 3 Dateien markiert");
    liste()->setFocus();
    QTest::keyClick(liste(), Qt::Key_A, Qt::ControlModifier);
    timer->fire();
    EXPECT_EQ(panel(1), "3 von 3 Dateien markiert");

    click(btn(3));  // Auswahl umkehren, checked at once
    EXPECT_EQ(selectedRows(), QList<int>());
    EXPECT_EQ(panel(1), "0 von 3 Dateien markiert");
    click(btn(1));
    EXPECT_EQ(selectedRows(), QList<int>({0, 1, 2}));
    EXPECT_FALSE(timer->isActive());
}

TEST_F(MainWindowTest, MovesAndHeaderClicksReorderTheRowsAsSeen) {
    open({"a.txt", "b.txt", "c.txt"});
    clickRow(1);
    timer->fire();
    click(btn(12));
    EXPECT_EQ(column(0), QStringList({"a.txt", "c.txt", "b.txt"}));
    EXPECT_EQ(column(1), QStringList({"a.txt", "c.txt", "< ? >"}));
    EXPECT_EQ(selectedRows(), QList<int>{2});
    QHeaderView* header = liste()->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header->sectionViewportPosition(0) + 10, header->height() / 2));
    EXPECT_EQ(column(0), QStringList({"a.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(selectedRows(), QList<int>{1});
}

TEST_F(MainWindowTest, DroppedFilesAreCopiedInAndOtherPayloadsAreRefused) {
    open();
    auto data = std::make_unique<QMimeData>();
    data->setText("kein Dateiname");
    EXPECT_FALSE(drop(data.get()));
    data->setUrls({QUrl("https://www.netzblatt.example/a.txt")});
    EXPECT_FALSE(drop(data.get()));
    data->setUrls({QUrl::fromLocalFile(files.touch("y.txt")),
                   QUrl::fromLocalFile(files.mkdir("ordner")),
                   QUrl::fromLocalFile(files.touch("x.txt"))});
    EXPECT_TRUE(drop(data.get()));
    EXPECT_EQ(column(0), QStringList({"x.txt", "y.txt"}));
    EXPECT_EQ(selectedRows(), QList<int>({0, 1}));
    EXPECT_TRUE(btn(8)->isEnabled());
}

TEST_F(MainWindowTest, ARunAsksAfterAFailureAndPutsTheReportOnTheClipboard) {
    open({"a.txt", "b.txt", "c.txt"});
    typeInto("Maske", "n_[NAME][TYP]");
    timer->fire();
    QTest::mouseClick(find<QCheckBox>("DirItCheck"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    fileSystem.beforeRename = blockTarget("b.txt", "fremd");
    QString text;
    whenModalShown([&text](QWidget* modal) {
        text = static_cast<QMessageBox*>(modal)->text();
        QTest::keyClick(modal, Qt::Key_Return);  // OK: go on
    });
    click(btn(8));
    EXPECT_EQ(text, "Folgende Datei ließ sich nicht umbenennen:\n\n" + files.file("b.txt") +
                        "\n-->\n" + files.file("n_b.txt") +
                        "\n\nKlicken Sie 'OK', um fortzusetzen oder 'Abbrechen' um die Aktion "
                        "zu beenden.");
    EXPECT_EQ(column(0), QStringList{"b.txt"});
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "n_c.txt\nn_a.txt\n");
    EXPECT_EQ(ScenarioHistory(store).FillScenarioMenu().first(), "n_[NAME][TYP]");
}

TEST_F(MainWindowTest, AHistoryEntryIsRestoredThroughTheControls) {
    ScenarioHistory(store).SaveScenario({"[NAME]_[ZAHL][TYP]", "5", "2", 0, 1, 2, "a", "b", 1});
    open({"a.txt"});
    click(btn(24));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->defaultAction()->text(), "Abbrechen");
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                      menu->actionGeometry(menu->actions().first()).center());
    EXPECT_EQ(field("Maske")->text(), "[NAME]_[ZAHL][TYP]");
    EXPECT_EQ(field("Zahl")->text(), "5");
    EXPECT_EQ(find<QComboBox>("Vornullenzeichen")->currentText(), "Null");
    EXPECT_EQ(find<QComboBox>("Schreibweise")->currentText(), "alles klein");
    EXPECT_EQ(field("ErsetzeText")->text(), "b");
    EXPECT_TRUE(find<QCheckBox>("DirItCheck")->isChecked());
    timer->fire();
    EXPECT_EQ(column(1), QStringList{"b_5.txt"});
}

TEST_F(MainWindowTest, TokenButtonsInsertWhereTheMaskKeptItsCaret) {
    open();
    typeInto("Maske", "Foto");
    QTest::keyClick(field("Maske"), Qt::Key_Left);
    click(btn(23));
    EXPECT_EQ(field("Maske")->text(), "Fot[]o");
    EXPECT_EQ(field("Maske")->cursorPosition(), 4);
    click(btn(11));
    EXPECT_EQ(field("Maske")->text(), "");
    EXPECT_TRUE(field("Maske")->hasFocus());
}

TEST_F(MainWindowTest, TheToolTipSwitchIsStoredAndAppliedAtTheNextStart) {
    open();
    EXPECT_EQ(btn(8)->toolTip(), "");
    QTest::mouseClick(find<QCheckBox>("ToolTipCheck"), Qt::LeftButton, Qt::NoModifier,
                      QPoint(5, 5));
    EXPECT_EQ(store.GetSettingValue("ToolTips", "-"), "1");
    EXPECT_EQ(btn(21)->toolTip(), "Fügt das Token [H] (entspricht [STUNDE]) in die Maske ein");
    m_window.reset();
    timer = new FakeDelayTimer;
    open();
    EXPECT_TRUE(find<QCheckBox>("ToolTipCheck")->isChecked());
    EXPECT_EQ(btn(8)->toolTip(), "Startet die Umbenennung aller markierten Dateien in der Liste");
}

TEST_F(MainWindowTest, HelpBannerAndInfoGoThroughTheShellAndEndLeavesTheLoop) {
    open();
    click(btn(10));
    QTest::mouseClick(find<QLabel>("Image1"), Qt::LeftButton);
    whenModalShown([](QWidget* modal) {
        QTest::mouseClick(modal->findChild<QPushButton*>("MailButton"), Qt::LeftButton);
        modal->close();
    });
    click(btn(25));
    EXPECT_EQ(shell.targets, QStringList({helpFilePath(), "www.netzblatt.example",
                                          "mailto:taufix@veskandor.example"}));
    QTimer::singleShot(0, m_window.get(), [this] { click(btn(9)); });
    EXPECT_EQ(QApplication::exec(), 0);
}

}  // namespace
