#pragma once

#include <QByteArrayList>
#include <QMainWindow>
#include <memory>

#include "ui/delay_timer.h"
#include "ui/list_wiring.h"
#include "ui/plan_presenter.h"
#include "ui/scenario_history.h"
#include "ui/status_panels.h"

class CaretKeeper;
class FileSystem;
class JournalStore;
class HistoryMenu;
class InfoForm;
class SettingsStore;
class Shell;
namespace Ui {
class Form1;
}

// The main window: shows the presenter's state and hands every action of the user to it.
class Form1 : public QMainWindow {
    Q_OBJECT

  public:
    // arguments: the paths named on the command line, one path each, as the file system spells
    // them. timer: the delay of the delayed check; without one it runs on the event loop.
    Form1(SettingsStore& store, Shell& shell, FileSystem& fileSystem, JournalStore& journal,
          const QByteArrayList& arguments = {}, std::unique_ptr<DelayTimer> timer = nullptr,
          QWidget* parent = nullptr);
    ~Form1() override;

  private:
    void connectControls();
    void startUp(const QByteArrayList& arguments);

    void BtnClick(int index);
    void ShowScenarioMenu();
    void LoadScenario(int index);
    void showInfo();
    // Asks for a folder and adds its files.
    void addFolder();
    void ToolTipCheckClick(bool on);

    void showCommandStates();
    void showOptions();
    void showProgress(int value, int maximum);

    SettingsStore& m_store;
    Shell& m_shell;
    ScenarioHistory m_history;
    PlanPresenter m_presenter;
    std::unique_ptr<Ui::Form1> m_ui;
    ListWiring m_list;
    StatusPanels m_status;
    CaretKeeper* m_maskCaret = nullptr;
    HistoryMenu* m_historyMenu = nullptr;
    std::unique_ptr<InfoForm> m_infoForm;
    bool m_withSubfolders = false;  // the folder dialog's last choice
};
