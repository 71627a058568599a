#pragma once

#include <QByteArrayList>
#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "ui/delay_timer.h"
#include "ui/file_list_model.h"
#include "ui/main_window_controls.h"
#include "ui/mark_selection_model.h"
#include "ui/plan_presenter.h"
#include "ui/scenario_history.h"

class CaretKeeper;
class FileSystem;
class JournalStore;
class HistoryMenu;
class InfoForm;
class SettingsStore;
class Shell;

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
    void connectPresenter();
    void startUp(const QByteArrayList& arguments);

    void BtnClick(int index);
    void UmTaufen();
    void undoLastRun();
    void ShowScenarioMenu();
    void LoadScenario(int index);
    void showInfo();
    void ToolTipCheckClick(bool on);

    void showCommandStates();
    void showListFree(bool free);
    void showOptions();
    void showProgress(int value, int maximum);
    void showSortIndicator();
    void showNextRowInTrouble();
    void fitToScreen();

    SettingsStore& m_store;
    Shell& m_shell;
    ScenarioHistory m_history;
    PlanPresenter m_presenter;
    // Members, not children: they go before the view that shows them, and after the presenter
    // they read.
    FileListModel m_model;
    MarkSelectionModel m_marks;
    MainWindowControls m_ui;
    CaretKeeper* m_maskCaret = nullptr;
    HistoryMenu* m_historyMenu = nullptr;
    std::unique_ptr<InfoForm> m_infoForm;
    // Where the focus was, and went, when a fill took the list.
    bool m_listHadFocus = false;
    QPointer<QWidget> m_focusStandIn;
};
