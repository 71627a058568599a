#include "engine/mask_compiler.h"

#include <array>

namespace {

// Characters that literal mask text may not contain; the asterisk is allowed.
constexpr QStringView kForbiddenChars = u"<>|\\/:?\"";

struct TokenWord {
    QStringView word;
    MaskTokenKind kind;
};

// Tried in this order; each matches only as a whole, brackets included.
constexpr std::array kTokenWords{
    TokenWord{u"[NAME]", MaskTokenKind::TokName},
    TokenWord{u"[TYP]", MaskTokenKind::TokTyp},
    TokenWord{u"[ZAHL]", MaskTokenKind::TokZahl},
    TokenWord{u"[DATUM]", MaskTokenKind::TokDatum},
    TokenWord{u"[RDATUM]", MaskTokenKind::TokRDatum},
    TokenWord{u"[TAG]", MaskTokenKind::TokTag},
    TokenWord{u"[MONAT]", MaskTokenKind::TokMonat},
    TokenWord{u"[JAHR]", MaskTokenKind::TokJahr},
    TokenWord{u"[ZEIT]", MaskTokenKind::TokZeit},
    TokenWord{u"[STUNDE]", MaskTokenKind::TokStunde},
    TokenWord{u"[H]", MaskTokenKind::TokStunde},
    TokenWord{u"[MINUTE]", MaskTokenKind::TokMinute},
    TokenWord{u"[M]", MaskTokenKind::TokMinute},
    TokenWord{u"[SEKUNDE]", MaskTokenKind::TokSekunde},
    TokenWord{u"[S]", MaskTokenKind::TokSekunde},
    TokenWord{u"[FOTODATUM]", MaskTokenKind::TokFotoDatum},
    TokenWord{u"[FOTOZEIT]", MaskTokenKind::TokFotoZeit},
    TokenWord{u"[FOTOJAHR]", MaskTokenKind::TokFotoJahr},
    TokenWord{u"[FOTOMONAT]", MaskTokenKind::TokFotoMonat},
    TokenWord{u"[FOTOTAG]", MaskTokenKind::TokFotoTag},
    TokenWord{u"[KAMERA]", MaskTokenKind::TokKamera},
    TokenWord{u"[INTERPRET]", MaskTokenKind::TokInterpret},
    TokenWord{u"[TITEL]", MaskTokenKind::TokTitel},
    TokenWord{u"[ALBUM]", MaskTokenKind::TokAlbum},
    TokenWord{u"[TITELNR]", MaskTokenKind::TokTitelNr},
    TokenWord{u"[ALBUMJAHR]", MaskTokenKind::TokAlbumJahr},
    TokenWord{u"[ORDNER]", MaskTokenKind::TokOrdner},
};

QString trimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ') {
        ++first;
    }
    while (last > first && text.at(last - 1) == u' ') {
        --last;
    }
    return text.mid(first, last - first);
}

// Hand-written scanner over the trimmed mask; ScanPos is 0-based here.
class MaskScanner {
  public:
    explicit MaskScanner(QString scanText) : ScanText(std::move(scanText)) {}

    bool atEnd() const { return ScanPos >= ScanText.size(); }

    // Tests for and consumes TestStr (given in capitals); the mask side is compared in capitals.
    bool CurrCharIs(QStringView TestStr) {
        const QString taken = ScanText.mid(ScanPos, TestStr.size()).toUpper();
        if (taken != TestStr) {
            return false;
        }
        ScanPos += TestStr.size();
        return true;
    }

    // Reads a decimal number; stops as soon as it exceeds the largest allowed value.
    bool CurrCharIsNumber() {
        if (atEnd() || !isDigit(ScanText.at(ScanPos))) {
            return false;
        }
        ScanNumber = 0;
        NumberTooBig = false;
        do {
            ScanNumber = ScanNumber * 10 + (ScanText.at(ScanPos).unicode() - u'0');
            if (ScanNumber > kLargestRangeNumber) {
                ScanNumber = 0;
                NumberTooBig = true;
            }
            ++ScanPos;
        } while (!atEnd() && isDigit(ScanText.at(ScanPos)) && !NumberTooBig);
        return true;
    }

    // The literal text up to the next "[", or nothing when it holds a forbidden character.
    std::optional<QString> takeLiteral() {
        qsizetype next = ScanText.indexOf(u'[', ScanPos);
        if (next < 0) {
            next = ScanText.size();
        }
        const QString text = ScanText.mid(ScanPos, next - ScanPos);
        for (QChar c : text) {
            if (kForbiddenChars.contains(c)) {
                return std::nullopt;
            }
        }
        ScanPos = next;
        return text;
    }

    int ScanNumber = 0;
    bool NumberTooBig = false;

  private:
    static bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

    QString ScanText;
    qsizetype ScanPos = 0;
};

MaskToken rangeToken(MaskTokenKind kind, int start, int end) {
    return MaskToken{kind, QString(), static_cast<qint16>(start), static_cast<qint16>(end)};
}

MaskTokenKind plusRight(MaskTokenKind kind, bool fromRight) {
    return static_cast<MaskTokenKind>(static_cast<qint16>(kind) + (fromRight ? 1 : 0));
}

// Compiles what follows a "[" that began no token word; returns the error, if any.
std::optional<MaskError> compileBracket(MaskScanner& scanner, std::vector<MaskToken>& tokens) {
    if (scanner.CurrCharIs(u"[")) {
        tokens.push_back(MaskToken{MaskTokenKind::TokLiteral, QStringLiteral("["), 0, 0});
        return std::nullopt;
    }
    const bool fromRight = scanner.CurrCharIs(u"R");
    if (!scanner.CurrCharIsNumber()) {
        return MaskError::Malformed;
    }
    if (scanner.NumberTooBig) {
        return MaskError::NumberTooBig;
    }
    if (scanner.ScanNumber == 0) {
        return MaskError::ZeroRangeStart;
    }
    const int start = scanner.ScanNumber;
    if (scanner.CurrCharIs(u"]")) {
        tokens.push_back(rangeToken(plusRight(MaskTokenKind::TokRangeCount, fromRight), start, 1));
        return std::nullopt;
    }
    if (scanner.CurrCharIs(u"-")) {
        const MaskTokenKind kind = plusRight(MaskTokenKind::TokRangeFromTo, fromRight);
        if (scanner.CurrCharIs(u"]")) {
            tokens.push_back(rangeToken(kind, start, kOpenRangeEnd));
            return std::nullopt;
        }
        if (!scanner.CurrCharIsNumber()) {
            return MaskError::NumberExpected;
        }
        if (scanner.NumberTooBig) {
            return MaskError::NumberTooBig;
        }
        if (scanner.ScanNumber < start) {
            return MaskError::RangeEndBeforeStart;
        }
        const int end = scanner.ScanNumber;
        if (!scanner.CurrCharIs(u"]")) {
            return MaskError::ClosingBracketMissing;
        }
        tokens.push_back(rangeToken(kind, start, end));
        return std::nullopt;
    }
    if (scanner.CurrCharIs(u",")) {
        if (!scanner.CurrCharIsNumber()) {
            return MaskError::NumberExpected;
        }
        if (scanner.NumberTooBig) {
            return MaskError::NumberTooBig;
        }
        const int count = scanner.ScanNumber;
        if (!scanner.CurrCharIs(u"]")) {
            return MaskError::ClosingBracketMissing;
        }
        tokens.push_back(
            rangeToken(plusRight(MaskTokenKind::TokRangeCount, fromRight), start, count));
        return std::nullopt;
    }
    return MaskError::Malformed;
}

}  // namespace

MaskCompilation TranslateMaske(const QString& mask) {
    MaskCompilation result;
    const QString scanText = trimBlanks(mask);
    if (scanText.isEmpty()) {
        return result;
    }
    MaskScanner scanner(scanText);
    std::vector<MaskToken>& tokens = result.MaskTokens;
    while (!scanner.atEnd()) {
        bool matched = false;
        for (const TokenWord& token : kTokenWords) {
            if (scanner.CurrCharIs(token.word)) {
                tokens.push_back(MaskToken{token.kind, QString(), 0, 0});
                matched = true;
                break;
            }
        }
        if (matched) {
            continue;
        }
        if (scanner.CurrCharIs(u"[")) {
            result.error = compileBracket(scanner, tokens);
        } else if (std::optional<QString> literal = scanner.takeLiteral()) {
            tokens.push_back(MaskToken{MaskTokenKind::TokLiteral, *literal, 0, 0});
        } else {
            result.error = MaskError::ForbiddenCharacter;
        }
        if (result.error) {
            return result;
        }
    }
    result.MaskOK = true;
    return result;
}
