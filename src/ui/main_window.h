#pragma once

#include <QByteArrayList>
#include <QMainWindow>
#include <memory>

#include "plan/rename_plan.h"
#include "ui/main_window_controls.h"
#include "ui/scenario_history.h"

class DelayTimer;
class FileListModel;
class FileSystem;
class HistoryMenu;
class InfoForm;
class QItemSelection;
class QMimeData;
class SettingsStore;
class Shell;

// The main window: shows the plan's state and forwards every action of the user to it.
class Form1 : public QMainWindow {
    Q_OBJECT

  public:
    // arguments: the paths named on the command line, one path each, as the file system spells
    // them. timer: the delay of the delayed check; without one the window counts 1500 ms itself.
    Form1(SettingsStore& store, Shell& shell, FileSystem& fileSystem,
          const QByteArrayList& arguments = {}, DelayTimer* timer = nullptr,
          QWidget* parent = nullptr);
    ~Form1() override;

    // The tick of Timer1, which the delay timer ends in.
    void Timer1Tick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void connectControls();
    void connectPlan();
    void startUp(const QByteArrayList& arguments);

    void BtnClick(int index);
    void InsertText(const QString& s, int p);
    void UmTaufen();
    void ShowScenarioMenu();
    void LoadScenario(int index);
    Scenario currentScenario() const;
    void showInfo();
    void ToolTipCheckClick(bool on);

    // The choice handlers of the drop-down lists, run for choices of the user and of the code.
    void chooseLetterCase(int index);
    void chooseDigitCount(int index);
    void chooseLeadZeros(int index);

    void showVerdict();
    void showDigitChoices();
    void showProgress(int value, int maximum);
    void selectMarkedRows();
    void takeMarksFromView(const QItemSelection& selected, const QItemSelection& deselected);
    void dropFiles(const QMimeData* data);
    void rememberMaskCaret();

    SettingsStore& m_store;
    Shell& m_shell;
    std::unique_ptr<DelayTimer> m_ownTimer;
    RenamePlan m_plan;
    ScenarioHistory m_history;
    MainWindowControls m_ui;
    FileListModel* m_model = nullptr;
    HistoryMenu* m_historyMenu = nullptr;
    std::unique_ptr<InfoForm> m_infoForm;

    bool m_showingMarks = false;  // the view's selection is being set from the marks
    int m_barValue = 0;           // the value shown last, to spare repaints
    // The caret and selection of Maske as it kept them when it lost the focus.
    int m_maskSelectionStart = 0;
    int m_maskSelectionLength = 0;
};
