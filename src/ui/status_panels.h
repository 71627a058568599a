#pragma once

class PlanPresenter;
class QLabel;
class QStatusBar;

// The status bar's panels, which show what the presenter reports. They are made in code: a form
// file cannot put widgets into a status bar.
struct StatusPanels {
    QLabel* marked = nullptr;  // panel 1: the marked count of the last check
    QLabel* hint = nullptr;    // panel 2: the hint line
};

StatusPanels addStatusPanels(QStatusBar& bar, PlanPresenter& presenter);
