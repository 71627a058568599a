#include "list/file_entry.h"

#include <QLocale>
#include <cmath>

const QString& FileEntry::column(int k) const {
    switch (k) {
        case AlterNameColumn:
            return AlterName;
        case NeuerNameColumn:
            return NeuerName;
        case InOrdnerColumn:
            return InOrdner;
        case GroesseColumn:
            return Groesse;
        case TypColumn:
            return Typ;
        case LetzteAenderungColumn:
            return LetzteAenderung;
        case SortDatumColumn:
            return SortDatum;
        case SortGroesseColumn:
            return SortGroesse;
        case PfadNameColumn:
            return PfadName;
        case NurNameColumn:
            return NurName;
        default: {
            // Column 6 is never written.
            static const QString empty;
            return empty;
        }
    }
}

PathSplit splitPath(const QString& path) {
    PathSplit split{0, path.size() + 1};
    bool dotFound = false;
    for (qsizetype i = path.size(); i >= 1; --i) {
        const QChar c = path.at(i - 1);
        if (c == u'/') {
            split.sep = i;
            break;
        }
        if (c == u'.' && !dotFound) {
            split.dot = i;
            dotFound = true;
        }
    }
    return split;
}

QString FormatFileSize(double size) {
    struct Unit {
        int exponent;
        const char* name;
    };
    Unit unit{0, "Byte"};
    if (size >= std::ldexp(1.0, 40)) {
        unit = {40, "TB"};
    } else if (size >= std::ldexp(1.0, 30)) {
        unit = {30, "GB"};
    } else if (size >= std::ldexp(1.0, 20)) {
        unit = {20, "MB"};
    } else if (size > std::ldexp(1.0, 10)) {
        unit = {10, "KB"};
    }
    // "#.###": no digit for a zero integer part, at most three decimals, no trailing zeros.
    const qint64 thousandths = std::llround(std::ldexp(size, -unit.exponent) * 1000.0);
    const qint64 whole = thousandths / 1000;
    qint64 fraction = thousandths % 1000;
    QString text = whole > 0 ? QString::number(whole) : QString();
    if (fraction > 0) {
        int decimals = 3;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --decimals;
        }
        text += u',' + QString::number(fraction).rightJustified(decimals, u'0');
    }
    return text + u' ' + QLatin1String(unit.name);
}

FileEntry makeFileEntry(const QString& path, qint64 length, const QDateTime& modified) {
    const PathSplit split = splitPath(path);
    const QLocale c = QLocale::c();
    FileEntry entry;
    entry.AlterName = path.mid(split.sep);
    entry.Selected = true;
    entry.PfadName = path;
    entry.Typ = path.mid(split.dot);
    entry.NurName = path.mid(split.sep, split.dot - split.sep - 1);
    entry.InOrdner = path.left(split.sep);
    entry.Groesse = FormatFileSize(static_cast<double>(length));
    entry.SortGroesse = QString::number(length, 16).toUpper().rightJustified(16, u'0');
    entry.LetzteAenderung = c.toString(modified, u"dd.MM.yyyy HH:mm:ss");
    entry.SortDatum = c.toString(modified, u"yyyyMMddHH:mm:ss");
    return entry;
}
