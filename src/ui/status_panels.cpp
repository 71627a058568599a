#include "ui/status_panels.h"

#include <QLabel>
#include <QStatusBar>

#include "ui/plan_presenter.h"

namespace {

QLabel* addPanel(QStatusBar& bar, const char* name, bool framed) {
    auto* panel = new QLabel(&bar);
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
    StatusPanels panels{addPanel(bar, "StatusPanel1", true), addPanel(bar, "StatusPanel2", true)};
    panels.marked->setMinimumWidth(190);
    // Notices that must not hide the hint line, such as files a fill passed over.
    QLabel* notice = addPanel(bar, "StatusPanel3", false);
    // How the last run went, or how many rows are in trouble.
    QLabel* summary = addPanel(bar, "StatusPanel4", false);
    bar.addWidget(panels.marked);
    bar.addWidget(panels.hint, 1);
    bar.addPermanentWidget(summary);
    bar.addPermanentWidget(notice);

    QObject::connect(&presenter, &PlanPresenter::userInfo, panels.hint, &QLabel::setText);
    QObject::connect(
        &presenter, &PlanPresenter::checked, panels.marked,
        [marked = panels.marked, &presenter] { marked->setText(presenter.markedText()); });
    QObject::connect(&presenter, &PlanPresenter::noticeChanged, notice,
                     [notice](const QString& text) {
                         notice->setText(text);
                         // A long hint line leaves the panel too little room; the tooltip shows
                         // what is cut off.
                         notice->setToolTip(text);
                     });
    QObject::connect(&presenter, &PlanPresenter::summaryChanged, summary,
                     [summary](const QString& text, const QString& toolTip) {
                         summary->setText(text);
                         summary->setToolTip(toolTip);
                     });
    return panels;
}
