#include <gtest/gtest.h>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <tuple>

#include "app/batch/batch_option_table.h"
#include "app/batch/batch_options.h"

namespace {

QString contents(const char* path) {
    QFile file(QString::fromUtf8(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return QString::fromUtf8(file.readAll());
}

// The option names in a text, "-m" not counted inside "--mask".
QSet<QString> optionNames(const QString& text) {
    static const QRegularExpression name(QStringLiteral("(?<![\\w-])--?[a-z0-9][a-z0-9-]*"));
    QSet<QString> names;
    for (const QRegularExpressionMatch& match : name.globalMatch(text)) {
        names << match.captured();
    }
    return names;
}

// Sorted and joined, to compare and show.
std::string listed(const QSet<QString>& names) {
    QStringList list(names.begin(), names.end());
    list.sort();
    return list.join(u' ').toStdString();
}

QString errorOf(const QStringList& arguments) {
    return parseBatchArguments(arguments).error;
}

// The parser's options, as the built manual page and bash completion name them.
TEST(BatchOptionDocs, ManualAndCompletionNameExactlyTheOptionsTheParserTakes) {
    QSet<QString> names;
    QSet<QString> longNames;
    for (const BatchOption& option : batchOptionTable()) {
        longNames << QStringLiteral("--") + QLatin1String(option.longName);
        if (option.shortName != 0) {
            names << QStringLiteral("-") + QLatin1Char(option.shortName);
        }
    }
    names += longNames;
    const QString options = contents(TAUFIX_BATCH_MANUAL)
                                .replace(QStringLiteral("\\-"), "-")
                                .section("\n.SH OPTIONEN\n", 1)
                                .section("\n.SH ", 0, 0);
    QString headings;  // the line after each .TP
    for (const QString& paragraph : options.split(".TP\n").mid(1)) {
        headings += paragraph.section(u'\n', 0, 0) + u'\n';
    }
    const QString completion = contents(TAUFIX_BATCH_COMPLETION);
    const QRegularExpression offers(QStringLiteral("compgen -W '(--[^']*)'"));
    EXPECT_EQ(listed(optionNames(headings)), listed(names));
    EXPECT_EQ(listed(optionNames(offers.match(completion).captured(1))), listed(longNames));
    for (const QString& name : names) {
        EXPECT_FALSE(errorOf({name}).startsWith(QStringLiteral("Unbekannte Option")))
            << name.toStdString();
    }

    // After an option that takes a value the completion offers its words or nothing else.
    const QRegularExpression valueCase(QStringLiteral("^ +([-a-z0-9 |]+)\\)\\n(.*)\\n"),
                                       QRegularExpression::MultilineOption);
    QSet<QString> withCase;
    for (const QRegularExpressionMatch& match : valueCase.globalMatch(completion)) {
        static const QRegularExpression wordList(QStringLiteral("compgen -W '([^']*)'"));
        const QString words = wordList.match(match.captured(2)).captured(1);
        for (const QString& option : optionNames(match.captured(1))) {
            withCase << option;
            if (words.isEmpty()) {
                continue;
            }
            SCOPED_TRACE(option.toStdString());
            // The words the parser names when it refuses one, and takes in any case.
            EXPECT_EQ(
                errorOf({option, "?"}).section(QStringLiteral("erlaubt sind: "), 1).toStdString(),
                QString(words).replace(u' ', ", ").toStdString() + '.');
            for (const QString& word : words.split(u' ')) {
                EXPECT_EQ(errorOf({option, word.toUpper()}).toStdString(), "")
                    << word.toStdString();
            }
        }
    }
    // Every option that takes a value has its case, and so have those that end the program.
    for (const QString& name : names) {
        const BatchParse parse = parseBatchArguments({name});
        EXPECT_EQ(withCase.contains(name),
                  parse.error.endsWith("verlangt einen Wert.") ||
                      (parse.action != BatchAction::Run && parse.action != BatchAction::UsageError))
            << name.toStdString();
    }
}

// What the texts say of the words and defaults is what the parser does.
TEST(BatchOptionDocs, TextsNameEachWordAndTheDefaultThatActsAsIfNotGiven) {
    const auto shape = [](const QStringList& arguments) {
        const BatchOptions options = parseBatchArguments(arguments).options;
        const RenameSettings& s = options.settings;
        return std::tuple(s.Maske, s.Start, s.Step, s.LeadZeros, s.letterCase, options.sortColumn);
    };
    for (const BatchOption& option : batchOptionTable()) {
        SCOPED_TRACE(option.longName);
        const QString help = QString::fromUtf8(option.help);
        for (const BatchChoice& choice : option.choices) {
            EXPECT_TRUE(QString::fromUtf8(option.manual).contains(QString::fromUtf8(choice.word)));
            EXPECT_TRUE(!choice.shown || help.contains(QString::fromUtf8(choice.word)));
        }
        if (option.defaultValue != nullptr) {
            EXPECT_TRUE(help.contains(QStringLiteral("(Vorgabe: ") + option.defaultValue));
            EXPECT_EQ(shape({QStringLiteral("--") + option.longName, option.defaultValue}),
                      shape({}));
        }
    }
}

}  // namespace
