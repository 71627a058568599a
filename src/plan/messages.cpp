#include "plan/messages.h"

#include "plan/plan_check.h"
#include "plan/undo.h"

QString ShowError(MaskError error) {
    const auto text = [error] {
        switch (error) {
            case MaskError::NumberTooBig:
                return QStringLiteral("Die Zahl ist zu groß");
            case MaskError::Malformed:
                return QStringLiteral("Die Maske ist falsch oder nicht vollständig aufgebaut");
            case MaskError::NumberExpected:
                return QStringLiteral("Es wurde eine Zahl erwartet");
            case MaskError::ClosingBracketMissing:
                return QStringLiteral("Schließende Klammer fehlt");
            case MaskError::RangeEndBeforeStart:
                return QStringLiteral("Das Bereichsende ist kleiner als der Bereichsanfang");
            case MaskError::ForbiddenCharacter:
                return QStringLiteral(
                    "Die Zeichen \\ / : ? \" < > | sind in Dateinamen nicht erlaubt");
            case MaskError::ZeroRangeStart:
                return QStringLiteral("Null ist als Bereichsbeginn nicht zulässig");
        }
        return QString();
    };
    return QStringLiteral("Fehler: ") + text() + u'.';
}

QString failureMessage(const PlanVerdict& verdict) {
    if (!verdict.failure) {
        return QString();
    }
    switch (*verdict.failure) {
        case PlanFailure::MaskError:
            return ShowError(*verdict.maskError);
        case PlanFailure::SearchError:
            return QStringLiteral("Fehler: Ungültiger regulärer Ausdruck an Stelle ") +
                   QString::number(verdict.searchError->position) + QStringLiteral(": ") +
                   verdict.searchError->reason + u'.';
        case PlanFailure::CounterTooLarge:
            return QStringLiteral("Fehler: Der Zähler überschreitet den größten zulässigen Wert!");
        case PlanFailure::NamesNotUnique:
            return QStringLiteral(
                "Fehler: Die neuen Dateinamen sind nicht alle eindeutig - überprüfen Sie die "
                "Maske!");
        case PlanFailure::NameClash:
            return QStringLiteral(
                "Fehler: Einige neue Namen überschneiden sich mit denen existierender Dateien!");
        case PlanFailure::TypeOnlyName:
            return QStringLiteral(
                "Fehler: Es gibt Namen, die nur aus einer Typenkennung bestehen!");
        case PlanFailure::BlankName:
            return QStringLiteral(
                "Fehler: Es gibt Namen, die nur aus Leerzeichen oder gar keinen Zeichen "
                "bestehen!");
        case PlanFailure::SeparatorInName:
            return QStringLiteral("Fehler: Es gibt Namen, die ein Ordner-Trennzeichen enthalten!");
        case PlanFailure::NameTooLong:
            return QStringLiteral(
                "Fehler: Es gibt Namen, die länger sind, als das Dateisystem erlaubt!");
        case PlanFailure::FolderUnreadable:
            return QStringLiteral(
                "Fehler: Einige Ordner lassen sich nicht durchsuchen - ob ein Name schon "
                "vergeben ist, bleibt offen!");
        case PlanFailure::ValueMissing:
            return QStringLiteral(
                "Fehler: Einigen Dateien fehlen Angaben, die die Maske verwendet!");
        case PlanFailure::ValuesUnread:
            return QStringLiteral("Die Angaben aus den Dateien werden gelesen ...");
    }
    return QString();
}

namespace {

QString missingText(MediaField field) {
    switch (field) {
        case MediaField::Taken:
            return QStringLiteral("Kein Aufnahmedatum");
        case MediaField::Camera:
            return QStringLiteral("Keine Kamera");
        case MediaField::Artist:
            return QStringLiteral("Kein Interpret");
        case MediaField::Title:
            return QStringLiteral("Kein Titel");
        case MediaField::Album:
            return QStringLiteral("Kein Album");
        case MediaField::Track:
            return QStringLiteral("Keine Titelnummer");
        case MediaField::Year:
            return QStringLiteral("Kein Jahr");
        case MediaField::Folder:
            return QStringLiteral("Kein Ordnername");
        case MediaField::NotRead:
            break;
    }
    return QStringLiteral("Die Angaben der Datei werden noch gelesen");
}

}  // namespace

QStringList faultTexts(const RowVerdict& verdict, const QString& other) {
    const NameFaults faults = verdict.faults;
    QStringList texts;
    if (faults.testFlag(NameFault::SameNewName)) {
        texts << QStringLiteral("Gleicher neuer Name wie ") + other +
                     QStringLiteral(" im selben Ordner");
    }
    if (faults.testFlag(NameFault::NameTaken)) {
        texts << QStringLiteral("Eine andere Datei dieses Namens gibt es schon");
    }
    if (faults.testFlag(NameFault::TypeOnly)) {
        texts << QStringLiteral("Der neue Name besteht nur aus einer Endung");
    }
    if (faults.testFlag(NameFault::Blank)) {
        texts << QStringLiteral("Der neue Name ist leer oder besteht nur aus Leerzeichen");
    }
    if (faults.testFlag(NameFault::Separator)) {
        texts << QStringLiteral("Der neue Name enthält einen Ordnertrenner");
    }
    if (faults.testFlag(NameFault::TooLong)) {
        texts << QStringLiteral("Der neue Name ist länger, als das Dateisystem erlaubt");
    }
    if (faults.testFlag(NameFault::FolderClosed)) {
        texts << QStringLiteral(
            "Der Ordner lässt sich nicht durchsuchen; ob der Name frei ist, bleibt offen");
    }
    if (faults & (NameFault::MissingValue | NameFault::ValueUnread)) {
        texts << missingText(verdict.missing);
    }
    return texts;
}

QString reasonText(RenameFailure failure) {
    switch (failure) {
        case RenameFailure::None:
            break;
        case RenameFailure::SourceChanged:
            return QStringLiteral("Quelle hat sich verändert");
        case RenameFailure::TargetExists:
            return QStringLiteral("Ziel existiert bereits");
        case RenameFailure::AccessDenied:
            return QStringLiteral("Zugriff verweigert");
        case RenameFailure::NameTooLong:
            return QStringLiteral("Name zu lang");
        case RenameFailure::NotSupported:
            return QStringLiteral("Dateisystem kann nur durch Ersetzen umbenennen");
        case RenameFailure::Other:
            return QStringLiteral("Fehler des Dateisystems");
    }
    return QString();
}

QString reasonText(const RenameResult& result) {
    QString reason = reasonText(result.failure);
    if (!result.temporaryName.isEmpty()) {
        reason += QStringLiteral("; die Datei heißt jetzt ") + result.temporaryName;
    }
    return reason;
}

QString undoReasonText(const NotRestored& file) {
    if (file.reason != RenameFailure::SourceChanged) {
        return reasonText(file.reason);
    }
    switch (file.differs) {
        case Difference::None:
            break;
        case Difference::AnotherFile:
            return QStringLiteral("unter dem neuen Namen steht eine andere Datei");
        case Difference::Type:
            return QStringLiteral("unter dem neuen Namen steht eine andere Art von Eintrag");
        case Difference::BirthTime:
            return QStringLiteral(
                "die Datei unter dem neuen Namen hat eine andere "
                "Entstehungszeit als die umbenannte (etwa nach dem Kopieren "
                "in eine obere Schicht des Dateisystems)");
    }
    return QStringLiteral("nicht mehr zu finden");
}

QString journalRefusalText(const QString& why) {
    return QStringLiteral("Das Protokoll lässt sich nicht schreiben (") + why +
           QStringLiteral("); nichts wurde umbenannt.");
}

QString undoBusyText() {
    return QStringLiteral("Der letzte Lauf oder ein Rückgängig davon ist noch im Gang");
}

QString oldNameTakenText() {
    return QStringLiteral("der alte Name ist belegt von einer anderen Datei");
}

namespace {

QString countsText(qsizetype done, const QString& doneWord, qsizetype unchanged, qsizetype failed,
                   bool stopped) {
    return QString::number(done) + u' ' + doneWord + QStringLiteral(", ") +
           (unchanged > 0 ? QString::number(unchanged) + QStringLiteral(" unverändert, ")
                          : QString()) +
           QString::number(failed) + QStringLiteral(" fehlgeschlagen") +
           (stopped ? QStringLiteral(", abgebrochen") : QString());
}

}  // namespace

QString runCountsText(qsizetype renamed, qsizetype unchanged, qsizetype failed, bool stopped) {
    return countsText(renamed, QStringLiteral("umbenannt"), unchanged, failed, stopped);
}

QString undoCountsText(qsizetype restored, qsizetype failed, bool stopped) {
    return countsText(restored, QStringLiteral("zurückbenannt"), 0, failed, stopped);
}

QString renameFailedText() {
    return QStringLiteral("Folgende Datei ließ sich nicht umbenennen:");
}

QString renamingText(const QString& from, const QString& to) {
    return from + QStringLiteral(" --> ") + to;
}

QString failedRenamingText(const QString& from, const QString& to, const QString& reason) {
    return renamingText(from, to) + QStringLiteral(" (") + reason + u')';
}

QString hintText(const QString& text) {
    return QStringLiteral("Hinweis: ") + text;
}
