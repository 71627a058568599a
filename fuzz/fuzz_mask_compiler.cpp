#include "engine/mask_compiler.h"
#include "fuzz_input.h"
#include "plan/messages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString mask = utf16Of(data, size);
    const MaskCompilation result = TranslateMaske(mask);
    if (result.error) {
        FUZZ_CHECK(!result.MaskOK);
        FUZZ_CHECK(ShowError(*result.error).startsWith(QStringLiteral("Fehler: ")));
    }
    const bool blank = QString(mask).remove(u' ').isEmpty();
    FUZZ_CHECK(result.MaskOK == (!blank && !result.error));
    FUZZ_CHECK(!result.MaskOK || !result.MaskTokens.empty());
    for (const MaskToken& token : result.MaskTokens) {
        const int kind = static_cast<int>(token.Kind);
        if (kind == 10 || kind == 11) {
            FUZZ_CHECK(token.RangeStart >= 1 && token.RangeStart <= 260);
            FUZZ_CHECK(token.RangeEnd == kOpenRangeEnd ||
                       (token.RangeEnd >= token.RangeStart && token.RangeEnd <= 260));
        } else if (kind == 20 || kind == 21) {
            FUZZ_CHECK(token.RangeStart >= 1 && token.RangeStart <= 260);
            FUZZ_CHECK(token.RangeEnd >= 0 && token.RangeEnd <= 260);
        } else if (token.Kind == MaskTokenKind::TokLiteral && token.LiteralText != u"[") {
            for (QChar c : QStringView(u"<>|\\/:?\"")) {
                FUZZ_CHECK(!token.LiteralText.contains(c));
            }
            FUZZ_CHECK(!token.LiteralText.contains(u'['));
        }
    }
    return 0;
}
