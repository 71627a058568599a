#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class Shell;

// The information window: program name and description, the freeware notice, and buttons to
// write to the maker or open the maker's news page.
class InfoForm : public QDialog {
    Q_OBJECT

  public:
    // parent only keeps the window out of the taskbar; it opens centred on the screen.
    explicit InfoForm(Shell& shell, QWidget* parent = nullptr);

    // Fills the window and shows it modally; returns when it is closed.
    void main(const QString& name, const QString& description);
    // Fills the window as main does, without showing it.
    void load(const QString& name, const QString& description);

    static QString informationText(const QString& name, const QString& description);

  private:
    Shell& m_shell;
    QLabel* m_picture;
    QLabel* m_label;
    QPushButton* m_mailButton;
    QPushButton* m_newsButton;
    QPushButton* m_closeButton;
};
