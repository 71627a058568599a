#include "ui/run_dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPlainTextEdit>

#include "filesystem/journal_store.h"
#include "plan/messages.h"
#include "ui/plan_presenter.h"
#include "ui/run_texts.h"

namespace {

// The failure dialog's text for an entry, lines separated by "\n".
QString failureDialogText(const FileEntry& entry) {
    return QStringList{
        renameFailedText(),
        QString(),
        entry.PfadName(),
        QStringLiteral("-->"),
        entry.newPath(),
        QString(),
        QStringLiteral(
            "Klicken Sie 'OK', um fortzusetzen oder 'Abbrechen' um die Aktion zu beenden."),
    }
        .join(u'\n');
}

// Asks the user after a failed renaming: OK goes on, Cancel ends the run.
class MessageBoxDecision : public FailureDecision {
  public:
    explicit MessageBoxDecision(QWidget* parent) : m_parent(parent) {}

    // The report of the run: the new names in its order, each on a line of its own.
    void renamed(const FileEntry& entry) override {
        report += entry.NeuerName;
        report += u'\n';
    }
    QString report;

    bool continueAfterFailure(const FileEntry& entry, const RenameResult& result) override {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Taufix"), failureDialogText(entry),
                        QMessageBox::Ok | QMessageBox::Cancel, m_parent);
        box.setDefaultButton(QMessageBox::Ok);
        // The dialog's own text says no reason; its details do.
        box.setDetailedText(QStringLiteral("Grund: ") + reasonText(result));
        return box.exec() == QMessageBox::Ok;
    }

  private:
    QWidget* m_parent;
};

// Collects what an undo could not restore, for one dialog at its end.
class UndoReport : public UndoListener {
  public:
    void notRestored(const NotRestored& file) override {
        const JournalEntry& entry = file.entry;
        lines << failedRenamingText(entry.folder + entry.to, entry.from, undoReasonText(file));
    }
    QStringList lines;
};

}  // namespace

void runWithDialogs(PlanPresenter& presenter, QWidget* window, QPlainTextEdit* reportBox) {
    MessageBoxDecision decision(window);
    const RenameRunResult result = presenter.UmTaufen(decision);
    if (result.journalError) {
        QMessageBox::warning(window, QStringLiteral("Taufix"),
                             journalRefusalText(*result.journalError));
    }
    if (presenter.options().dirIt()) {
        reportBox->setPlainText(decision.report);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        clipboard->setText(reportBox->toPlainText());
        reportBox->clear();
    }
}

void undoWithDialogs(PlanPresenter& presenter, QWidget* window) {
    // The plan holds the run's journal until it goes: what the question names is what is undone.
    UndoPlan plan = presenter.planUndo();
    if (plan.nothingToUndo) {
        QApplication::beep();
        return;
    }
    if (plan.busy) {
        QMessageBox::information(window, QStringLiteral("Taufix"), undoBusyText() + u'.');
        return;
    }
    // No by default: an undo cannot itself be taken back.
    if (QMessageBox::question(window, QStringLiteral("Taufix"), undoQuestionText(plan),
                              QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) != QMessageBox::Yes) {
        return;
    }
    UndoReport report;
    const UndoResult result = presenter.undo(plan, report);
    if (result.journalError) {
        report.lines << journalRefusalText(*result.journalError);
    }
    if (result.journalFailure) {
        report.lines << QStringLiteral("Das Protokoll ließ sich nicht mehr schreiben (") +
                            *result.journalFailure + QStringLiteral("); angehalten.");
    }
    if (!report.lines.isEmpty()) {
        QMessageBox::warning(window, QStringLiteral("Taufix"),
                             QStringLiteral("Diese Dateien ließen sich nicht zurückbenennen:\n\n") +
                                 report.lines.join(u'\n'));
    }
}
