#pragma once

#include <QString>
#include <optional>
#include <vector>

enum class MaskTokenKind : qint16 {
    TokLiteral = 0,
    TokName = 1,
    TokTyp = 2,
    TokZahl = 3,
    TokRangeFromTo = 10,
    TokRangeFromToRight = 11,
    TokRangeCount = 20,
    TokRangeCountRight = 21,
    TokDatum = 40,
    TokRDatum = 41,
    TokTag = 42,
    TokMonat = 43,
    TokJahr = 44,
    TokZeit = 50,
    TokStunde = 51,
    TokMinute = 52,
    TokSekunde = 53,
    // Values read from the file's contents: a photo's EXIF, a sound file's tags.
    TokFotoDatum = 60,
    TokFotoZeit = 61,
    TokFotoJahr = 62,
    TokFotoMonat = 63,
    TokFotoTag = 64,
    TokKamera = 65,
    TokInterpret = 70,
    TokTitel = 71,
    TokAlbum = 72,
    TokTitelNr = 73,
    TokAlbumJahr = 74,
    TokOrdner = 80,  // the name of the file's folder
};

// One element of the compiled mask. RangeStart/RangeEnd are read by the four range kinds only:
// from-to kinds hold first and last position (32767 for an open end), count kinds hold the
// first position and the number of characters.
struct MaskToken {
    MaskTokenKind Kind = MaskTokenKind::TokLiteral;
    QString LiteralText;
    qint16 RangeStart = 0;
    qint16 RangeEnd = 0;

    bool operator==(const MaskToken&) const = default;
};

inline constexpr qint16 kOpenRangeEnd = 32767;
inline constexpr int kLargestRangeNumber = 260;

// Why a mask does not compile; the values are the error numbers the messages are known by.
enum class MaskError {
    NumberTooBig = 0,    // a range number above 260
    Malformed = 1,       // a "[" that begins nothing known
    NumberExpected = 2,  // no number after "-" or ","
    ClosingBracketMissing = 3,
    RangeEndBeforeStart = 4,
    ForbiddenCharacter = 5,  // literal text holds one of < > | \ / : ? "
    ZeroRangeStart = 6,
};

// The result of one compilation. MaskOK is false for an empty mask (no error) and after an
// error; after an error MaskTokens holds the tokens recognised before it.
struct MaskCompilation {
    std::vector<MaskToken> MaskTokens;
    bool MaskOK = false;
    std::optional<MaskError> error;
};

MaskCompilation TranslateMaske(const QString& mask);
