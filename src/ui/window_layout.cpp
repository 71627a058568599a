#include "ui/window_layout.h"

#include <QHeaderView>
#include <QMainWindow>
#include <QResizeEvent>
#include <QScreen>
#include <QStyle>

#include "ui/list_view_behaviour.h"
#include "ui_main_window.h"

namespace {

// The list keeps its header and two rows, so that the window fits below a panel and a title bar
// on 1366 × 768 at 150 %; narrower than its columns, it scrolls them.
void setListMinimum(QTableView* list) {
    const int rows = 2;
    list->setMinimumSize(list->minimumSizeHint().width(),
                         list->horizontalHeader()->sizeHint().height() +
                             rows * ListRowDelegate::rowHeight(list) + 2 * list->frameWidth());
}

}  // namespace

WindowLayout::WindowLayout(QMainWindow& window, const Ui::Form1& form)
    : QObject(&window),
      m_window(window),
      m_buttons(form.lowerButtonRow),
      m_oneLineSpacing(form.lowerButtonRow->spacing()),
      m_twoLinesSpacing(form.lowerButtonsLeftRow->spacing()) {
    setListMinimum(form.Liste);
    QWidget* central = window.centralWidget();
    m_oneLineWidth = central->minimumSizeHint().width();
    setOneLine(false);
    window.setMinimumSize(window.minimumSizeHint());
    setOneLine(true);
    central->installEventFilter(this);

    const QSize design = window.sizeHint();
    const QScreen* screen = window.screen();
    if (screen == nullptr) {
        window.resize(design);
        return;
    }
    const QRect available = screen->availableGeometry();
    // The window manager's frame is unknown until the window is shown; the style's frame of a
    // window inside a window stands in for it.
    const QStyle* style = window.style();
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &window);
    const int titleBar = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    const QSize room = available.size() - QSize(2 * border, titleBar + 2 * border);
    window.resize(design.boundedTo(room).expandedTo(window.minimumSize()));
    window.move(available.x() + qMax(0, (room.width() - window.width()) / 2),
                available.y() + qMax(0, (room.height() - window.height()) / 2));
}

bool WindowLayout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        setOneLine(static_cast<QResizeEvent*>(event)->size().width() >= m_oneLineWidth);
    }
    return QObject::eventFilter(watched, event);
}

void WindowLayout::setOneLine(bool oneLine) {
    const auto direction = oneLine ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
    if (m_buttons->direction() != direction) {
        m_buttons->setDirection(direction);
        m_buttons->setSpacing(oneLine ? m_oneLineSpacing : m_twoLinesSpacing);
        // Before the window is shown, the layouts above the buttons keep the sizes they cached.
        for (QWidget* w = m_buttons->parentWidget(); w != nullptr; w = w->parentWidget()) {
            w->updateGeometry();
        }
        for (QLayout* layout : m_window.findChildren<QLayout*>()) {
            layout->invalidate();
        }
    }
}
