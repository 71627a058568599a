#include "list/file_entry.h"

#include <algorithm>
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

namespace {

// Writes value as exactly digits decimal digits.
char16_t* putDigits(char16_t* out, int value, int digits) {
    for (int i = digits - 1; i >= 0; --i) {
        out[i] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    }
    return out + digits;
}

// The time by a pattern in which each run of d, M, y, H, m or s is that field with as many
// digits as the run is long; every other character stands as it is.
QString formatTime(const LocalTime& t, QStringView pattern) {
    QString text(pattern.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar field = pattern.at(i);
        int run = 1;
        while (i + run < pattern.size() && pattern.at(i + run) == field) {
            ++run;
        }
        switch (field.unicode()) {
            case u'd':
                out = putDigits(out, t.day, run);
                break;
            case u'M':
                out = putDigits(out, t.month, run);
                break;
            case u'y':
                out = putDigits(out, t.year, run);
                break;
            case u'H':
                out = putDigits(out, t.hour, run);
                break;
            case u'm':
                out = putDigits(out, t.minute, run);
                break;
            case u's':
                out = putDigits(out, t.second, run);
                break;
            default:
                out = std::fill_n(out, run, field.unicode());
                break;
        }
        i += run;
    }
    return text;
}

}  // namespace

void setPathColumns(FileEntry& entry, const QString& path) {
    const PathSplit split = splitPath(path);
    entry.AlterName = path.mid(split.sep);
    entry.PfadName = path;
    entry.Typ = path.mid(split.dot);
    entry.NurName = path.mid(split.sep, split.dot - split.sep - 1);
    entry.InOrdner = path.left(split.sep);
}

FileEntry makeFileEntry(const QString& path, qint64 length, const LocalTime& modified,
                        const FileIdentity& identity) {
    FileEntry entry;
    setPathColumns(entry, path);
    entry.Selected = true;
    entry.identity = identity;
    entry.Groesse = FormatFileSize(static_cast<double>(length));
    entry.SortGroesse = QString::number(length, 16).toUpper().rightJustified(16, u'0');
    entry.LetzteAenderung = formatTime(modified, u"dd.MM.yyyy HH:mm:ss");
    // The positions the date and time tokens cut out: "yyyymmddhh:mm:ss".
    entry.SortDatum = formatTime(modified, u"yyyyMMddHH:mm:ss");
    return entry;
}
