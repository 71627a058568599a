#include "fuzz_input.h"
#include "plan/counter_fields.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const qint32 largest = data[0] % 2 == 0 ? kLargestStart : kLargestStep;
    QString text = utf16Of(data + 1, size - 1);
    const qint32 value = ValidateNumericText(text, largest);
    FUZZ_CHECK(value >= 0 && value <= largest);
    FUZZ_CHECK(text == QString::number(value));
    QString again = text;
    FUZZ_CHECK(ValidateNumericText(again, largest) == value && again == text);

    const int count = static_cast<int>(size * 997);
    const DigitChoices choices = InitStellenAnzahl(value, value / 3, count);
    FUZZ_CHECK(choices.MinDigits >= 1 && choices.MinDigits <= choices.largest);
    FUZZ_CHECK(choices.largest >= kLargestDigitCount);
    return 0;
}
