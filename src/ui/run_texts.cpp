#include "ui/run_texts.h"

#include <QDateTime>
#include <QSet>

#include "list/file_entry.h"
#include "plan/messages.h"

namespace {

// A name in the notice panel, shortened in its middle: the window cannot grow, and the panel
// would push itself out of the status bar.
QString shortName(QStringView name) {
    constexpr qsizetype kLongest = 24;
    if (name.size() <= kLongest) {
        return name.toString();
    }
    return name.first(kLongest / 2 - 1).toString() + u'…' + name.last(kLongest / 2).toString();
}

QString filesText(qsizetype count) {
    return count == 1 ? QStringLiteral("1 Datei")
                      : QString::number(count) + QStringLiteral(" Dateien");
}

}  // namespace

FailureNote::FailureNote(FailureDecision& decision) : m_decision(decision) {}

bool FailureNote::continueAfterFailure(const FileEntry& entry, const RenameResult& result) {
    ++m_failed;
    m_last = shortName(entry.AlterName()) + QStringLiteral(": ") + reasonText(result);
    return m_decision.continueAfterFailure(entry, result);
}

QString FailureNote::text() const {
    if (m_failed == 0) {
        return {};
    }
    return m_failed == 1 ? m_last : QStringLiteral("Zuletzt ") + m_last;
}

QString runSummaryText(const RenameRunResult& result) {
    QString text = QString::number(result.renamed) + QStringLiteral(" umbenannt, ");
    if (result.unchanged > 0) {
        text += QString::number(result.unchanged) + QStringLiteral(" unverändert, ");
    }
    text += QString::number(result.failed) + QStringLiteral(" fehlgeschlagen");
    if (result.cancelled || result.interrupted || result.journalError) {
        text += QStringLiteral(", abgebrochen");
    }
    if (result.oldNamesTaken > 0) {
        text += QStringLiteral("; bei ") + filesText(result.oldNamesTaken) + QStringLiteral(": ") +
                oldNameTakenText();
    }
    if (result.journalFailure) {
        text += QStringLiteral("; Protokoll nicht mehr schreibbar (") + *result.journalFailure +
                QStringLiteral("); angehalten");
    }
    return text;
}

QString undoQuestionText(const UndoPlan& plan) {
    QString run = plan.run.beganNs == 0
                      ? QStringLiteral("Den letzten Lauf")
                      : QStringLiteral("Den Lauf vom ") +
                            QDateTime::fromMSecsSinceEpoch(plan.run.beganNs / 1'000'000)
                                .toString(QStringLiteral("d.M.yyyy, HH:mm"));
    if (plan.run.program == QStringLiteral("taufix-batch")) {
        run += QStringLiteral(" mit taufix-batch");
    }
    QSet<QString> folders;
    for (const JournalEntry& step : plan.steps) {
        folders.insert(step.folder);
    }
    const qsizetype count = plan.steps.size();
    QString files;
    if (count == 0) {
        files = QStringLiteral("Keine Datei bekommt ihren alten Namen zurück.");
    } else {
        const QString where = folders.size() == 1
                                  ? QStringLiteral("„") + *folders.cbegin() + QStringLiteral("“")
                                  : QString::number(folders.size()) + QStringLiteral(" Ordnern");
        files = filesText(count) + QStringLiteral(" in ") + where +
                (count == 1 ? QStringLiteral(" bekommt ihren alten Namen zurück.")
                            : QStringLiteral(" bekommen ihre alten Namen zurück."));
    }
    if (!plan.missing.isEmpty()) {
        files += u'\n' + filesText(plan.missing.size()) +
                 (plan.missing.size() == 1 ? QStringLiteral(" lässt sich nicht zurückbenennen.")
                                           : QStringLiteral(" lassen sich nicht zurückbenennen."));
    }
    return run + QStringLiteral(" rückgängig machen?\n\n") + files;
}

QString planOkText(const QString& renameCaption) {
    return QStringLiteral("Zum Umbenennen der Dateien klicken Sie jetzt die Schaltfläche '") +
           QString(renameCaption).remove(u'&') + QStringLiteral("'.");
}

QString troubleText(size_t rows) {
    if (rows == 0) {
        return {};
    }
    return rows == 1 ? QStringLiteral("1 Konflikt")
                     : QString::number(rows) + QStringLiteral(" Konflikte");
}
