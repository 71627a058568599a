#include "app/batch/batch_options.h"

#include <optional>
#include <span>

#include "plan/counter_fields.h"

namespace {

enum class Opt {
    Mask,
    Start,
    Step,
    Digits,
    LeadZeros,
    Case,
    Search,
    Replace,
    Sort,
    Descending,
    FilesFrom,
    Null,
    Apply,
    Undo,
    List,
    Print0,
    Help,
    Version,
};

struct OptionDefinition {
    const char* longName;
    char shortName;  // 0 without a short form
    Opt opt;
    bool takesValue;
};

constexpr OptionDefinition kOptions[] = {
    {"mask", 'm', Opt::Mask, true},
    {"start", 0, Opt::Start, true},
    {"step", 0, Opt::Step, true},
    {"digits", 0, Opt::Digits, true},
    {"lead-zeros", 0, Opt::LeadZeros, true},
    {"case", 0, Opt::Case, true},
    {"search", 0, Opt::Search, true},
    {"replace", 0, Opt::Replace, true},
    {"sort", 0, Opt::Sort, true},
    {"descending", 0, Opt::Descending, false},
    {"files-from", 0, Opt::FilesFrom, true},
    {"null", '0', Opt::Null, false},
    {"apply", 0, Opt::Apply, false},
    {"undo", 0, Opt::Undo, false},
    {"list", 0, Opt::List, false},
    {"print0", 0, Opt::Print0, false},
    {"help", 'h', Opt::Help, false},
    {"version", 0, Opt::Version, false},
};

struct Choice {
    const char16_t* text;
    int value;
    bool shown;  // false for an accepted spelling that the messages do not list
};

// Values are the padding characters; 0 pads nothing.
constexpr Choice kLeadZeroChoices[] = {
    {u"keine", 0, true},
    {u"null", '0', true},
    {u"leerzeichen", ' ', true},
    {u"unterstrich", '_', true},
};

constexpr Choice kCaseChoices[] = {
    {u"beibehalten", static_cast<int>(LetterCase::Keep), true},
    {u"gross", static_cast<int>(LetterCase::AllCapitals), true},
    {u"groß", static_cast<int>(LetterCase::AllCapitals), false},
    {u"klein", static_cast<int>(LetterCase::AllSmall), true},
    {u"anfangs", static_cast<int>(LetterCase::FirstCapital), true},
};

constexpr int kKeepGivenOrder = -1;

// Values are the columns the list is sorted by: size and date by their sort keys.
constexpr Choice kSortChoices[] = {
    {u"name", AlterNameColumn, true},
    {u"ordner", InOrdnerColumn, true},
    {u"groesse", SortGroesseColumn, true},
    {u"größe", SortGroesseColumn, false},
    {u"typ", TypColumn, true},
    {u"datum", SortDatumColumn, true},
    {u"keine", kKeepGivenOrder, true},
};

const OptionDefinition* findLong(const QString& name) {
    for (const OptionDefinition& definition : kOptions) {
        if (name == QLatin1String(definition.longName)) {
            return &definition;
        }
    }
    return nullptr;
}

const OptionDefinition* findShort(QChar c) {
    for (const OptionDefinition& definition : kOptions) {
        if (definition.shortName != 0 && c == QLatin1Char(definition.shortName)) {
            return &definition;
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

std::optional<int> pickChoice(std::span<const Choice> choices, const QString& value) {
    const QString wanted = value.toLower();
    for (const Choice& choice : choices) {
        if (wanted == QStringView(choice.text)) {
            return choice.value;
        }
    }
    return std::nullopt;
}

QString choiceError(std::span<const Choice> choices, const QString& optionName,
                    const QString& value) {
    QStringList allowed;
    for (const Choice& choice : choices) {
        if (choice.shown) {
            allowed << QString::fromUtf16(choice.text);
        }
    }
    return QStringLiteral("Ungültiger Wert ") + quoted(value) + QStringLiteral(" für ") +
           optionName + QStringLiteral("; erlaubt sind: ") + allowed.join(QStringLiteral(", ")) +
           u'.';
}

// Stores the value of an option that takes one; returns the usage error, if any.
QString takeValue(BatchOptions& options, Opt opt, const QString& optionName, const QString& value,
                  bool valueIsText) {
    RenameSettings& settings = options.settings;
    // Turned into text, bytes that are no UTF-8 would become another mask or search than given.
    const bool textOption = opt == Opt::Mask || opt == Opt::Search || opt == Opt::Replace;
    if (textOption && !valueIsText) {
        return QStringLiteral("Der Wert von ") + optionName +
               QStringLiteral(" ist kein gültiges UTF-8.");
    }
    const QString notDecimal = QStringLiteral("Ungültiger Wert ") + quoted(value) +
                               QStringLiteral(" für ") + optionName +
                               QStringLiteral("; erlaubt sind nur die Ziffern 0 bis 9.");
    // A counter value too large for its field is bounded as the field would bound it.
    auto counter = [&](qint32& field, qint32 largest) {
        if (!isDecimal(value)) {
            return notDecimal;
        }
        QString text = value;
        field = ValidateNumericText(text, largest);
        return QString();
    };
    // A word of the option's list, given to store; otherwise the error names the list.
    auto choice = [&](std::span<const Choice> choices, const auto& store) {
        const std::optional<int> picked = pickChoice(choices, value);
        if (!picked) {
            return choiceError(choices, optionName, value);
        }
        store(*picked);
        return QString();
    };
    switch (opt) {
        case Opt::Mask:
            settings.Maske = value;
            return {};
        case Opt::Start:
            return counter(settings.Start, kLargestStart);
        case Opt::Step:
            return counter(settings.Step, kLargestStep);
        case Opt::Digits:
            if (!isDecimal(value)) {
                return notDecimal;
            }
            options.digits = value;
            return {};
        case Opt::LeadZeros:
            return choice(kLeadZeroChoices, [&](int padding) {
                settings.LeadZeros =
                    padding == 0 ? std::nullopt : std::optional(QChar(char16_t(padding)));
            });
        case Opt::Case:
            return choice(kCaseChoices, [&](int letterCase) {
                settings.letterCase = static_cast<LetterCase>(letterCase);
            });
        case Opt::Search:
            settings.SucheText = value;
            return {};
        case Opt::Replace:
            settings.ErsetzeText = value;
            return {};
        case Opt::Sort:
            return choice(kSortChoices, [&](int column) {
                options.sortColumn =
                    column == kKeepGivenOrder ? std::nullopt : std::optional(column);
            });
        case Opt::FilesFrom:
            options.sources.push_back({value, true});
            return {};
        default:
            return {};
    }
}

// Applies a flag; returns the action it ends the parse with, if any.
std::optional<BatchAction> takeFlag(BatchOptions& options, Opt opt) {
    switch (opt) {
        case Opt::Descending:
            options.descending = true;
            break;
        case Opt::Null:
            options.nullSeparated = true;
            break;
        case Opt::Apply:
            options.apply = true;
            break;
        case Opt::Undo:
            options.undo = true;
            break;
        case Opt::List:
            options.list = true;
            break;
        case Opt::Print0:
            options.print0 = true;
            break;
        case Opt::Help:
            return BatchAction::ShowHelp;
        case Opt::Version:
            return BatchAction::ShowVersion;
        default:
            break;
    }
    return std::nullopt;
}

BatchParse usageError(const QString& message) {
    BatchParse parse;
    parse.action = BatchAction::UsageError;
    parse.error = message;
    return parse;
}

QString missingValue(const QString& optionName) {
    return QStringLiteral("Die Option ") + optionName + QStringLiteral(" verlangt einen Wert.");
}

// Applies an option that takes a value: the one written with it, or else the next argument,
// which it then consumes. Returns the usage error, or the empty text.
QString takeValueOf(BatchOptions& options, const OptionDefinition& definition,
                    const QString& optionName, const std::optional<QString>& written,
                    const QStringList& arguments, const QList<bool>& validText, qsizetype& i) {
    if (!written && i + 1 >= arguments.size()) {
        return missingValue(optionName);
    }
    const qsizetype from = written ? i : ++i;
    return takeValue(options, definition.opt, optionName, written ? *written : arguments.at(from),
                     validText.value(from, true));
}

}  // namespace

BatchParse parseBatchArguments(const QStringList& arguments, const QList<bool>& validText) {
    BatchParse parse;
    BatchOptions& options = parse.options;
    bool optionsEnded = false;
    const qsizetype count = arguments.size();
    for (qsizetype i = 0; i < count; ++i) {
        const QString& argument = arguments.at(i);
        if (optionsEnded || argument == u"-" || !argument.startsWith(u'-')) {
            options.sources.push_back({argument, false, i});
            continue;
        }
        if (argument == u"--") {
            optionsEnded = true;
            continue;
        }
        if (argument.startsWith(u"--")) {
            const qsizetype equals = argument.indexOf(u'=');
            const QString optionName = equals < 0 ? argument : argument.left(equals);
            const OptionDefinition* definition = findLong(optionName.mid(2));
            if (definition == nullptr) {
                return usageError(QStringLiteral("Unbekannte Option: ") + optionName);
            }
            if (!definition->takesValue) {
                if (equals >= 0) {
                    return usageError(QStringLiteral("Die Option ") + optionName +
                                      QStringLiteral(" erlaubt keinen Wert."));
                }
                if (const std::optional<BatchAction> action = takeFlag(options, definition->opt)) {
                    parse.action = *action;
                    return parse;
                }
                continue;
            }
            const QString error =
                takeValueOf(options, *definition, optionName,
                            equals >= 0 ? std::optional(argument.mid(equals + 1)) : std::nullopt,
                            arguments, validText, i);
            if (!error.isEmpty()) {
                return usageError(error);
            }
            continue;
        }
        // A cluster of short options; one that takes a value takes the rest of the cluster or
        // the next argument.
        for (qsizetype k = 1; k < argument.size(); ++k) {
            const QString optionName = u'-' + argument.at(k);
            const OptionDefinition* definition = findShort(argument.at(k));
            if (definition == nullptr) {
                return usageError(QStringLiteral("Unbekannte Option: ") + optionName);
            }
            if (!definition->takesValue) {
                if (const std::optional<BatchAction> action = takeFlag(options, definition->opt)) {
                    parse.action = *action;
                    return parse;
                }
                continue;
            }
            const QString error = takeValueOf(
                options, *definition, optionName,
                k + 1 < argument.size() ? std::optional(argument.mid(k + 1)) : std::nullopt,
                arguments, validText, i);
            if (!error.isEmpty()) {
                return usageError(error);
            }
            break;
        }
    }
    if (options.list && !options.undo) {
        return usageError(QStringLiteral("Die Option --list gilt nur zusammen mit --undo."));
    }
    return parse;
}

QString batchUsage() {
    return QStringLiteral(
        "Aufruf: taufix-batch [OPTION]... [--] [DATEI]...\n"
        "„taufix-batch --help“ zeigt alle Optionen.\n");
}

QString batchHelp() {
    return QStringLiteral(
        "Aufruf: taufix-batch [OPTION]... [--] [DATEI]...\n"
        "Benennt DATEIen nach einer Maske um, jede in ihrem Ordner, ohne Fenster.\n"
        "Ohne --apply wird nichts umbenannt: je Datei zeigt eine Zeile den alten Pfad,\n"
        "einen Tabulator und den neuen Pfad.\n"
        "\n"
        "  -m, --mask TEXT         Maske (Vorgabe: [NAME][TYP]); Platzhalter [NAME], [TYP],\n"
        "                          [ZAHL], [DATUM], [RDATUM], [TAG], [MONAT], [JAHR], [ZEIT],\n"
        "                          [STUNDE] oder [H], [MINUTE] oder [M], [SEKUNDE] oder [S]\n"
        "                          und Bereiche des Namens wie [3-5] oder [R2,4]\n"
        "      --start N           Startwert des Zählers (Vorgabe: 1; größere Werte als\n"
        "                          99999999 werden auf 99999999 begrenzt)\n"
        "      --step N            Schrittweite des Zählers (Vorgabe: 1; höchstens 99999)\n"
        "      --digits N          Stellenzahl des Zählers (Vorgabe: die kleinste, die für\n"
        "                          den letzten Zählerwert reicht); eine kleinere oder eine\n"
        "                          größere als 12 lehnt den Plan ab\n"
        "      --lead-zeros ART    Füllzeichen vor dem Zähler: keine, null, leerzeichen,\n"
        "                          unterstrich (Vorgabe: keine)\n"
        "      --case ART          Schreibweise: beibehalten, gross, klein, anfangs\n"
        "                          (Vorgabe: beibehalten)\n"
        "      --search TEXT       im Namen zu suchender Text (Groß-/Kleinschreibung egal)\n"
        "      --replace TEXT      Ersatz für den gesuchten Text\n"
        "      --sort NACH         Reihenfolge vor dem Benennen: name, ordner, groesse,\n"
        "                          typ, datum oder keine (Vorgabe: name); keine behält die\n"
        "                          Reihenfolge der Angabe\n"
        "      --descending        absteigend sortieren (bei keine ohne Wirkung)\n"
        "      --files-from DATEI  weitere Pfade aus DATEI lesen, einen je Zeile, an der\n"
        "                          Stelle der Option; „-“ liest die Standardeingabe;\n"
        "                          leere Zeilen werden übergangen, Zeilen dürfen auf\n"
        "                          \\r\\n enden\n"
        "  -0, --null              Pfade in --files-from durch NUL statt Zeilenende getrennt\n"
        "      --apply             die Dateien wirklich umbenennen, von der letzten zur\n"
        "                          ersten; je Umbenennung eine Zeile alt<TAB>neu, sobald\n"
        "                          sie geschehen ist, am Ende eine Zusammenfassung\n"
        "      --undo              den letzten Lauf rückgängig machen\n"
        "      --undo --list       das Protokoll der letzten Läufe zeigen\n"
        "      --print0            Umbenennungen als alt, NUL, neu, NUL ausgeben (für\n"
        "                          Programme) statt als lesbare Zeilen\n"
        "  -h, --help              diese Hilfe zeigen\n"
        "      --version           die Versionsnummer zeigen\n"
        "\n"
        "Ordner, nicht vorhandene und doppelt genannte Pfade werden mit „Übersprungen: PFAD“\n"
        "auf der Standardfehlerausgabe gemeldet. Ein abgelehnter Plan nennt dort den Grund.\n"
        "In lesbaren Zeilen stehen Steuerzeichen in Namen als \\n, \\t, \\xNN, ein\n"
        "Rückstrich als \\\\.\n"
        "\n"
        "Jeder Lauf schreibt vor der ersten Umbenennung ein Protokoll nach\n"
        "$XDG_STATE_HOME/taufix (sonst ~/.local/state/taufix); die letzten 30 bleiben.\n"
        "--undo findet jede Datei des letzten Laufs an ihrer Kennung wieder, auch nach\n"
        "einem Absturz, und gibt ihr den alten Namen zurück, ohne je eine Datei zu\n"
        "ersetzen. SIGINT und SIGTERM beenden einen Lauf nach der laufenden Datei.\n"
        "\n"
        "Exit-Status:\n"
        "  0  der Plan ist in Ordnung (mit --apply: alle Dateien umbenannt; mit --undo:\n"
        "     alle zurückbenannt oder nichts zu tun)\n"
        "  1  der Plan wurde abgelehnt oder das Protokoll ließ sich nicht schreiben;\n"
        "     nichts wurde umbenannt\n"
        "  2  falscher Aufruf oder nicht lesbare Pfadliste\n"
        "  3  mindestens eine Datei ließ sich nicht umbenennen (oder zurückbenennen)\n"
        "  4  durch ein Signal abgebrochen; die bis dahin umbenannten Dateien sind gemeldet\n"
        "\n"
        "Beispiel:\n"
        "  taufix-batch -m \"Urlaub_[ZAHL][TYP]\" --digits 3 --lead-zeros null *.jpg\n");
}

QString batchVersion() {
    return QStringLiteral("taufix-batch " TAUFIX_VERSION "\n");
}
