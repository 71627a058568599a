// Arguments as the system may pass them: the parse never crashes, every value it takes has
// passed its option's rules, and an error is a message of its own.
#include "app/batch/batch_options.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayList raw =
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)).split('\0');
    QStringList arguments;
    QList<bool> validText;
    for (const QByteArray& argument : raw) {
        arguments << QString::fromUtf8(argument);
        validText << (arguments.last().toUtf8() == argument);
    }
    const BatchParse parse = parseBatchArguments(arguments, validText);
    if (parse.action == BatchAction::UsageError) {
        FUZZ_CHECK(!parse.error.isEmpty());
        return 0;
    }
    const BatchOptions& options = parse.options;
    FUZZ_CHECK(options.settings.Start >= 0 && options.settings.Start <= 99999999);
    FUZZ_CHECK(options.settings.Step >= 0 && options.settings.Step <= 99999);
    for (const QChar c : options.digits) {
        FUZZ_CHECK(c >= u'0' && c <= u'9');
    }
    FUZZ_CHECK(!options.list || options.undo);
    for (const PathSource& source : options.sources) {
        FUZZ_CHECK(source.isListFile || arguments.at(source.argument) == source.text);
    }
    return 0;
}
