// The window's wiring, driven as a user drives it; the rules behind it are tested in the core
// and in the presenter's tests.
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QDropEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

#include "fake_delay_timer.h"
#include "fake_file_system.h"
#include "filesystem/journal_store.h"
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
        QWidget* modal = QApplication::activeModalWidget();
        modal ? check(modal) : whenModalShown(check);
    });
}

class MainWindowTest : public ::testing::Test {
  protected:
    // The window as the program opens it, with files of the temporary folder on its command line.
    void open(const QStringList& names = {}) {
        timer = new FakeDelayTimer;
        window = std::make_unique<Form1>(store, shell, fileSystem, journal, files.touchAll(names),
                                         std::unique_ptr<DelayTimer>(timer));
        // The files come in off the window thread; the list is shown anew when they are in.
        QSignalSpy filled(liste()->model(), &QAbstractItemModel::modelReset);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        if (!names.isEmpty() && filled.isEmpty()) {
            ASSERT_TRUE(filled.wait());
        }
    }

    template <typename Widget = QWidget>
    Widget* find(const QString& name) {
        return window->findChild<Widget*>(name);
    }
    QPushButton* btn(int index) { return find<QPushButton>(QStringLiteral("Btn%1").arg(index)); }
    QTableView* liste() { return find<QTableView>("Liste"); }
    QLineEdit* field(const char* name) { return find<QLineEdit>(name); }
    QString panel(int n) { return find<QLabel>(QStringLiteral("StatusPanel%1").arg(n))->text(); }
    void click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(6, 6));
    }

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
    // Drags data over the list, offering copy and move, and drops it where the list takes it.
    bool drop(QMimeData* data) {
        const QPoint at = liste()->viewport()->rect().center();
        const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(at, offered, data, Qt::LeftButton, Qt::NoModifier);
        QDragMoveEvent move(at, offered, data, Qt::LeftButton, Qt::NoModifier);
        QDropEvent dropped(at, offered, data, Qt::LeftButton, Qt::NoModifier);
        for (QEvent* event : {static_cast<QEvent*>(&enter), static_cast<QEvent*>(&move)}) {
            if (!QApplication::sendEvent(liste()->viewport(), event) || !event->isAccepted()) {
                return false;
            }
        }
        QApplication::sendEvent(liste()->viewport(), &dropped);
        EXPECT_EQ(dropped.dropAction(), Qt::CopyAction);  // the source keeps its files
        return dropped.isAccepted();
    }

    QTemporaryDir settingsDir;
    SettingsStore store{settingsDir.filePath("taufix.conf")};
    TempFolder files;
    RecordingShell shell;
    FakeFileSystem fileSystem;
    TempFolder journalFolder;
    JournalStore journal{journalFolder.path()};
    FakeDelayTimer* timer = nullptr;  // owned by the window
    std::unique_ptr<Form1> window;    // last: goes before everything it uses
};

TEST_F(MainWindowTest, TypedTextReachesTheDelayedCheckAndCounterFieldsTakeDigitsOnly) {
    open({"a.txt"});
    field("Maske")->setFocus();
    QTest::keyClick(field("Maske"), Qt::Key_Home);
    QTest::keyClicks(field("Maske"), "F_");
    typeInto("Zahl", "a0b0-.7 x");
    EXPECT_EQ(field("Zahl")->text(), "007");
    EXPECT_FALSE(btn(8)->isEnabled());
    timer->fire();
    EXPECT_EQ(column(1), QStringList{"F_a.txt"});
    EXPECT_EQ(field("Zahl")->text(), "7");
    EXPECT_TRUE(panel(2).startsWith("Zum Umbenennen der Dateien klicken Sie jetzt"));
    click(btn(23));  // at the caret the mask kept when it lost the focus, behind "F_"
    EXPECT_EQ(field("Maske")->text(), "F_[][NAME][TYP]");
    EXPECT_EQ(field("Maske")->cursorPosition(), 3);
    // The menu of the tokens taken from the files inserts at the caret as well.
    find<QToolButton>("MediaTokens")->menu()->actions().last()->trigger();
    EXPECT_EQ(field("Maske")->text(), "F_[[ORDNER]][NAME][TYP]");
}

TEST_F(MainWindowTest, MarksFollowClicksAndTheListCommands) {
    open({"a.txt", "b.txt", "c.txt"});
    EXPECT_EQ(QApplication::focusWidget(), liste());  // the first focus, which the fill held back
    clickRow(1);
    clickRow(2, Qt::ControlModifier);
    timer->fire();
    EXPECT_EQ(panel(1), "2 von 3 Dateien markiert");
    click(btn(3));  // invert, checked at once
    EXPECT_EQ(selectedRows(), QList<int>{0});
    EXPECT_EQ(panel(1), "1 von 3 Dateien markiert");
    EXPECT_FALSE(timer->isActive());
    // The keys move through rows: left and right leave the marks, End goes to the last row.
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Left}) {
        QTest::keyClick(liste(), key);
        EXPECT_EQ(selectedRows(), QList<int>{0});
    }
    QTest::keyClick(liste(), Qt::Key_End);
    EXPECT_EQ(selectedRows(), QList<int>{2});
}

TEST_F(MainWindowTest, MovesAndHeaderClicksReorderTheRowsAsSeen) {
    open({"a.txt", "b.txt", "c.txt"});
    clickRow(1);
    timer->fire();
    click(btn(12));
    EXPECT_EQ(selectedRows(), QList<int>{2});
    QHeaderView* header = liste()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(10, header->height() / 2));
    EXPECT_EQ(column(0), QStringList({"a.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(selectedRows(), QList<int>{1});
}

TEST_F(MainWindowTest, TheHeaderShowsTheSortColumnAndDirectionWhileTheListIsSorted) {
    open({"a.txt", "b.txt"});
    QHeaderView* header = liste()->horizontalHeader();
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), 0);
    const QPoint groesse(header->sectionViewportPosition(3) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, groesse);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, groesse);
    EXPECT_EQ(header->sortIndicatorSection(), 3);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    clickRow(0);
    timer->fire();
    click(btn(12));
    EXPECT_FALSE(header->isSortIndicatorShown());
}

TEST_F(MainWindowTest, ACellCutOffShowsItsWholeTextAsTooltip) {
    const QString longName = "<b>" + QString(60, u'x') + ".txt";  // text, not markup
    open({"a.txt", longName});
    const auto hover = [this](int row) {
        const QPoint at = liste()->visualRect(liste()->model()->index(row, 0)).center();
        QHelpEvent help(QEvent::ToolTip, at, liste()->viewport()->mapToGlobal(at));
        QApplication::sendEvent(liste()->viewport(), &help);
        return QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText();
    };
    // "<" sorts before letters; a shown tooltip would linger, so the short name comes first.
    EXPECT_EQ(hover(1), "");
    EXPECT_EQ(hover(0), longName);
}

TEST_F(MainWindowTest, TheWindowFitsASmallScreenAndARowItsWarningSign) {
    open({"a.txt", "b.jpg", "c.jpg"});
    typeInto("Maske", "x[TYP]");
    timer->fire();
    // The first row, which sets the height of all, has no sign.
    const int sign = liste()->style()->pixelMetric(QStyle::PM_SmallIconSize);
    EXPECT_GE(liste()->visualRect(liste()->model()->index(2, 1)).height(), sign);
    // 1024 × 600 less a title bar.
    EXPECT_LE(window->minimumWidth(), 1024);
    EXPECT_LE(window->minimumHeight(), 560);
}

TEST_F(MainWindowTest, AConflictMarksItsRowAndF8MovesToItLeavingTheMarks) {
    open({"a.txt", "b.txt", "c.jpg", "d.jpg"});
    typeInto("Maske", "x[TYP]");
    timer->fire();
    const QModelIndex d = liste()->model()->index(3, 1);
    EXPECT_TRUE(d.data(FileListModel::TroubleRole).toBool());
    EXPECT_EQ(d.data(Qt::ToolTipRole), "Gleicher neuer Name wie Zeile 3 (c.jpg) im selben Ordner");
    EXPECT_EQ(panel(4), "4 Konflikte");
    liste()->selectionModel()->setCurrentIndex(d, QItemSelectionModel::NoUpdate);
    QTest::keyClick(field("Maske"), Qt::Key_F8);
    EXPECT_EQ(liste()->currentIndex().row(), 0);  // from the top again
    EXPECT_EQ(selectedRows(), QList<int>({0, 1, 2, 3}));
    EXPECT_TRUE(liste()->hasFocus());
}

TEST_F(MainWindowTest, DroppedFilesAreCopiedInAndOtherPayloadsAreRefused) {
    open();
    QMimeData data;
    data.setText("kein Dateiname");
    EXPECT_FALSE(drop(&data));
    data.setUrls({QUrl::fromLocalFile(files.touch("y.txt")),
                  QUrl::fromLocalFile(files.mkdir("ordner")),
                  QUrl::fromLocalFile(files.touch("x.txt"))});
    QSignalSpy filled(liste()->model(), &QAbstractItemModel::modelReset);
    EXPECT_TRUE(drop(&data));
    // The list waits for the fill, which runs off the window thread.
    EXPECT_FALSE(liste()->isEnabled() || btn(0)->isEnabled() || find("UndoButton")->isEnabled() ||
                 find("FolderButton")->isEnabled());
    ASSERT_TRUE(filled.wait());
    EXPECT_TRUE(liste()->isEnabled() && btn(0)->isEnabled() && find("FolderButton")->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), liste());
    EXPECT_EQ(column(0), QStringList({"x.txt", "y.txt"}));
    EXPECT_EQ(selectedRows(), QList<int>({0, 1}));
    EXPECT_TRUE(panel(3).contains(u"„Ordner hinzufügen…“"));
}

TEST_F(MainWindowTest, TheFolderCommandAddsTheFilesOfTheFolderChosenAndOfItsSubfoldersIfAsked) {
    open();
    files.touch("a.txt");
    files.mkdir("u");
    files.touch("u/b.txt");
    for (const bool subfolders : {false, true}) {
        whenModalShown([this, subfolders](QWidget* modal) {
            modal->findChild<QCheckBox*>("withSubfolders")->setChecked(subfolders);
            qobject_cast<QFileDialog*>(modal)->setDirectory(files.path());
            qobject_cast<QDialog*>(modal)->accept();
        });
        QSignalSpy filled(liste()->model(), &QAbstractItemModel::modelReset);
        click(find("FolderButton"));
        ASSERT_TRUE(filled.wait());
        EXPECT_EQ(liste()->model()->rowCount(), subfolders ? 2 : 1);
    }
    EXPECT_EQ(column(0), QStringList({"a.txt", "b.txt"}));
    EXPECT_EQ(panel(3), "");
}

TEST_F(MainWindowTest, ARunAsksAfterAFailureAndPutsTheReportOnTheClipboard) {
    open({"a.txt", "b.txt", "c.txt"});
    typeInto("Maske", "n_[NAME][TYP]");
    timer->fire();
    click(find("DirItCheck"));
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
    EXPECT_EQ(panel(4), "2 umbenannt, 1 fehlgeschlagen");
    EXPECT_EQ(panel(3), "b.txt: Ziel existiert bereits");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "n_c.txt\nn_a.txt\n");
}

TEST_F(MainWindowTest, AnUndoSaysWhatItTakesBackAndWaitsForYes) {
    open({"a.txt", "b.txt"});
    typeInto("Maske", "n_[NAME][TYP]");
    timer->fire();
    click(btn(8));
    const Contents renamed = files.contents();
    // Answers the next dialog with button, noting its text.
    QString text;
    const auto answer = [&text](QMessageBox::StandardButton button) {
        whenModalShown([&text, button](QWidget* modal) {
            auto* box = static_cast<QMessageBox*>(modal);
            text = box->text();
            box->button(button) ? box->button(button)->click() : box->reject();
        });
    };
    answer(QMessageBox::No);
    liste()->setFocus();
    QTest::keyClick(liste(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(text.contains("2 Dateien in „" + files.path() + "“")) << text.toStdString();
    EXPECT_EQ(files.contents(), renamed);
    {
        const auto run = journal.hold(journal.names().last());  // as if the run still went on
        answer(QMessageBox::Ok);
        click(find("UndoButton"));
        EXPECT_EQ(text, "Der letzte Lauf oder ein Rückgängig davon ist noch im Gang.");
    }
    answer(QMessageBox::Yes);
    click(find("UndoButton"));
    EXPECT_EQ(files.contents(), (Contents{{"a.txt", "a.txt"}, {"b.txt", "b.txt"}}));
    EXPECT_EQ(column(0), QStringList({"a.txt", "b.txt"}));
    EXPECT_EQ(panel(3), "Rückgängig: 2 zurückbenannt, 0 nicht möglich");
}

TEST_F(MainWindowTest, ANewerRunReplacesTheUndoNotice) {
    open({"a.txt"});
    typeInto("Maske", "n_[NAME][TYP]");
    timer->fire();
    click(find("UndoButton"));
    EXPECT_EQ(panel(3), "Nichts rückgängig zu machen");
    click(btn(8));
    EXPECT_EQ(panel(4), "1 umbenannt, 0 fehlgeschlagen");
    EXPECT_EQ(panel(3), "");
}

TEST_F(MainWindowTest, AHistoryEntryIsRestoredThroughTheControls) {
    ScenarioHistory(store).SaveScenario(
        {"[NAME]_[ZAHL][TYP]", "5", "2", 0, 1, 2, "(a)", "\\1b", 1, 1});
    open({"a.txt"});
    click(btn(24));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                      menu->actionGeometry(menu->actions().first()).center());
    EXPECT_EQ(field("Zahl")->text(), "5");
    EXPECT_TRUE(find<QCheckBox>("DirItCheck")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("RegexCheck")->isChecked());
    timer->fire();
    EXPECT_EQ(column(1), QStringList{"ab_5.txt"});
    click(find("RegexCheck"));  // the same text, searched as it stands, is not found
    EXPECT_EQ(column(1), QStringList{"a_5.txt"});
}

TEST_F(MainWindowTest, TheToolTipSwitchIsStoredAndAppliedAtTheNextStart) {
    open();
    click(find("ToolTipCheck"));
    EXPECT_EQ(btn(21)->toolTip(), "Fügt das Token [H] (entspricht [STUNDE]) in die Maske ein");
    open();
    EXPECT_EQ(btn(8)->toolTip(), "Startet die Umbenennung aller markierten Dateien in der Liste");
    click(find("ToolTipCheck"));
    EXPECT_EQ(btn(8)->toolTip(), "");
    EXPECT_EQ(store.GetSettingValue("ToolTips", "-"), "0");
}

TEST_F(MainWindowTest, TheSwapSwitchLetsAShiftPassTellsItsRowsAndIsStored) {
    open({"1.txt", "2.txt"});
    typeInto("Maske", "[ZAHL][TYP]");
    typeInto("Zahl", "2");
    timer->fire();
    EXPECT_FALSE(btn(8)->isEnabled());
    click(find("ChainsCheck"));
    EXPECT_TRUE(btn(8)->isEnabled());
    EXPECT_EQ(liste()->model()->index(0, 1).data(Qt::ToolTipRole),
              "Der neue Name wird zuerst frei");
    EXPECT_EQ(store.GetSettingValue("TauschenErlauben", "-"), "1");
    open();
    EXPECT_TRUE(find<QCheckBox>("ChainsCheck")->isChecked());
}

TEST_F(MainWindowTest, HelpBannerAndInfoGoThroughTheShellAndEndLeavesTheLoop) {
    open();
    click(btn(10));
    click(find("Image1"));
    whenModalShown([](QWidget* modal) {
        QTest::mouseClick(modal->findChild<QPushButton*>("MailButton"), Qt::LeftButton);
        modal->close();
    });
    click(btn(25));
    EXPECT_EQ(shell.targets, QStringList({helpFilePath(), "www.netzblatt.example",
                                          "mailto:taufix@veskandor.example"}));
    QTimer::singleShot(0, window.get(), [this] { click(btn(9)); });
    EXPECT_EQ(QApplication::exec(), 0);
}

}  // namespace
