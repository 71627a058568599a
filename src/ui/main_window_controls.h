#pragma once

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTreeView;

inline constexpr int kBtnCount = 26;  // Btn 0 to 25; 14 does not exist

// The controls of the main window under their names; the window wires them.
struct MainWindowControls {
    QGroupBox* Frame1 = nullptr;
    QTreeView* Liste = nullptr;
    QProgressBar* Bar = nullptr;

    QGroupBox* Frame3 = nullptr;
    QLineEdit* Zahl = nullptr;
    QLineEdit* Schrittweite = nullptr;
    QComboBox* StellenAnzahl = nullptr;
    QComboBox* Vornullenzeichen = nullptr;
    std::array<QLabel*, 6> Label1{};

    QGroupBox* Frame2 = nullptr;
    QLineEdit* Maske = nullptr;

    QGroupBox* Frame5 = nullptr;
    QCheckBox* ToolTipCheck = nullptr;
    QLabel* Image1 = nullptr;

    QCheckBox* DirItCheck = nullptr;
    QPlainTextEdit* DirItTextBox = nullptr;  // multi-line: the report has one name per line

    std::array<QGroupBox*, 2> Frame4{};
    QLineEdit* SucheText = nullptr;
    QLineEdit* ErsetzeText = nullptr;
    QComboBox* Schreibweise = nullptr;

    QStatusBar* Status = nullptr;
    std::array<QLabel*, 2> StatusPanel{};  // panel 1 and panel 2
    // Notices that must not hide the hint line, such as files a fill passed over.
    QLabel* NoticePanel = nullptr;
    // How the last run went, until the next change.
    QLabel* SummaryPanel = nullptr;

    std::array<QPushButton*, kBtnCount> Btn{};  // Btn[14] stays null
    QPushButton* UndoButton = nullptr;
};

// Creates, captions and places every control in window, with the tab order of the window.
MainWindowControls buildMainWindowControls(QMainWindow& window);
