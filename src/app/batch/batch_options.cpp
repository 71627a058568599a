#include "app/batch/batch_options.h"

#include <optional>
#include <set>

#include "app/batch/batch_option_table.h"
#include "plan/counter_fields.h"

namespace {

const BatchOption* findLong(QStringView name) {
    for (const BatchOption& option : batchOptionTable()) {
        if (name == QLatin1String(option.longName)) {
            return &option;
        }
    }
    return nullptr;
}

const BatchOption* findShort(QChar c) {
    for (const BatchOption& option : batchOptionTable()) {
        if (option.shortName != 0 && c == QLatin1Char(option.shortName)) {
            return &option;
        }
    }
    return nullptr;
}

bool isDecimal(const QString& text) {
    if (text.isEmpty()) {
        return false;
    }
    for (QChar c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    return true;
}

QString quoted(const QString& text) {
    return QStringLiteral("„") + text + QStringLiteral("“");
}

std::optional<int> pickChoice(std::span<const BatchChoice> choices, const QString& value) {
    const QString wanted = value.toLower();
    for (const BatchChoice& choice : choices) {
        if (wanted == QString::fromUtf8(choice.word)) {
            return choice.value;
        }
    }
    return std::nullopt;
}

QString choiceError(std::span<const BatchChoice> choices, const QString& optionName,
                    const QString& value) {
    QStringList allowed;
    for (const BatchChoice& choice : choices) {
        if (choice.shown) {
            allowed << QString::fromUtf8(choice.word);
        }
    }
    return QStringLiteral("Ungültiger Wert ") + quoted(value) + QStringLiteral(" für ") +
           optionName + QStringLiteral("; erlaubt sind: ") + allowed.join(QStringLiteral(", ")) +
           u'.';
}

// A counter value too large for its field is bounded as the field would bound it.
qint32 bounded(const QString& value, qint32 largest) {
    QString text = value;
    return ValidateNumericText(text, largest);
}

// Stores an option's value once it has passed the rules of its kind; choice is the value of the
// word picked. A switch comes with neither.
void store(BatchOptions& options, BatchOptionId id, const QString& value, int choice) {
    RenameSettings& settings = options.settings;
    switch (id) {
        case BatchOptionId::Mask:
            settings.Maske = value;
            break;
        case BatchOptionId::Start:
            settings.Start = bounded(value, kLargestStart);
            break;
        case BatchOptionId::Step:
            settings.Step = bounded(value, kLargestStep);
            break;
        case BatchOptionId::Digits:
            options.digits = value;
            break;
        case BatchOptionId::LeadZeros:
            settings.LeadZeros =
                choice == 0 ? std::nullopt : std::optional(QChar(char16_t(choice)));
            break;
        case BatchOptionId::Case:
            settings.letterCase = static_cast<LetterCase>(choice);
            break;
        case BatchOptionId::Search:
            settings.SucheText = value;
            break;
        case BatchOptionId::Replace:
            settings.ErsetzeText = value;
            break;
        case BatchOptionId::Regex:
            settings.searchKind = SearchKind::Pattern;
            break;
        case BatchOptionId::Sort:
            options.sortColumn = choice == kKeepGivenOrder ? std::nullopt : std::optional(choice);
            break;
        case BatchOptionId::Descending:
            options.descending = true;
            break;
        case BatchOptionId::FilesFrom:
            options.sources.push_back({value, true});
            break;
        case BatchOptionId::Null:
            options.nullSeparated = true;
            break;
        case BatchOptionId::Recursive:
            options.recursive = true;
            break;
        case BatchOptionId::Chains:
            settings.chains = Chains::Allowed;
            break;
        case BatchOptionId::Apply:
            options.apply = true;
            break;
        case BatchOptionId::Undo:
            options.undo = true;
            break;
        case BatchOptionId::List:
            options.list = true;
            break;
        case BatchOptionId::Print0:
            options.print0 = true;
            break;
        case BatchOptionId::Help:
        case BatchOptionId::Version:
            break;
    }
}

// Checks a value by its option's kind and stores it; returns the usage error, if any.
QString takeValue(BatchOptions& options, const BatchOption& option, const QString& optionName,
                  const QString& value, bool valueIsText) {
    int choice = 0;
    switch (option.kind) {
        case BatchValueKind::Text:
            // Turned into text, bytes that are no UTF-8 would become another mask or search.
            if (!valueIsText) {
                return QStringLiteral("Der Wert von ") + optionName +
                       QStringLiteral(" ist kein gültiges UTF-8.");
            }
            break;
        case BatchValueKind::Number:
            if (!isDecimal(value)) {
                return QStringLiteral("Ungültiger Wert ") + quoted(value) +
                       QStringLiteral(" für ") + optionName +
                       QStringLiteral("; erlaubt sind nur die Ziffern 0 bis 9.");
            }
            break;
        case BatchValueKind::Word:
            if (const std::optional<int> picked = pickChoice(option.choices, value)) {
                choice = *picked;
                break;
            }
            return choiceError(option.choices, optionName, value);
        case BatchValueKind::None:
        case BatchValueKind::Path:
            break;
    }
    store(options, option.id, value, choice);
    return {};
}

BatchParse usageError(const QString& message) {
    BatchParse parse;
    parse.action = BatchAction::UsageError;
    parse.error = message;
    return parse;
}

// Applies one option: a switch, or one that takes the value written with it or else the next
// argument, which it then consumes. Returns false where the parse ends, with an action or an
// error.
bool takeOption(BatchParse& parse, const BatchOption& option, const QString& optionName,
                const std::optional<QString>& written, const QStringList& arguments,
                const QList<bool>& validText, qsizetype& i) {
    if (option.kind == BatchValueKind::None) {
        if (option.ends) {
            parse.action =
                option.id == BatchOptionId::Help ? BatchAction::ShowHelp : BatchAction::ShowVersion;
            return false;
        }
        store(parse.options, option.id, {}, 0);
        return true;
    }
    if (!written && i + 1 >= arguments.size()) {
        parse = usageError(QStringLiteral("Die Option ") + optionName +
                           QStringLiteral(" verlangt einen Wert."));
        return false;
    }
    const qsizetype from = written ? i : ++i;
    const QString error =
        takeValue(parse.options, option, optionName, written ? *written : arguments.at(from),
                  validText.value(from, true));
    if (!error.isEmpty()) {
        parse = usageError(error);
        return false;
    }
    return true;
}

}  // namespace

BatchParse parseBatchArguments(const QStringList& arguments, const QList<bool>& validText) {
    BatchParse parse;
    std::set<BatchOptionId> given;
    bool optionsEnded = false;
    const qsizetype count = arguments.size();
    for (qsizetype i = 0; i < count; ++i) {
        const QString& argument = arguments.at(i);
        if (optionsEnded || argument == u"-" || !argument.startsWith(u'-')) {
            parse.options.sources.push_back({argument, false, i});
            continue;
        }
        if (argument == u"--") {
            optionsEnded = true;
            continue;
        }
        if (argument.startsWith(u"--")) {
            const qsizetype equals = argument.indexOf(u'=');
            const QString optionName = equals < 0 ? argument : argument.left(equals);
            const BatchOption* option = findLong(QStringView(optionName).mid(2));
            if (option == nullptr) {
                return usageError(QStringLiteral("Unbekannte Option: ") + optionName);
            }
            if (option->kind == BatchValueKind::None && equals >= 0) {
                return usageError(QStringLiteral("Die Option ") + optionName +
                                  QStringLiteral(" erlaubt keinen Wert."));
            }
            given.insert(option->id);
            if (!takeOption(parse, *option, optionName,
                            equals >= 0 ? std::optional(argument.mid(equals + 1)) : std::nullopt,
                            arguments, validText, i)) {
                return parse;
            }
            continue;
        }
        // A cluster of short options; one that takes a value takes the rest of the cluster or
        // the next argument.
        for (qsizetype k = 1; k < argument.size(); ++k) {
            const BatchOption* option = findShort(argument.at(k));
            if (option == nullptr) {
                return usageError(QStringLiteral("Unbekannte Option: -") + argument.at(k));
            }
            given.insert(option->id);
            const bool rest = k + 1 < argument.size();
            if (!takeOption(parse, *option, u'-' + argument.at(k),
                            rest ? std::optional(argument.mid(k + 1)) : std::nullopt, arguments,
                            validText, i)) {
                return parse;
            }
            if (option->kind != BatchValueKind::None) {
                break;
            }
        }
    }
    // A digit count alone would pad with nothing and so change nothing.
    if (given.count(BatchOptionId::Digits) != 0 && given.count(BatchOptionId::LeadZeros) == 0) {
        parse.options.settings.LeadZeros = u'0';
    }
    for (const BatchOption& option : batchOptionTable()) {
        if (option.needs != nullptr && given.count(option.id) != 0 &&
            given.count(findLong(QString::fromLatin1(option.needs))->id) == 0) {
            return usageError(
                QStringLiteral("Die Option --%1 gilt nur zusammen mit --%2.")
                    .arg(QLatin1String(option.longName), QLatin1String(option.needs)));
        }
    }
    return parse;
}
