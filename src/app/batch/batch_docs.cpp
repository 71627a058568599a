// Writes taufix-batch's options from its option table into the manual page and the bash
// completion at build time, so that neither can name an option the program does not take.
//   taufix_batch_docs manual|completion TEMPLATE OUTPUT
#include <QFile>
#include <QList>
#include <QStringList>
#include <cstdio>
#include <utility>

#include "app/batch/batch_option_table.h"

namespace {

// In roff a hyphen that is no hyphenation point is written \-.
QString roff(const QString& text) {
    return QString(text).replace(u'-', QStringLiteral("\\-"));
}

QString longOption(const BatchOption& option) {
    return QStringLiteral("--") + QLatin1String(option.longName);
}

QString shortOption(const BatchOption& option) {
    return QStringLiteral("-") + QLatin1Char(option.shortName);
}

// The heading of an option's paragraph, as "-m TEXT, --mask TEXT" in bold and italics.
QString manualHeading(const BatchOption& option) {
    const QString name = roff(longOption(option));
    if (option.valueName == nullptr) {
        return option.shortName == 0
                   ? QStringLiteral(".B ") + name
                   : QStringLiteral(".BR %1 \", \" %2").arg(roff(shortOption(option)), name);
    }
    const QString value = QStringLiteral(" \" %1\"").arg(QLatin1String(option.valueName));
    if (option.shortName == 0) {
        return QStringLiteral(".BI ") + name + value;
    }
    return QStringLiteral(".BI %1 \" %2\\fR, \" %3%4")
        .arg(roff(shortOption(option)), QLatin1String(option.valueName), name, value);
}

QString manualOptions() {
    QString text;
    for (const BatchOption& option : batchOptionTable()) {
        text += QStringLiteral(".TP\n") + manualHeading(option) + u'\n' +
                QString::fromUtf8(option.manual) + u'\n';
    }
    return text;
}

// A case pattern that matches the option's names.
QString pattern(const BatchOption& option) {
    return option.shortName == 0 ? longOption(option)
                                 : shortOption(option) + " | " + longOption(option);
}

// The case patterns of the options a test picks, joined into one.
template <typename Test>
QString patterns(const Test& picked) {
    QStringList names;
    for (const BatchOption& option : batchOptionTable()) {
        if (picked(option)) {
            names << pattern(option);
        }
    }
    return names.join(QStringLiteral(" | "));
}

// One case for each option of words, offering the words its messages name.
QString wordCases() {
    QString text;
    for (const BatchOption& option : batchOptionTable()) {
        if (option.kind != BatchValueKind::Word) {
            continue;
        }
        QStringList words;
        for (const BatchChoice& choice : option.choices) {
            if (choice.shown) {
                words << QString::fromUtf8(choice.word);
            }
        }
        text += QStringLiteral(
                    "        %1)\n"
                    "            COMPREPLY=($(compgen -W '%2' -- \"$cur\"))\n"
                    "            return\n"
                    "            ;;\n")
                    .arg(pattern(option), words.join(u' '));
    }
    return text;
}

QList<std::pair<QString, QString>> completionParts() {
    QStringList longNames;
    for (const BatchOption& option : batchOptionTable()) {
        longNames << longOption(option);
    }
    const auto kind = [](BatchValueKind wanted) {
        return [wanted](const BatchOption& option) { return option.kind == wanted; };
    };
    return {
        {QStringLiteral("%WORD_CASES%\n"), wordCases()},
        {QStringLiteral("%PATH_OPTIONS%"), patterns(kind(BatchValueKind::Path))},
        {QStringLiteral("%FREE_OPTIONS%"), patterns([](const BatchOption& option) {
             return option.kind == BatchValueKind::Text || option.kind == BatchValueKind::Number;
         })},
        {QStringLiteral("%ENDING_OPTIONS%"),
         patterns([](const BatchOption& option) { return option.ends; })},
        {QStringLiteral("%LONG_OPTIONS%"), longNames.join(u' ')},
    };
}

int fail(const QString& message) {
    std::fprintf(stderr, "taufix_batch_docs: %s\n", qPrintable(message));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const QStringList arguments(argv + 1, argv + argc);
    if (arguments.size() != 3 || (arguments[0] != u"manual" && arguments[0] != u"completion")) {
        return fail(QStringLiteral("usage: taufix_batch_docs manual|completion TEMPLATE OUTPUT"));
    }
    QFile in(arguments[1]);
    if (!in.open(QIODevice::ReadOnly)) {
        return fail(in.fileName() + QStringLiteral(": ") + in.errorString());
    }
    QString text = QString::fromUtf8(in.readAll());
    const QList<std::pair<QString, QString>> parts =
        arguments[0] == u"manual"
            ? QList<std::pair<QString, QString>>{{QStringLiteral("%OPTIONS%\n"), manualOptions()}}
            : completionParts();
    for (const auto& [marker, part] : parts) {
        if (!text.contains(marker)) {
            return fail(in.fileName() + QStringLiteral(": no ") + marker.trimmed());
        }
        text.replace(marker, part);
    }
    QFile out(arguments[2]);
    if (!out.open(QIODevice::WriteOnly) || out.write(text.toUtf8()) < 0 || !out.flush()) {
        return fail(out.fileName() + QStringLiteral(": ") + out.errorString());
    }
    return 0;
}
