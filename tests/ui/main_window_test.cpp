#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeView>
#include <memory>
#include <ostream>

#include "fake_delay_timer.h"
#include "gui_test_support.h"
#include "plan/file_system.h"
#include "temp_folder.h"
#include "ui/info_window.h"
#include "ui/scenario_history.h"
#include "ui/settings_store.h"

namespace {

const QString kPlanOkText = QStringLiteral(
    "Zum Umbenennen der Dateien klicken Sie jetzt die Schaltfläche 'Jetzt umtaufen!'.");

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_store = std::make_unique<SettingsStore>(m_settingsDir.filePath("taufix.conf"));
    }

    SettingsStore& store() { return *m_store; }

    // The window as the program opens it, with the files named on its command line.
    Form1& open(const QStringList& arguments = {}) {
        QByteArrayList nativeArguments;
        for (const QString& argument : arguments) {
            nativeArguments << QFile::encodeName(argument);
        }
        m_window =
            std::make_unique<Form1>(*m_store, shell, hostFileSystem(), nativeArguments, &timer);
        m_window->show();
        m_window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        return *m_window;
    }

    // Files in the temporary folder, named on the command line.
    Form1& openWith(const QStringList& names) {
        QStringList paths;
        for (const QString& name : names) {
            paths << files.touch(name);
        }
        return open(paths);
    }

    template <typename Widget>
    Widget* find(const QString& name) {
        Widget* widget = m_window->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QPushButton* btn(int index) { return find<QPushButton>(QStringLiteral("Btn%1").arg(index)); }
    QTreeView* liste() { return find<QTreeView>(QStringLiteral("Liste")); }
    QLineEdit* field(const char* name) { return find<QLineEdit>(QLatin1String(name)); }
    QComboBox* choices(const char* name) { return find<QComboBox>(QLatin1String(name)); }
    QString panel(int n) { return find<QLabel>(QStringLiteral("StatusPanel%1").arg(n))->text(); }

    // The delay has run out.
    void fireTimer() {
        ASSERT_TRUE(timer.isActive());
        m_window->Timer1Tick();
    }

    QStringList column(int k) {
        QStringList texts;
        const QAbstractItemModel* model = liste()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            texts << model->index(row, k).data().toString();
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
    void clickHeader(int section) {
        QHeaderView* header = liste()->header();
        const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }
    // Replaces the mask as the user does: select all, type.
    void typeMask(const QString& text) {
        QLineEdit* maske = field("Maske");
        maske->setFocus();
        QTest::keyClick(maske, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(maske, text);
    }
    void drop(QMimeData* data) {
        QWidget* viewport = liste()->viewport();
        const QPoint at = viewport->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent dropEvent(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &dropEvent);
    }

    QTemporaryDir m_settingsDir;
    TempFolder files;
    RecordingShell shell;
    FakeDelayTimer timer;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<Form1> m_window;  // last: goes before everything it uses
};

TEST_F(MainWindowTest, StartsWithTheDefaults) {
    Form1& window = open();
    EXPECT_EQ(window.windowTitle(), "Taufix");
    EXPECT_EQ(field("Maske")->text(), "[NAME][TYP]");
    EXPECT_EQ(field("Zahl")->text(), "1");
    EXPECT_EQ(field("Schrittweite")->text(), "1");
    EXPECT_EQ(field("SucheText")->text(), "");
    EXPECT_EQ(field("ErsetzeText")->text(), "");
    EXPECT_EQ(itemTexts(choices("Schreibweise")),
              QStringList({"beibehalten", "alles groß", "alles klein", "anfangs groß"}));
    EXPECT_EQ(choices("Schreibweise")->currentText(), "beibehalten");
    EXPECT_EQ(itemTexts(choices("Vornullenzeichen")),
              QStringList({"keine", "Null", "Leerzeichen", "Unterstrich"}));
    EXPECT_EQ(choices("Vornullenzeichen")->currentText(), "keine");
    EXPECT_EQ(itemTexts(choices("StellenAnzahl")),
              QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}));
    EXPECT_EQ(choices("StellenAnzahl")->currentText(), "1");
    EXPECT_FALSE(find<QCheckBox>("DirItCheck")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("ToolTipCheck")->isChecked());
    EXPECT_EQ(liste()->model()->rowCount(), 0);
    EXPECT_FALSE(btn(8)->isEnabled());
    EXPECT_FALSE(btn(12)->isEnabled());
    EXPECT_FALSE(btn(13)->isEnabled());
    EXPECT_EQ(panel(1), "0 von 0 Dateien markiert");
    EXPECT_EQ(panel(2), "");
    EXPECT_FALSE(timer.isActive());
}

TEST_F(MainWindowTest, ControlsCarryTheirCaptions) {
    open();
    const struct {
        int index;
        const char* caption;
    } buttons[] = {
        {0, "Liste l&öschen"},
        {1, "&Alle auswählen"},
        {2, "&Keine Auswahl"},
        {3, "Auswahl &umkehren"},
        {4, "[&name]"},
        {5, "[&typ]"},
        {6, "[&zahl]"},
        {7, "[&s]"},
        {8, "Jetzt &umtaufen!"},
        {9, "&Ende"},
        {10, "&Hilfe"},
        {15, "[&jahr]"},
        {16, "[&monat]"},
        {17, "[&tag]"},
        {18, "[&rdatum]"},
        {19, "[&datum]"},
        {20, "[&m]"},
        {21, "[&h]"},
        {22, "[&zeit]"},
        {23, "[ ]"},
        {25, "&Info"},
    };
    for (const auto& b : buttons) {
        EXPECT_EQ(btn(b.index)->text(), QString::fromUtf8(b.caption)) << b.index;
    }
    for (const int glyph : {11, 12, 13, 24}) {
        EXPECT_FALSE(btn(glyph)->text().isEmpty()) << glyph;
    }
    EXPECT_EQ(m_window->findChild<QPushButton*>("Btn14"), nullptr);

    const struct {
        const char* name;
        const char* title;
    } frames[] = {
        {"Frame1", "Kandidaten zum Umbenennen"},
        {"Frame3", "Zähler"},
        {"Frame2", "Maske"},
        {"Frame5", "Steuerung"},
        {"Frame4_1", "Suchen && ersetzen"},
        {"Frame4_0", "Schreibweise"},
    };
    for (const auto& f : frames) {
        EXPECT_EQ(find<QGroupBox>(f.name)->title(), QString::fromUtf8(f.title)) << f.name;
    }
    const char* labels[] = {"Start", "Vornullen", "Step", "Länge", "Ersetze", "durch"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(find<QLabel>(QStringLiteral("Label1_%1").arg(i))->text(),
                  QString::fromUtf8(labels[i]));
    }
    EXPECT_EQ(find<QCheckBox>("DirItCheck")->text(), "Dir-It!");
    EXPECT_EQ(find<QCheckBox>("ToolTipCheck")->text(), "ToolTips");
    EXPECT_FALSE(find<QPlainTextEdit>("DirItTextBox")->isVisible());
    EXPECT_EQ(field("Zahl")->maxLength(), 8);
    EXPECT_EQ(field("Schrittweite")->maxLength(), 5);
    EXPECT_NE(find<QProgressBar>("Bar"), nullptr);
    EXPECT_FALSE(find<QLabel>("Image1")->pixmap().isNull());
}

TEST_F(MainWindowTest, WindowHasAFixedSizeAndNoMaximiseButton) {
    Form1& window = open();
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST_F(MainWindowTest, TabOrderFollowsTheControlList) {
    open();
    const QStringList expected{
        "Liste",        "Btn1",          "Btn2",
        "Btn3",         "Btn0",          "Zahl",
        "Schrittweite", "StellenAnzahl", "Vornullenzeichen",
        "Schreibweise", "SucheText",     "ErsetzeText",
        "Maske",        "Btn11",         "Btn4",
        "Btn5",         "Btn6",          "Btn19",
        "Btn22",        "Btn23",         "DirItTextBox",
        "DirItCheck",   "Btn24",         "Btn21",
        "Btn20",        "Btn18",         "Btn17",
        "Btn16",        "Btn15",         "Btn7",
        "Btn13",        "Btn12",         "Btn8",
        "Btn10",        "Btn25",         "Btn9",
        "ToolTipCheck",
    };
    QStringList chain;
    QWidget* widget = liste();
    for (int i = 0; i < 400 && chain.size() < expected.size(); ++i) {
        if (expected.contains(widget->objectName()) && !chain.contains(widget->objectName())) {
            chain << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    }
    EXPECT_EQ(chain, expected);
}

TEST_F(MainWindowTest, CommandLineFilesAreListedMarkedAndChecked) {
    openWith({"b.txt", "a.txt"});
    EXPECT_EQ(column(0), QStringList({"a.txt", "b.txt"}));
    EXPECT_EQ(column(1), QStringList({"a.txt", "b.txt"}));
    EXPECT_EQ(column(2), QStringList({files.path(), files.path()}));
    EXPECT_EQ(selectedRows(), QList<int>({0, 1}));
    EXPECT_EQ(panel(1), "2 von 2 Dateien markiert");
    EXPECT_EQ(panel(2), kPlanOkText);
    EXPECT_TRUE(btn(8)->isEnabled());
    EXPECT_FALSE(timer.isActive());
}

TEST_F(MainWindowTest, ListShowsTheColumnsOfTheEntryTable) {
    openWith({"a.txt"});
    const struct {
        const char* caption;
        int width;
    } columns[] = {
        {"Alter Name", 169},
        {"Neuer Name", 169},
        {"In Ordner", 169},
        {"Größe", 94},
        {"Typ", 35},
        {"Letzte Änderung", 165},
        {"", 0},
        {"(versteckte Sortierspalte für Datum)", 0},
        {"(versteckte Sortierspalte für Größe)", 0},
        {"(versteckte Spalte für PfadNamen)", 0},
        {"(versteckte Spalte für NurNamen)", 0},
    };
    const QAbstractItemModel* model = liste()->model();
    ASSERT_EQ(model->columnCount(), 11);
    for (int k = 0; k < 11; ++k) {
        EXPECT_EQ(model->headerData(k, Qt::Horizontal).toString(),
                  QString::fromUtf8(columns[k].caption))
            << k;
        EXPECT_EQ(liste()->isColumnHidden(k), columns[k].width == 0) << k;
        if (columns[k].width != 0) {
            EXPECT_EQ(liste()->columnWidth(k), columns[k].width) << k;
        }
    }
    EXPECT_EQ(column(9), QStringList({files.file("a.txt")}));
    EXPECT_EQ(column(10), QStringList({"a"}));
}

TEST_F(MainWindowTest, TypingInTheMaskDisablesRenameAtOnceAndTheDelayedCheckShowsTheNames) {
    openWith({"a.txt", "b.txt"});
    ASSERT_TRUE(btn(8)->isEnabled());
    QLineEdit* maske = field("Maske");
    maske->setFocus();
    QTest::keyClick(maske, Qt::Key_Home);
    QTest::keyClicks(maske, "F");
    EXPECT_FALSE(btn(8)->isEnabled());
    QTest::keyClicks(maske, "oto_");
    EXPECT_EQ(maske->text(), "Foto_[NAME][TYP]");
    EXPECT_EQ(column(1), QStringList({"a.txt", "b.txt"}));
    EXPECT_EQ(timer.restarts, 5);

    fireTimer();
    EXPECT_EQ(column(1), QStringList({"Foto_a.txt", "Foto_b.txt"}));
    EXPECT_TRUE(btn(8)->isEnabled());
    EXPECT_EQ(panel(2), kPlanOkText);
}

TEST_F(MainWindowTest, ClearingTheMaskPutsTheCaretIntoItAndMarksEveryRowUnknown) {
    openWith({"a.txt", "b.txt"});
    click(btn(11));
    EXPECT_EQ(field("Maske")->text(), "");
    EXPECT_TRUE(field("Maske")->hasFocus());
    EXPECT_FALSE(btn(8)->isEnabled());
    fireTimer();
    EXPECT_EQ(column(1), QStringList({"< ? >", "< ? >"}));
    EXPECT_FALSE(btn(8)->isEnabled());
}

TEST_F(MainWindowTest, ChoicesCheckAtOnce) {
    openWith({"a.txt"});
    chooseByKeys(choices("Schreibweise"), 1);
    EXPECT_EQ(choices("Schreibweise")->currentText(), "alles groß");
    EXPECT_EQ(column(1), QStringList({"A.TXT"}));
    EXPECT_FALSE(timer.isActive());
    EXPECT_TRUE(btn(8)->isEnabled());
}

TEST_F(MainWindowTest, DigitChoiceLastsThroughALeadZeroChoiceUntilTheNextTyping) {
    openWith({"a.txt", "b.txt", "c.txt"});
    typeMask("Bild[ZAHL][TYP]");
    fireTimer();
    ASSERT_EQ(column(1), QStringList({"Bild1.txt", "Bild2.txt", "Bild3.txt"}))
        << qPrintable(field("Maske")->text());

    chooseByKeys(choices("StellenAnzahl"), 3);
    EXPECT_EQ(choices("StellenAnzahl")->currentText(), "4");
    chooseByKeys(choices("Vornullenzeichen"), 1);
    EXPECT_EQ(choices("Vornullenzeichen")->currentText(), "Null");
    EXPECT_EQ(choices("StellenAnzahl")->currentText(), "4");
    EXPECT_EQ(column(1), QStringList({"Bild0001.txt", "Bild0002.txt", "Bild0003.txt"}));

    QTest::keyClick(field("Maske"), Qt::Key_End);
    QTest::keyClick(field("Maske"), Qt::Key_Backspace);
    QTest::keyClicks(field("Maske"), "]");
    fireTimer();
    EXPECT_EQ(choices("StellenAnzahl")->currentText(), "1");
    EXPECT_EQ(column(1), QStringList({"Bild1.txt", "Bild2.txt", "Bild3.txt"}));
}

TEST_F(MainWindowTest, TokenButtonsInsertAtTheCaretTheMaskKept) {
    enum Place { End, AfterTwo, All };
    const struct Case {
        int button;
        Place place;
        const char* text;
        int caret;
    } cases[] = {
        {6, End, "Foto[ZAHL]", 10},    {23, End, "Foto[]", 5},
        {4, All, "[NAME]", 6},         {6, AfterTwo, "Fo[ZAHL]to", 8},
        {18, End, "Foto[RDATUM]", 12}, {21, End, "Foto[H]", 7},
        {7, End, "Foto[S]", 7},        {23, All, "[]", 1},
    };
    open();
    QLineEdit* maske = field("Maske");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        typeMask("Foto");
        if (c.place == AfterTwo) {
            QTest::keyClick(maske, Qt::Key_Home);
            QTest::keyClick(maske, Qt::Key_Right);
            QTest::keyClick(maske, Qt::Key_Right);
        } else if (c.place == All) {
            QTest::keyClick(maske, Qt::Key_A, Qt::ControlModifier);
        }
        click(btn(c.button));
        EXPECT_EQ(maske->text(), c.text);
        EXPECT_EQ(maske->cursorPosition(), c.caret);
        EXPECT_TRUE(maske->hasFocus());
    }
}

TEST_F(MainWindowTest, AccessKeyOfATokenButtonInsertsAtTheCaret) {
    open();
    typeMask("Foto");
    // An access key clicks the button without taking the focus from the mask.
    QSignalSpy clicked(btn(4), &QPushButton::clicked);
    QTest::keyClick(field("Maske"), Qt::Key_N, Qt::AltModifier);
    ASSERT_TRUE(clicked.count() == 1 || clicked.wait());  // the button animates its click
    EXPECT_EQ(field("Maske")->text(), "Foto[NAME]");
    EXPECT_EQ(field("Maske")->cursorPosition(), 10);
}

TEST_F(MainWindowTest, ListCommandsMarkAndCheckAtOnce) {
    openWith({"a.txt", "b.txt", "c.txt"});
    click(btn(2));
    EXPECT_EQ(selectedRows(), QList<int>());
    EXPECT_EQ(panel(1), "0 von 3 Dateien markiert");
    EXPECT_TRUE(btn(8)->isEnabled());
    EXPECT_FALSE(btn(12)->isEnabled());
    EXPECT_TRUE(liste()->hasFocus());

    click(btn(1));
    EXPECT_EQ(selectedRows(), QList<int>({0, 1, 2}));
    EXPECT_EQ(panel(1), "3 von 3 Dateien markiert");

    clickRow(1);
    fireTimer();
    EXPECT_EQ(selectedRows(), QList<int>({1}));
    click(btn(3));
    EXPECT_EQ(selectedRows(), QList<int>({0, 2}));
    EXPECT_EQ(panel(1), "2 von 3 Dateien markiert");
    click(btn(3));
    EXPECT_EQ(selectedRows(), QList<int>({1}));

    click(btn(0));
    EXPECT_EQ(liste()->model()->rowCount(), 0);
    EXPECT_EQ(panel(1), "0 von 0 Dateien markiert");
    EXPECT_FALSE(btn(8)->isEnabled());
    EXPECT_TRUE(liste()->hasFocus());
}

TEST_F(MainWindowTest, RenameWaitsForTheCheckOfMarksChangedInTheList) {
    openWith({"a.txt", "b.txt"});
    ASSERT_TRUE(btn(8)->isEnabled());
    clickRow(0);
    EXPECT_EQ(selectedRows(), QList<int>({0}));
    EXPECT_FALSE(btn(8)->isEnabled());
    EXPECT_EQ(panel(1), "2 von 2 Dateien markiert");
    fireTimer();
    EXPECT_TRUE(btn(8)->isEnabled());
    EXPECT_EQ(panel(1), "1 von 2 Dateien markiert");

    liste()->setFocus();
    QTest::keyClick(liste(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_FALSE(btn(8)->isEnabled());
    fireTimer();
    EXPECT_EQ(panel(1), "2 von 2 Dateien markiert");

    clickRow(1, Qt::ControlModifier);
    fireTimer();
    EXPECT_EQ(panel(1), "1 von 2 Dateien markiert");
    EXPECT_EQ(selectedRows(), QList<int>({0}));
}

TEST_F(MainWindowTest, MovesShiftTheMarkedRowsAsSeenInTheView) {
    openWith({"A.txt", "B.txt", "C.txt", "D.txt", "E.txt"});
    clickRow(1);
    clickRow(2, Qt::ControlModifier);
    fireTimer();
    ASSERT_TRUE(btn(12)->isEnabled());
    click(btn(12));
    EXPECT_EQ(column(0), QStringList({"A.txt", "D.txt", "B.txt", "C.txt", "E.txt"}));
    EXPECT_EQ(column(1), QStringList({"A.txt", "D.txt", "< ? >", "< ? >", "E.txt"}));
    EXPECT_EQ(selectedRows(), QList<int>({2, 3}));
    EXPECT_FALSE(btn(8)->isEnabled());
    fireTimer();
    EXPECT_EQ(column(1), QStringList({"A.txt", "D.txt", "B.txt", "C.txt", "E.txt"}));

    click(btn(1));
    click(btn(2));
    clickRow(1);
    clickRow(3, Qt::ControlModifier);
    fireTimer();
    click(btn(13));
    EXPECT_EQ(column(0), QStringList({"D.txt", "A.txt", "C.txt", "B.txt", "E.txt"}));
    EXPECT_EQ(selectedRows(), QList<int>({0, 2}));
}

TEST_F(MainWindowTest, RefusedMoveChangesNothingButStillDelaysTheCheck) {
    openWith({"a.txt", "b.txt"});
    clickRow(0);
    fireTimer();
    ASSERT_TRUE(btn(12)->isEnabled());
    clickRow(1);  // the last row is marked now, before any check saw it
    click(btn(12));
    EXPECT_EQ(column(0), QStringList({"a.txt", "b.txt"}));
    EXPECT_EQ(selectedRows(), QList<int>({1}));
    EXPECT_TRUE(timer.isActive());
    EXPECT_FALSE(btn(8)->isEnabled());
}

TEST_F(MainWindowTest, HeaderClicksSortAsSeenInTheView) {
    QStringList paths{files.touch("b.txt", QByteArray(300, 'x')),
                      files.touch("a.dat", QByteArray(100, 'x')),
                      files.touch("c.bin", QByteArray(200, 'x'))};
    open(paths);
    ASSERT_EQ(column(0), QStringList({"a.dat", "b.txt", "c.bin"}));
    clickHeader(3);  // "Größe"
    EXPECT_EQ(column(0), QStringList({"a.dat", "c.bin", "b.txt"}));
    EXPECT_FALSE(timer.isActive());
    clickHeader(3);
    EXPECT_EQ(column(0), QStringList({"b.txt", "c.bin", "a.dat"}));
    clickHeader(4);  // "Typ", still descending
    EXPECT_EQ(column(0), QStringList({"b.txt", "a.dat", "c.bin"}));
    EXPECT_EQ(selectedRows(), QList<int>({0, 1, 2}));
}

TEST_F(MainWindowTest, DroppedFilesAreAddedMarkedAndSorted) {
    open();
    const QString x = files.touch("x.txt");
    const QString y = files.touch("y.txt");
    const QString folder = files.mkdir("ordner");
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(y), QUrl::fromLocalFile(folder), QUrl::fromLocalFile(x)});
    drop(data);
    EXPECT_EQ(column(0), QStringList({"x.txt", "y.txt"}));
    EXPECT_EQ(selectedRows(), QList<int>({0, 1}));
    EXPECT_EQ(panel(1), "2 von 2 Dateien markiert");
    EXPECT_TRUE(btn(8)->isEnabled());

    drop(data);
    EXPECT_EQ(column(0), QStringList({"x.txt", "y.txt"}));
    delete data;
}

TEST_F(MainWindowTest, DropWithoutFilesChangesNothing) {
    openWith({"a.txt"});
    click(btn(2));
    const QString hint = panel(2);
    auto data = std::make_unique<QMimeData>();
    data->setText("kein Dateiname");
    drop(data.get());
    data->setUrls({QUrl("https://www.netzblatt.example/a.txt")});
    drop(data.get());
    EXPECT_EQ(column(0), QStringList({"a.txt"}));
    EXPECT_EQ(selectedRows(), QList<int>());
    EXPECT_EQ(panel(2), hint);
}

TEST_F(MainWindowTest, RenameRunRenamesSavesTheScenarioAndReportsToTheClipboard) {
    openWith({"a.txt", "b.txt"});
    typeMask("x_[NAME][TYP]");
    fireTimer();
    click(find<QCheckBox>("DirItCheck"));
    QGuiApplication::clipboard()->setText("vorher");
    ASSERT_TRUE(btn(8)->isEnabled());
    click(btn(8));
    EXPECT_EQ(files.names(), QStringList({"x_a.txt", "x_b.txt"}));
    EXPECT_EQ(liste()->model()->rowCount(), 0);
    EXPECT_EQ(panel(1), "0 von 0 Dateien markiert");
    EXPECT_FALSE(btn(8)->isEnabled());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "x_b.txt\nx_a.txt\n");
    EXPECT_EQ(find<QPlainTextEdit>("DirItTextBox")->toPlainText(), "");
    EXPECT_EQ(ScenarioHistory(store()).FillScenarioMenu().value(0), "x_[NAME][TYP]");
}

TEST_F(MainWindowTest, RenameRunWithoutDirItLeavesTheClipboardAlone) {
    openWith({"a.txt"});
    QGuiApplication::clipboard()->setText("vorher");
    click(btn(8));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "vorher");
}

struct FailureCase {
    QMessageBox::StandardButton answer;
    QStringList namesAfter;
    QStringList rowsAfter;
    QString clipboard;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << (c.answer == QMessageBox::Ok ? "OK" : "Abbrechen");
}

class RenameFailureTest : public MainWindowTest,
                          public ::testing::WithParamInterface<FailureCase> {};

TEST_P(RenameFailureTest, FailedRenamingAsksWhetherToGoOn) {
    const FailureCase& c = GetParam();
    openWith({"a.txt", "b.txt", "c.txt"});
    typeMask("n_[NAME][TYP]");
    fireTimer();
    click(find<QCheckBox>("DirItCheck"));
    ASSERT_TRUE(btn(8)->isEnabled());
    files.touch("n_b.txt");  // the target appears after the check

    QString title;
    QString text;
    QStringList buttonTexts;
    bool okIsDefault = false;
    QMessageBox::Icon icon = QMessageBox::Warning;
    const QMessageBox::StandardButton answer = c.answer;
    whenModalShown([&, answer](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        okIsDefault = box->defaultButton() == box->button(QMessageBox::Ok);
        for (QAbstractButton* button : box->buttons()) {
            buttonTexts << button->text();
        }
        QTest::keyClick(box, answer == QMessageBox::Ok ? Qt::Key_Return : Qt::Key_Escape);
    });
    click(btn(8));

    EXPECT_EQ(title, "Taufix");
    EXPECT_EQ(text, "Folgende Datei ließ sich nicht umbenennen:\n\n" + files.file("b.txt") +
                        "\n-->\n" + files.file("n_b.txt") +
                        "\n\nKlicken Sie 'OK', um fortzusetzen oder 'Abbrechen' um die Aktion "
                        "zu beenden.");
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_TRUE(okIsDefault);
    EXPECT_EQ(buttonTexts.size(), 2);
    if (QCoreApplication::translate("QPlatformTheme", "Cancel") == "Abbrechen") {
        EXPECT_TRUE(buttonTexts.contains("&Abbrechen") || buttonTexts.contains("Abbrechen"))
            << buttonTexts.join(',').toStdString();
    }
    EXPECT_EQ(files.names(), c.namesAfter);
    EXPECT_EQ(column(0), c.rowsAfter);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), c.clipboard);
}

INSTANTIATE_TEST_SUITE_P(Answered, RenameFailureTest,
                         ::testing::Values(FailureCase{QMessageBox::Ok,
                                                       {"b.txt", "n_a.txt", "n_b.txt", "n_c.txt"},
                                                       {"b.txt"},
                                                       "n_c.txt\nn_a.txt\n"},
                                           FailureCase{QMessageBox::Cancel,
                                                       {"a.txt", "b.txt", "n_b.txt", "n_c.txt"},
                                                       {"a.txt", "b.txt"},
                                                       "n_c.txt\n"}),
                         [](const ::testing::TestParamInfo<FailureCase>& info) {
                             return info.param.answer == QMessageBox::Ok ? "Ok" : "Cancel";
                         });

TEST_F(MainWindowTest, HistoryMenuOfAnEmptyStoreOffersTheDefaultMask) {
    open();
    typeMask("anders");
    click(btn(24));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QStringList shown;
    for (QAction* action : menu->actions()) {
        if (action->isVisible()) {
            shown << (action->isSeparator() ? "-" : action->text());
        }
    }
    EXPECT_EQ(shown, QStringList({"[NAME][TYP]", "-", "Abbrechen"}));
    ASSERT_NE(menu->defaultAction(), nullptr);
    EXPECT_EQ(menu->defaultAction()->text(), "Abbrechen");

    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                      menu->actionGeometry(menu->actions().first()).center());
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(field("Maske")->text(), "[NAME][TYP]");
}

TEST_F(MainWindowTest, ChoosingAHistoryEntryRestoresItThroughTheControls) {
    ScenarioHistory history(store());
    Scenario older;
    older.mask = "[NAME]_[ZAHL][TYP]";
    older.startText = "5";
    older.stepText = "2";
    older.leadZerosPosition = 1;
    older.letterCasePosition = 2;
    older.searchText = "a";
    older.replaceText = "b";
    older.dirIt = 1;
    history.SaveScenario(older);
    Scenario newer;
    newer.mask = "Neu & [NAME][TYP]";
    history.SaveScenario(newer);

    openWith({"a.txt"});
    click(btn(24));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QList<QAction*> shown;
    for (QAction* action : menu->actions()) {
        if (action->isVisible() && !action->isSeparator()) {
            shown << action;
        }
    }
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown[0]->text(), "Neu && [NAME][TYP]");  // "&" shown as itself
    EXPECT_EQ(shown[1]->text(), "[NAME]_[ZAHL][TYP]");

    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                      menu->actionGeometry(shown[1]).center());
    EXPECT_EQ(field("Maske")->text(), "[NAME]_[ZAHL][TYP]");
    EXPECT_EQ(field("Zahl")->text(), "5");
    EXPECT_EQ(field("Schrittweite")->text(), "2");
    EXPECT_EQ(choices("Vornullenzeichen")->currentText(), "Null");
    EXPECT_EQ(choices("Schreibweise")->currentText(), "alles klein");
    EXPECT_EQ(field("SucheText")->text(), "a");
    EXPECT_EQ(field("ErsetzeText")->text(), "b");
    EXPECT_TRUE(find<QCheckBox>("DirItCheck")->isChecked());
    EXPECT_FALSE(btn(8)->isEnabled());
    fireTimer();
    EXPECT_EQ(column(1), QStringList({"b_5.txt"}));
}

TEST_F(MainWindowTest, CancelInTheHistoryMenuChangesNothing) {
    open();
    typeMask("anders");
    click(btn(24));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                      menu->actionGeometry(menu->defaultAction()).center());
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(field("Maske")->text(), "anders");
}

struct ToolTipCase {
    const char* control;
    const char* text;
};

const ToolTipCase kToolTips[] = {
    {"Liste", "Namen der umzubenennenden Dateien in diese Liste ziehen"},
    {"Schreibweise", "Legt Groß- und/oder Kleinschreibung der neuen Namen fest"},
    {"Btn0", "Löscht alle Dateinamen in der obenstehenden Liste"},
    {"Btn1", "Markiert alle Dateien in der Liste als ausgewählt"},
    {"Btn2", "Löscht alle Dateimarkierungen"},
    {"Btn3", "Kehrt die aktuelle Dateiauswahl um"},
    {"Btn4", "Fügt das Token [NAME] in die Maske ein"},
    {"Btn5", "Fügt das Token [TYP] in die Maske ein"},
    {"Btn6", "Fügt das Token [ZAHL] in die Maske ein"},
    {"Btn19", "Fügt das Token [DATUM] in die Maske ein"},
    {"Btn18", "Fügt das Token [RDATUM] in die Maske ein"},
    {"Btn22", "Fügt das Token [ZEIT] in die Maske ein"},
    {"Btn17", "Fügt das Token [TAG] in die Maske ein"},
    {"Btn16", "Fügt das Token [MONAT] in die Maske ein"},
    {"Btn15", "Fügt das Token [JAHR] in die Maske ein"},
    {"Btn21", "Fügt das Token [H] (entspricht [STUNDE]) in die Maske ein"},
    {"Btn20", "Fügt das Token [M] (entspricht [MINUTE]) in die Maske ein"},
    {"Btn7", "Fügt das Token [S] (entspricht [SEKUNDE]) in die Maske ein"},
    {"Btn23", "Fügt eine leere Klammer in die Maske ein und positioniert den Cursor darin"},
    {"Btn8", "Startet die Umbenennung aller markierten Dateien in der Liste"},
    {"Btn9", "Beendet das Programm"},
    {"Btn10", "Gibt Zusatzinfos über das Programm"},
    {"Btn11", "Löscht die Maske komplett"},
    {"Btn12", "Bewegt alle markierten Einträge um eine Position nach unten"},
    {"Btn13", "Bewegt alle markierten Einträge um eine Position nach oben"},
    {"Btn24", "Blendet ein Menü mit den zuletzt benutzten Masken ein"},
    {"Bar", "Zeigt den aktuellen Verarbeitungsstand an"},
    {"Zahl", "Tragen Sie hier den Startwert für den Dateizähler ein"},
    {"Vornullenzeichen", "hier legen Sie das für Vornullen zu verwendende Zeichen fest"},
    {"StatusPanel1", "Anzahl der Dateien in der Liste"},
    {"StatusPanel2", "Programmstatus und Hinweise für den Anwender"},
    {"ToolTipCheck", "Schaltet die Tooltips ein oder aus"},
    {"DirItCheck",
     "Markieren Sie diese Option, um alle Umbenennungen in die Zwischenablage zu kopieren."},
};

const char* const kNeverToolTip[] = {"Maske",     "Schrittweite", "StellenAnzahl",
                                     "SucheText", "ErsetzeText",  "Btn25"};

const QString kImage1Tip =
    QStringLiteral("Klicken Sie hier für die neuesten Infos des Netzblatt-Magazins!");

TEST_F(MainWindowTest, ToolTipSwitchSetsAndClearsEveryToolTip) {
    open();
    QWidget& window = *m_window;
    const auto tip = [&window](const char* name) {
        return window.findChild<QWidget*>(QLatin1String(name))->toolTip();
    };
    for (const ToolTipCase& c : kToolTips) {
        EXPECT_EQ(tip(c.control), "") << c.control;
    }
    EXPECT_EQ(tip("Image1"), kImage1Tip);
    EXPECT_EQ(store().GetSettingValue("ToolTips", "<none>"), "<none>");

    for (int round = 0; round < 2; ++round) {
        click(find<QCheckBox>("ToolTipCheck"));
        EXPECT_EQ(store().GetSettingValue("ToolTips", "<none>"), "1");
        for (const ToolTipCase& c : kToolTips) {
            EXPECT_EQ(tip(c.control), QString::fromUtf8(c.text)) << c.control;
        }
        for (const char* name : kNeverToolTip) {
            EXPECT_EQ(tip(name), "") << name;
        }
        click(find<QCheckBox>("ToolTipCheck"));
        EXPECT_EQ(store().GetSettingValue("ToolTips", "<none>"), "0");
        for (const ToolTipCase& c : kToolTips) {
            EXPECT_EQ(tip(c.control), "") << c.control;
        }
        EXPECT_EQ(tip("Image1"), kImage1Tip);
    }
}

TEST_F(MainWindowTest, StoredToolTipSwitchTurnsThemOnAtStartUp) {
    for (const char* stored : {"1", "7"}) {
        store().SaveSettingValue("ToolTips", stored);
        open();
        EXPECT_TRUE(find<QCheckBox>("ToolTipCheck")->isChecked());
        EXPECT_EQ(btn(8)->toolTip(),
                  "Startet die Umbenennung aller markierten Dateien in der Liste");
        EXPECT_EQ(store().GetSettingValue("ToolTips", "<none>"), "1");
    }
    store().SaveSettingValue("ToolTips", "0");
    open();
    EXPECT_FALSE(find<QCheckBox>("ToolTipCheck")->isChecked());
    EXPECT_EQ(btn(8)->toolTip(), "");
}

TEST_F(MainWindowTest, CounterFieldsTakeOnlyDigitsAndEditingKeys) {
    open();
    QLineEdit* zahl = field("Zahl");
    zahl->setFocus();
    QTest::keyClick(zahl, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(zahl, "a1b2-.3 x");
    EXPECT_EQ(zahl->text(), "123");
    QTest::keyClick(zahl, Qt::Key_Backspace);
    EXPECT_EQ(zahl->text(), "12");
    QTest::keyClick(zahl, Qt::Key_Left);
    QTest::keyClick(zahl, Qt::Key_Delete);
    EXPECT_EQ(zahl->text(), "1");
    QTest::keyClick(zahl, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(zahl->text(), "12");
    QTest::keyClick(zahl, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(zahl, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "12");
    QTest::keyClicks(zahl, "007");
    EXPECT_EQ(zahl->text(), "007");
    fireTimer();
    EXPECT_EQ(zahl->text(), "7");

    QLineEdit* schrittweite = field("Schrittweite");
    schrittweite->setFocus();
    QTest::keyClick(schrittweite, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(schrittweite, "12345678e");
    EXPECT_EQ(schrittweite->text(), "12345");
}

TEST_F(MainWindowTest, EnteringAFieldByTabSelectsItsText) {
    open();
    const struct {
        const char* before;
        const char* field;
    } steps[] = {{"Btn0", "Zahl"},
                 {"Zahl", "Schrittweite"},
                 {"Schreibweise", "SucheText"},
                 {"SucheText", "ErsetzeText"}};
    field("SucheText")->setText("suche");
    field("ErsetzeText")->setText("ersetze");
    for (const auto& s : steps) {
        SCOPED_TRACE(s.field);
        m_window->findChild<QWidget*>(QLatin1String(s.before))->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCoreApplication::processEvents();
        QLineEdit* entered = field(s.field);
        ASSERT_TRUE(entered->hasFocus());
        EXPECT_EQ(entered->selectedText(), entered->text());
    }
    QTest::keyClicks(field("ErsetzeText"), "neu");
    EXPECT_EQ(field("ErsetzeText")->text(), "neu");

    field("Zahl")->setFocus();
    QCoreApplication::processEvents();
    QTest::keyClicks(field("Zahl"), "42");
    EXPECT_EQ(field("Zahl")->text(), "42");
}

TEST_F(MainWindowTest, HelpBannerAndInfoGoThroughTheShell) {
    open();
    click(btn(10));
    ASSERT_EQ(shell.targets.size(), 1);
    EXPECT_TRUE(shell.targets[0].endsWith("/Hilfe.htm"));
    EXPECT_EQ(shell.targets[0], helpFilePath());

    QTest::mouseClick(find<QLabel>("Image1"), Qt::LeftButton);
    ASSERT_EQ(shell.targets.size(), 2);
    EXPECT_EQ(shell.targets[1], "www.netzblatt.example");
}

TEST_F(MainWindowTest, InfoWindowShowsTheSameTextEveryTimeAndStaysOpenForTheShell) {
    open();
    const QString expectedText = QStringLiteral("Taufix – Ein praktisches Umbenennungsutility\n\n");
    QWidget* first = nullptr;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        QString caption;
        QString text;
        bool openAfterShell = false;
        QWidget* shown = nullptr;
        whenModalShown([&](QWidget* modal) {
            shown = modal;
            caption = modal->windowTitle();
            text = modal->findChild<QLabel*>("Label0")->text();
            QTest::mouseClick(modal->findChild<QPushButton*>("MailButton"), Qt::LeftButton);
            QTest::mouseClick(modal->findChild<QPushButton*>("NewsButton"), Qt::LeftButton);
            openAfterShell = modal->isVisible();
            QTest::mouseClick(modal->findChild<QPushButton*>("CloseButton"), Qt::LeftButton);
        });
        click(btn(25));
        EXPECT_EQ(caption, "Info über Taufix");
        EXPECT_TRUE(text.startsWith(expectedText));
        EXPECT_TRUE(text.endsWith(
            "\n\nVerbesserungsvorschläge sind mir gerne willkommen. Weitere interessante "
            "Tools/Infos finden Sie auf meiner Web-Site unter www.veskandor.example"));
        EXPECT_EQ(text.count('\n'), 5);
        EXPECT_TRUE(openAfterShell);
        ASSERT_NE(shown, nullptr);
        EXPECT_FALSE(shown->isVisible());
        if (round == 0) {
            first = shown;
        } else {
            EXPECT_EQ(shown, first);
        }
    }
    EXPECT_EQ(shell.targets,
              QStringList({"mailto:taufix@veskandor.example", "www.veskandor.example/new.htm",
                           "mailto:taufix@veskandor.example", "www.veskandor.example/new.htm"}));
}

TEST_F(MainWindowTest, EndLeavesTheEventLoopAtOnceWithoutSaving) {
    open();
    typeMask("ungespeichert");
    QTimer::singleShot(0, m_window.get(), [this] { click(btn(9)); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(ScenarioHistory(store()).FillScenarioMenu().value(0), "[NAME][TYP]");
    EXPECT_EQ(store().GetSettingValue("ToolTips", "<none>"), "<none>");

    // Modal windows still work afterwards.
    bool shown = false;
    whenModalShown([&shown](QWidget* modal) {
        shown = true;
        modal->close();
    });
    click(btn(25));
    EXPECT_TRUE(shown);
}

}  // namespace
