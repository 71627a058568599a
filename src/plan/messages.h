#pragma once

#include <QString>
#include <QStringList>

#include "engine/mask_compiler.h"
#include "filesystem/file_system.h"
#include "plan/plan_failure.h"

struct NotRestored;
struct PlanVerdict;
struct RowVerdict;

// The hint-line text of a mask error: "Fehler: " + its text + ".".
QString ShowError(MaskError error);

// The hint-line text of the failure the verdict reports; empty when it reports none.
QString failureMessage(const PlanVerdict& verdict);

// Why a row's new name fails, a short sentence for each of its faults in the order the hint line
// reports them; other names the row that gets the same new name.
QStringList faultTexts(const RowVerdict& verdict, const QString& other);

// Why a renaming failed, in a few words: "Ziel existiert bereits".
QString reasonText(RenameFailure failure);
// The same for a result, with where a change of letter case left the file when both its steps
// failed.
QString reasonText(const RenameResult& result);
// Why an undo left a file under its new name; a file it cannot find is no longer there at all.
QString undoReasonText(const NotRestored& file);
// Why a run or undo renamed nothing: its journal could not be written, for the reason why.
QString journalRefusalText(const QString& why);
// Why an undo does nothing now: its run, or another undo of it, has not ended.
QString undoBusyText();
// What a renaming on a file system that renames by link and unlink left at the old name.
QString oldNameTakenText();

// How a run went, counted: "12 umbenannt, 1 unverändert, 0 fehlgeschlagen", the files left as
// they were only where there are any, and ", abgebrochen" when it stopped before its end.
QString runCountsText(qsizetype renamed, qsizetype unchanged, qsizetype failed, bool stopped);
// The same for an undo: "12 zurückbenannt, 0 fehlgeschlagen".
QString undoCountsText(qsizetype restored, qsizetype failed, bool stopped);
// What is said first of a file whose renaming failed.
QString renameFailedText();
// "FROM --> TO".
QString renamingText(const QString& from, const QString& to);
// A renaming that failed and why: "FROM --> TO (reason)".
QString failedRenamingText(const QString& from, const QString& to, const QString& reason);
// A hint to the user: "Hinweis: " and the text.
QString hintText(const QString& text);
