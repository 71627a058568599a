#include "engine/new_names.h"

#include <QVarLengthArray>
#include <algorithm>
#include <charconv>
#include <iterator>
#include <optional>
#include <thread>

#include "engine/media_values.h"
#include "filesystem/error_text.h"
#include "list/file_list.h"

namespace {

// Below this many rows a second thread costs more than it saves.
constexpr int kRowsWorthASecondThread = 4096;

// UTF-16 offsets of the characters of a name, a surrogate pair counting as one character, so
// that ranges never cut a character in half.
class CharOffsets {
  public:
    explicit CharOffsets(QStringView text) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            m_offsets.push_back(i);
            if (text.at(i).isHighSurrogate() && i + 1 < text.size() &&
                text.at(i + 1).isLowSurrogate()) {
                ++i;
            }
        }
        m_offsets.push_back(text.size());
    }

    qsizetype length() const { return m_offsets.size() - 1; }

    // count characters from 1-based position first; both already within the text.
    QStringView mid(QStringView text, qsizetype first, qsizetype count) const {
        const qsizetype from = m_offsets[first - 1];
        return text.sliced(from, m_offsets[first - 1 + count] - from);
    }

  private:
    QVarLengthArray<qsizetype, 64> m_offsets;
};

QStringView rangeText(QStringView name, const MaskToken& token) {
    const CharOffsets chars(name);
    const qsizetype length = chars.length();
    const qsizetype s = token.RangeStart;
    const qsizetype e = token.RangeEnd;
    if (s > length) {
        return {};
    }
    switch (token.Kind) {
        case MaskTokenKind::TokRangeFromTo:
            return chars.mid(name, s, std::min(e, length) - s + 1);
        case MaskTokenKind::TokRangeFromToRight: {
            const qsizetype last = std::min(e, length);
            return chars.mid(name, length - last + 1, last - s + 1);
        }
        case MaskTokenKind::TokRangeCount:
            return chars.mid(name, s, std::min(e, length - s + 1));
        case MaskTokenKind::TokRangeCountRight: {
            const qsizetype count = std::min(e, length - s + 1);
            return chars.mid(name, length - s - count + 2, count);
        }
        default:
            return {};
    }
}

// Appends the counter: plain decimal, padded on the left with leadZeros up to digits
// characters unless there is no padding character.
void appendCounter(QString& name, qint64 value, int digits, std::optional<QChar> leadZeros) {
    char text[24];
    const auto end = std::to_chars(std::begin(text), std::end(text), value).ptr;
    const auto length = static_cast<int>(end - text);
    if (leadZeros && digits > length) {
        name.resize(name.size() + digits - length, *leadZeros);
    }
    name.append(QLatin1String(text, length));
}

// Appends the text token stands for.
void appendToken(QString& name, const MaskToken& token, const FileEntry& entry,
                 QStringView workingName, qint64 counter, const RenameSettings& settings) {
    const LocalTime& t = entry.modified();
    switch (token.Kind) {
        case MaskTokenKind::TokLiteral:
            name += token.LiteralText;
            return;
        case MaskTokenKind::TokName:
            name += workingName;
            return;
        case MaskTokenKind::TokTyp:
            name += entry.dottedTyp();
            return;
        case MaskTokenKind::TokZahl:
            appendCounter(name, counter, settings.Digits, settings.LeadZeros);
            return;
        case MaskTokenKind::TokRangeFromTo:
        case MaskTokenKind::TokRangeFromToRight:
        case MaskTokenKind::TokRangeCount:
        case MaskTokenKind::TokRangeCountRight:
            name += rangeText(workingName, token);
            return;
        case MaskTokenKind::TokDatum:
            name += formatTime(t, u"dd.MM.yyyy");
            return;
        case MaskTokenKind::TokRDatum:
            name += formatTime(t, u"yyyy.MM.dd");
            return;
        case MaskTokenKind::TokTag:
            name += formatTime(t, u"dd");
            return;
        case MaskTokenKind::TokMonat:
            name += formatTime(t, u"MM");
            return;
        case MaskTokenKind::TokJahr:
            name += formatTime(t, u"yyyy");
            return;
        case MaskTokenKind::TokZeit:
            name += formatTime(t, u"HH.mm.ss");
            return;
        case MaskTokenKind::TokStunde:
            name += formatTime(t, u"HH");
            return;
        case MaskTokenKind::TokMinute:
            name += formatTime(t, u"mm");
            return;
        case MaskTokenKind::TokSekunde:
            name += formatTime(t, u"ss");
            return;
        default:
            appendValue(name, token.Kind, entry);
            return;
    }
}

}  // namespace

bool usesCounter(const std::vector<MaskToken>& tokens) {
    return std::any_of(tokens.begin(), tokens.end(),
                       [](const MaskToken& t) { return t.Kind == MaskTokenKind::TokZahl; });
}

bool usesModificationTime(const std::vector<MaskToken>& tokens) {
    return std::any_of(tokens.begin(), tokens.end(), [](const MaskToken& t) {
        return t.Kind >= MaskTokenKind::TokDatum && t.Kind <= MaskTokenKind::TokSekunde;
    });
}

void ReplaceAll(QString& text, const QString& search, const QString& replacement, bool ignoreCase) {
    const Qt::CaseSensitivity cs = ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    qsizetype from = 0;
    for (;;) {
        const qsizetype found = text.indexOf(search, from, cs);
        if (found < 0) {
            return;
        }
        text.replace(found, search.size(), replacement);
        from = found + replacement.size();
    }
}

// The number of UTF-16 units of the character at i: 2 for a surrogate pair.
qsizetype charLength(const QString& text, qsizetype i) {
    return text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
               ? 2
               : 1;
}

// What ends a word in a file name; a word also begins the name.
bool endsWord(QChar c) {
    return c == u' ' || c == u'-' || c == u'_' || c == u'.' || c == u'(' || c == u'[';
}

// Each word begins with a capital, all else is small; the extension after the last dot is no
// word and stays small, so that "foto.jpg" becomes "Foto.jpg".
QString capitaliseWords(const QString& name) {
    const qsizetype lastDot = name.lastIndexOf(u'.');
    const qsizetype wordsEnd = lastDot < 0 ? name.size() : lastDot;
    QString result;
    result.reserve(name.size());
    bool wordStart = true;
    for (qsizetype i = 0; i < wordsEnd;) {
        const qsizetype length = charLength(name, i);
        const QString character = name.sliced(i, length);
        result += wordStart ? character.toUpper() : character.toLower();
        wordStart = endsWord(name.at(i));
        i += length;
    }
    return result + name.sliced(wordsEnd).toLower();
}

QString applyLetterCase(const QString& name, LetterCase letterCase) {
    switch (letterCase) {
        case LetterCase::AllCapitals:
            return name.toUpper();
        case LetterCase::AllSmall:
            return name.toLower();
        case LetterCase::FirstCapital: {
            if (name.isEmpty()) {
                return name;
            }
            const qsizetype firstLength = charLength(name, 0);
            return name.left(firstLength).toUpper() + name.mid(firstLength).toLower();
        }
        case LetterCase::EachWord:
            return capitaliseWords(name);
        case LetterCase::Keep:
            break;
    }
    return name;
}

namespace {

// The replacement for one match: \0 to \9 stand for the match and its groups, a group that
// took part in no match for nothing; any other character stands for itself.
void appendReplacement(QString& text, const QString& replacement,
                       const QRegularExpressionMatch& match) {
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const QChar c = replacement.at(i);
        if (c == u'\\' && i + 1 < replacement.size() && replacement.at(i + 1).isDigit() &&
            replacement.at(i + 1) <= u'9') {
            text += match.captured(replacement.at(++i).digitValue());
        } else {
            text += c;
        }
    }
}

}  // namespace

NameSearch::NameSearch(const RenameSettings& settings)
    : m_search(settings.SucheText), m_replacement(settings.ErsetzeText) {
    if (settings.searchKind == SearchKind::Pattern && searches()) {
        m_expression.emplace(m_search, QRegularExpression::CaseInsensitiveOption |
                                           QRegularExpression::UseUnicodePropertiesOption);
    }
}

std::optional<SearchError> NameSearch::error() const {
    if (!m_expression || m_expression->isValid()) {
        return std::nullopt;
    }
    loadQtGermanTexts();
    return SearchError{m_expression->patternErrorOffset() + 1, m_expression->errorString()};
}

void NameSearch::replaceIn(QString& name) const {
    if (!m_expression) {
        ReplaceAll(name, m_search, m_replacement, true);
        return;
    }
    QString replaced;
    qsizetype from = 0;
    QRegularExpressionMatchIterator matches = m_expression->globalMatch(name);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        replaced += QStringView(name).sliced(from, match.capturedStart() - from);
        appendReplacement(replaced, m_replacement, match);
        from = match.capturedEnd();
    }
    replaced += QStringView(name).sliced(from);
    name = replaced;
}

NameGenerator::NameGenerator(const std::vector<MaskToken>& tokens, const RenameSettings& settings,
                             const NameSearch& search)
    : m_tokens(tokens),
      m_takesValues(
          std::any_of(tokens.begin(), tokens.end(),
                      [](const MaskToken& t) { return t.Kind >= MaskTokenKind::TokFotoDatum; })),
      m_settings(settings),
      m_search(search) {}

std::optional<MediaField> NameGenerator::missingValue(const FileEntry& entry) const {
    if (!m_takesValues) {
        return std::nullopt;
    }
    for (const MaskToken& token : m_tokens) {
        if (const std::optional<MediaField> lacked = lackedValue(token.Kind, entry)) {
            return lacked;
        }
    }
    return std::nullopt;
}

QString NameGenerator::newName(const FileEntry& entry, qint64 counter) const {
    // The name as it stands unless a search changes it.
    QStringView workingName = entry.NurName();
    QString replaced;
    if (m_search.searches()) {
        replaced = workingName.toString();
        m_search.replaceIn(replaced);
        workingName = replaced;
    }
    // Built in room kept from the last name, then copied at its size: a list holds many names.
    m_name.resize(0);
    for (const MaskToken& token : m_tokens) {
        appendToken(m_name, token, entry, workingName, counter, m_settings);
    }
    if (m_settings.letterCase != LetterCase::Keep) {
        return applyLetterCase(m_name, m_settings.letterCase);
    }
    return QString(m_name.constData(), m_name.size());
}

int FillNewNameColumn(FileList& list, const MaskCompilation& mask, const RenameSettings& settings,
                      const ProgressCallback& progress) {
    return FillNewNameColumn(list, mask, NameSearch(settings), settings, progress);
}

int FillNewNameColumn(FileList& list, const MaskCompilation& mask, const NameSearch& search,
                      const RenameSettings& settings, const ProgressCallback& progress) {
    int markedCount = 0;
    if (!mask.MaskOK || search.error()) {
        for (FileEntry& entry : list) {
            entry.NeuerName = kPlaceholderName;
            entry.missingValue.reset();
            markedCount += entry.Selected ? 1 : 0;
        }
        return markedCount;
    }
    const int count = list.count();
    // Each name depends on its entry and position alone: a long list is named in two halves at
    // once, the second by a thread of its own.
    const int firstHalf = count >= kRowsWorthASecondThread ? count / 2 : count;
    const auto nameRows = [&](int first, int last, const ProgressCallback& report) {
        const NameGenerator generator(mask.MaskTokens, settings, search);
        for (int p = first; p <= last; ++p) {
            if (report) {
                // Both halves move alike.
                report(static_cast<int>(std::min<qint64>(count, qint64{p} * count / firstHalf)),
                       count);
            }
            FileEntry& entry = list.at(p);
            // A value the file lacks gives no name, never one without that piece.
            entry.missingValue = generator.missingValue(entry);
            entry.NeuerName =
                entry.missingValue
                    ? kPlaceholderName
                    : generator.newName(entry, counterValue(settings.Start, settings.Step, p));
        }
    };
    std::optional<std::thread> secondHalf;
    if (firstHalf < count) {
        secondHalf.emplace(nameRows, firstHalf + 1, count, ProgressCallback());
    }
    nameRows(1, firstHalf, progress);
    if (secondHalf) {
        secondHalf->join();
    }
    for (const FileEntry& entry : list) {
        markedCount += entry.Selected ? 1 : 0;
    }
    if (progress && count > 0) {
        progress(0, count);
    }
    return markedCount;
}
