#pragma once

#include <QString>

#include "filesystem/file_system.h"

// Column indexes of a list row; 6 exists but is never written.
enum Column : int {
    AlterNameColumn = 0,
    NeuerNameColumn = 1,
    InOrdnerColumn = 2,
    GroesseColumn = 3,
    TypColumn = 4,
    LetzteAenderungColumn = 5,
    EmptyColumn = 6,
    SortDatumColumn = 7,
    SortGroesseColumn = 8,
    PfadNameColumn = 9,
    NurNameColumn = 10,
};
inline constexpr int kColumnCount = 11;

// One row of the candidate list: one file.
struct FileEntry {
    QString AlterName;        // file name with extension
    QString NeuerName;        // proposed new name, "< ? >" while none is current
    QString InOrdner;         // folder part including its final "/"
    QString Groesse;          // size text
    QString Typ;              // extension without the dot
    QString LetzteAenderung;  // "dd.mm.yyyy hh:mm:ss"
    QString SortDatum;        // "yyyymmddhh:mm:ss"
    QString SortGroesse;      // length as 16 upper-case hex digits
    QString PfadName;         // full path as it entered the list; the entry's identity
    QString NurName;          // file name without extension and its dot
    FileIdentity identity;    // the file that entered the list, which alone is ever renamed
    bool Selected = true;

    const QString& column(int k) const;
};

// Where the last separator and the last dot of a path stand (1-based, as in the column rules):
// sep = 0 without a separator, dot = length + 1 without a dot in the last component.
struct PathSplit {
    qsizetype sep = 0;
    qsizetype dot = 0;
};
PathSplit splitPath(const QString& path);

// The size text: "1,5 KB", "1024 Byte", " Byte" for 0.
QString FormatFileSize(double size);

// Sets the columns that come from the path as it enters the list: PfadName, AlterName,
// InOrdner, NurName and Typ.
void setPathColumns(FileEntry& entry, const QString& path);

// A new, marked entry from the path as it enters the list, the file's length and its
// modification time (both time columns from this one reading).
FileEntry makeFileEntry(const QString& path, qint64 length, const LocalTime& modified,
                        const FileIdentity& identity = {});

inline const QString kPlaceholderName = QStringLiteral("< ? >");
