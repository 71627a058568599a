#pragma once

#include <QObject>

class QBoxLayout;
class QMainWindow;
class QWidget;
namespace Ui {
class Form1;
}

// Fits the main window to its screen: it opens at its design size where that fits and at the room
// the screen has where not, and the user can resize it down to the least size at which every
// control still shows. Smaller than its design, the list, the spare room in the frames and the
// search fields give up room first; then the loose buttons below the frames go onto two lines.
// Larger, the list takes the room.
class WindowLayout : public QObject {
  public:
    WindowLayout(QMainWindow& window, const Ui::Form1& form);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void setOneLine(bool oneLine);

    QMainWindow& m_window;
    QBoxLayout* m_buttons;
    int m_oneLineSpacing;
    int m_twoLinesSpacing;
    int m_oneLineWidth = 0;  // the least width of the central widget with one line
};
