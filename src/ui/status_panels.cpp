#include "ui/status_panels.h"

#include <QHelpEvent>
#include <QLabel>
#include <QStatusBar>
#include <QStylePainter>
#include <QToolTip>

#include "ui/plan_presenter.h"
#include "ui/tooltips.h"

namespace {

// A panel whose text the status bar cuts off ends in "…" and shows in full in its tooltip, above
// the tooltip of its own. Its text widens the window never; a panel that keeps its text gives way
// only where it would take more than two thirds of the status bar.
class Panel : public QLabel {
  public:
    Panel(QStatusBar& bar, bool keepsText) : QLabel(&bar), m_keepsText(keepsText) {
        if (keepsText) {
            bar.installEventFilter(this);
        } else {
            setMinimumWidth(1);
        }
    }

    QSize minimumSizeHint() const override {
        QSize size = QLabel::minimumSizeHint();
        if (m_keepsText) {
            size.setWidth(qMin(size.width(), parentWidget()->width() * 2 / 3));
        }
        return size;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            updateGeometry();
        }
        return QLabel::eventFilter(watched, event);
    }

    bool event(QEvent* event) override {
        if (event->type() == QEvent::ToolTip && cutOff()) {
            const QString own = toolTip();
            const QString whole = own.isEmpty() ? text() : text() + QStringLiteral("\n\n") + own;
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                               toolTipText(whole, this), this, rect());
            return true;
        }
        return QLabel::event(event);
    }

    void paintEvent(QPaintEvent* event) override {
        if (!cutOff()) {
            QLabel::paintEvent(event);
            return;
        }
        QStylePainter painter(this);
        drawFrame(&painter);
        const QRect room = textRoom();
        painter.drawItemText(
            room, QStyle::visualAlignment(layoutDirection(), alignment()), palette(), isEnabled(),
            fontMetrics().elidedText(text(), Qt::ElideRight, room.width()), foregroundRole());
    }

  private:
    // The room QLabel gives its text: inside a frame it keeps half an "x" from its left edge.
    QRect textRoom() const {
        const int indent = frameWidth() > 0 ? fontMetrics().horizontalAdvance(u'x') / 2 : 0;
        return contentsRect().adjusted(indent, 0, 0, 0);
    }
    bool cutOff() const { return fontMetrics().horizontalAdvance(text()) > textRoom().width(); }

    bool m_keepsText;
};

QLabel* addPanel(QStatusBar& bar, const char* name, bool framed, bool keepsText) {
    auto* panel = new Panel(bar, keepsText);
    panel->setObjectName(QLatin1String(name));
    if (framed) {
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
    }
    // After the frame, whose width would otherwise add to them.
    panel->setContentsMargins(3, 0, 3, 0);
    return panel;
}

}  // namespace

StatusPanels addStatusPanels(QStatusBar& bar, PlanPresenter& presenter) {
    StatusPanels panels{addPanel(bar, "StatusPanel1", true, false),
                        addPanel(bar, "StatusPanel2", true, true)};
    panels.marked->setMinimumWidth(190);
    // Notices that must not hide the hint line, such as files a fill passed over.
    QLabel* notice = addPanel(bar, "StatusPanel3", false, false);
    // How the last run went, or how many rows are in trouble.
    QLabel* summary = addPanel(bar, "StatusPanel4", false, true);
    bar.addWidget(panels.marked);
    bar.addWidget(panels.hint, 1);
    bar.addPermanentWidget(summary);
    bar.addPermanentWidget(notice);

    QObject::connect(&presenter, &PlanPresenter::userInfo, panels.hint, &QLabel::setText);
    QObject::connect(
        &presenter, &PlanPresenter::checked, panels.marked,
        [marked = panels.marked, &presenter] { marked->setText(presenter.markedText()); });
    QObject::connect(&presenter, &PlanPresenter::noticeChanged, notice, &QLabel::setText);
    QObject::connect(&presenter, &PlanPresenter::summaryChanged, summary,
                     [summary](const QString& text, const QString& toolTip) {
                         summary->setText(text);
                         summary->setToolTip(toolTip);
                     });
    return panels;
}
