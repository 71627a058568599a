#include "ui/main_window_controls.h"

#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

#include "list/file_entry.h"
#include "ui/file_list_model.h"
#include "ui_main_window.h"

namespace {

// The status bar's panels are added in code: a form file cannot put widgets into a status bar.
void addStatusPanels(MainWindowControls& c) {
    c.StatusPanel[0] = new QLabel(c.Status);
    c.StatusPanel[0]->setObjectName(QStringLiteral("StatusPanel1"));
    c.StatusPanel[0]->setMinimumWidth(190);
    c.StatusPanel[1] = new QLabel(c.Status);
    c.StatusPanel[1]->setObjectName(QStringLiteral("StatusPanel2"));
    for (QLabel* panel : c.StatusPanel) {
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setContentsMargins(3, 0, 3, 0);
    }
    c.NoticePanel = new QLabel(c.Status);
    c.NoticePanel->setObjectName(QStringLiteral("StatusPanel3"));
    c.NoticePanel->setContentsMargins(3, 0, 3, 0);
    c.SummaryPanel = new QLabel(c.Status);
    c.SummaryPanel->setObjectName(QStringLiteral("StatusPanel4"));
    c.SummaryPanel->setContentsMargins(3, 0, 3, 0);
    c.Status->addWidget(c.StatusPanel[0]);
    c.Status->addWidget(c.StatusPanel[1], 1);
    c.Status->addPermanentWidget(c.SummaryPanel);
    c.Status->addPermanentWidget(c.NoticePanel);
}

}  // namespace

MainWindowControls buildMainWindowControls(QMainWindow& window) {
    // The banner is in this static library's resource, which the linker drops unless referred to.
    Q_INIT_RESOURCE(taufix);
    Ui::Form1 ui;
    ui.setupUi(&window);

    MainWindowControls c;
    c.Frame1 = ui.Frame1;
    c.Liste = ui.Liste;
    c.Bar = ui.Bar;
    c.Frame3 = ui.Frame3;
    c.Zahl = ui.Zahl;
    c.Schrittweite = ui.Schrittweite;
    c.StellenAnzahl = ui.StellenAnzahl;
    c.Vornullenzeichen = ui.Vornullenzeichen;
    c.Label1 = {ui.Label1_0, ui.Label1_1, ui.Label1_2, ui.Label1_3, ui.Label1_4, ui.Label1_5};
    c.Frame2 = ui.Frame2;
    c.Maske = ui.Maske;
    c.Frame5 = ui.Frame5;
    c.ToolTipCheck = ui.ToolTipCheck;
    c.Image1 = ui.Image1;
    c.DirItCheck = ui.DirItCheck;
    c.DirItTextBox = ui.DirItTextBox;
    c.Frame4 = {ui.Frame4_0, ui.Frame4_1};
    c.SucheText = ui.SucheText;
    c.ErsetzeText = ui.ErsetzeText;
    c.Schreibweise = ui.Schreibweise;
    c.Status = ui.Status;
    c.Btn = {ui.Btn0,  ui.Btn1,  ui.Btn2,  ui.Btn3,  ui.Btn4,  ui.Btn5,  ui.Btn6,
             ui.Btn7,  ui.Btn8,  ui.Btn9,  ui.Btn10, ui.Btn11, ui.Btn12, ui.Btn13,
             nullptr,  ui.Btn15, ui.Btn16, ui.Btn17, ui.Btn18, ui.Btn19, ui.Btn20,
             ui.Btn21, ui.Btn22, ui.Btn23, ui.Btn24, ui.Btn25};
    c.UndoButton = ui.UndoButton;

    // The form file cannot reach the header's section behaviour.
    c.Liste->header()->setSectionsMovable(false);
    c.Liste->header()->setSectionsClickable(true);
    // Wide enough for the visible columns, which the model measures.
    int visibleWidth = 0;
    for (int k = 0; k < kColumnCount; ++k) {
        visibleWidth += FileListModel::columnWidth(k);
    }
    c.Liste->setMinimumSize(visibleWidth + 24, 230);

    addStatusPanels(c);
    return c;
}
