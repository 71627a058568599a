#include "list/file_entry.h"

#include <algorithm>
#include <cmath>

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

}  // namespace

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

FileEntry::FileEntry(const QString& path, qint64 length, const LocalTime& modified,
                     const FileIdentity& identity)
    : identity(identity), m_length(length), m_modified(modified) {
    setPath(path);
}

void FileEntry::setPath(const QString& path) {
    m_path = path;
    const qsizetype slash = path.lastIndexOf(u'/');
    m_nameAt = static_cast<qint32>(slash + 1);
    const qsizetype dot = path.lastIndexOf(u'.');
    m_dotAt = static_cast<qint32>(dot > slash ? dot : path.size());
}

QString FileEntry::newPath() const {
    QString path;
    path.reserve(m_nameAt + NeuerName.size());
    path.append(InOrdner()).append(NeuerName);
    return path;
}

std::optional<QStringView> FileEntry::heldText(int k) const {
    switch (k) {
        case AlterNameColumn:
            return AlterName();
        case NeuerNameColumn:
            return NeuerName;
        case InOrdnerColumn:
            return InOrdner();
        case TypColumn:
            return Typ();
        case PfadNameColumn:
            return m_path;
        case NurNameColumn:
            return NurName();
        default:
            return std::nullopt;
    }
}

QString FileEntry::column(int k) const {
    switch (k) {
        case NeuerNameColumn:
            return NeuerName;  // shared, not copied
        case PfadNameColumn:
            return m_path;
        case GroesseColumn:
            return FormatFileSize(static_cast<double>(m_length));
        case LetzteAenderungColumn:
            return formatTime(m_modified, u"dd.MM.yyyy HH:mm:ss");
        case SortDatumColumn:
            // The positions the date and time tokens cut out.
            return formatTime(m_modified, u"yyyyMMddHH:mm:ss");
        case SortGroesseColumn:
            return QString::number(m_length, 16).toUpper().rightJustified(16, u'0');
        default: {
            // The other parts of the path; column 6 is never written.
            const std::optional<QStringView> held = heldText(k);
            return held ? held->toString() : QString();
        }
    }
}
