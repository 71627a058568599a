#include "plan/name_checks.h"

#include <QHash>
#include <QSet>

#include "list/file_list.h"
#include "plan/file_system.h"

namespace {

bool isBlank(const QString& name) {
    for (QChar c : name) {
        if (c != u' ') {
            return false;
        }
    }
    return true;
}

bool holdsSeparator(const QString& name) {
    return name.contains(u'/') || name.contains(QChar(u'\0'));
}

// Whether another file of the folder already bears the new name. A change of letter case alone
// never clashes with the entry's own file, but does with a different file spelled that way.
bool clashes(const FileEntry& entry, const QString& upperNew, const FolderIndex& folder) {
    if (entry.NeuerName == entry.AlterName) {
        return false;
    }
    const auto found = folder.constFind(upperNew);
    if (found == folder.cend()) {
        return false;
    }
    if (upperNew != entry.AlterName.toUpper()) {
        return true;
    }
    for (const QString& stored : *found) {
        if (stored != entry.AlterName) {
            return true;
        }
    }
    return false;
}

}  // namespace

QString NameChecks::firstFailure() const {
    if (!NamesUnique) {
        return QStringLiteral(
            "Fehler: Die neuen Dateinamen sind nicht alle eindeutig - überprüfen Sie die Maske!");
    }
    if (!NoClash) {
        return QStringLiteral(
            "Fehler: Einige neue Namen überschneiden sich mit denen existierender Dateien!");
    }
    if (!NoTypeOnlyName) {
        return QStringLiteral("Fehler: Es gibt Namen, die nur aus einer Typenkennung bestehen!");
    }
    if (!NoBlankName) {
        return QStringLiteral(
            "Fehler: Es gibt Namen, die nur aus Leerzeichen oder gar keinen Zeichen bestehen!");
    }
    if (!NoSeparator) {
        return QStringLiteral("Fehler: Es gibt Namen, die ein Ordner-Trennzeichen enthalten!");
    }
    return QString();
}

NameChecks checkNames(const FileList& list, const FileSystem& fileSystem) {
    NameChecks checks;
    QHash<QString, FolderIndex> folders;
    QSet<QString> targets;
    targets.reserve(list.count());
    for (const FileEntry& entry : list) {
        if (!entry.Selected) {
            continue;
        }
        const QString& name = entry.NeuerName;
        if (name.startsWith(u'.')) {
            checks.NoTypeOnlyName = false;
        }
        if (isBlank(name)) {
            checks.NoBlankName = false;
        }
        if (holdsSeparator(name)) {
            checks.NoSeparator = false;
        }
        const QString upperName = name.toUpper();
        if (checks.NoClash) {
            auto folder = folders.find(entry.InOrdner);
            if (folder == folders.end()) {
                folder = folders.insert(entry.InOrdner, fileSystem.readFolder(entry.InOrdner));
            }
            if (clashes(entry, upperName, *folder)) {
                checks.NoClash = false;
            }
        }
        if (checks.NamesUnique) {
            const QString target = entry.InOrdner.toUpper() + upperName;
            if (targets.contains(target)) {
                checks.NamesUnique = false;
            } else {
                targets.insert(target);
            }
        }
    }
    return checks;
}
