#pragma once

class PlanPresenter;
class QPlainTextEdit;
class QWidget;

// The rename run with its dialogs: after a failed renaming the user decides whether it goes on;
// a journal that could not be opened is told; with Dir-It on, the new names go through reportBox
// to the clipboard.
void runWithDialogs(PlanPresenter& presenter, QWidget* window, QPlainTextEdit* reportBox);

// The undo of the last run, after the user agreed to what it takes back; what it could not
// restore is told at its end.
void undoWithDialogs(PlanPresenter& presenter, QWidget* window);
