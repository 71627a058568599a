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

QString longOption(const BatchOptionSpec& spec) {
    return QStringLiteral("--") + QLatin1String(spec.longName);
}

QString shortOption(const BatchOptionSpec& spec) {
    return QStringLiteral("-") + QLatin1Char(spec.shortName);
}

// The heading of an option's paragraph, as "-m TEXT, --mask TEXT" in bold and italics.
QString manualHeading(const BatchOptionSpec& spec) {
    const QString name = roff(longOption(spec));
    if (spec.valueName == nullptr) {
        return spec.shortName == 0
                   ? QStringLiteral(".B ") + name
                   : QStringLiteral(".BR %1 \", \" %2").arg(roff(shortOption(spec)), name);
    }
    const QString value = QStringLiteral(" \" %1\"").arg(QLatin1String(spec.valueName));
    if (spec.shortName == 0) {
        return QStringLiteral(".BI ") + name + value;
    }
    return QStringLiteral(".BI %1 \" %2\\fR, \" %3%4")
        .arg(roff(shortOption(spec)), QLatin1String(spec.valueName), name, value);
}

QString manualOptions() {
    QString text;
    for (const BatchOptionSpec& spec : batchOptionTable()) {
        text += QStringLiteral(".TP\n") + manualHeading(spec) + u'\n' +
                QString::fromUtf8(spec.manual) + u'\n';
    }
    return text;
}

// A case pattern that matches the option's names.
QString pattern(const BatchOptionSpec& spec) {
    return spec.shortName == 0 ? longOption(spec) : shortOption(spec) + " | " + longOption(spec);
}

// The case patterns of the options a test picks, joined into one.
template <typename Test>
QString patterns(const Test& picked) {
    QStringList names;
    for (const BatchOptionSpec& spec : batchOptionTable()) {
        if (picked(spec)) {
            names << pattern(spec);
        }
    }
    return names.join(QStringLiteral(" | "));
}

// One case for each option of words, offering the words its messages name.
QString wordCases() {
    QString text;
    for (const BatchOptionSpec& spec : batchOptionTable()) {
        if (spec.kind != BatchValueKind::Word) {
            continue;
        }
        QStringList words;
        for (const BatchChoice& choice : spec.choices) {
            if (choice.shown) {
                words << QString::fromUtf8(choice.word);
            }
        }
        text += QStringLiteral(
                    "        %1)\n"
                    "            COMPREPLY=($(compgen -W '%2' -- \"$cur\"))\n"
                    "            return\n"
                    "            ;;\n")
                    .arg(pattern(spec), words.join(u' '));
    }
    return text;
}

QList<std::pair<QString, QString>> completionParts() {
    QStringList longNames;
    for (const BatchOptionSpec& spec : batchOptionTable()) {
        longNames << longOption(spec);
    }
    const auto kind = [](BatchValueKind wanted) {
        return [wanted](const BatchOptionSpec& spec) { return spec.kind == wanted; };
    };
    return {
        {QStringLiteral("%WORD_CASES%\n"), wordCases()},
        {QStringLiteral("%PATH_OPTIONS%"), patterns(kind(BatchValueKind::Path))},
        {QStringLiteral("%FREE_OPTIONS%"), patterns([](const BatchOptionSpec& spec) {
             return spec.kind == BatchValueKind::Text || spec.kind == BatchValueKind::Number;
         })},
        {QStringLiteral("%ENDING_OPTIONS%"),
         patterns([](const BatchOptionSpec& spec) { return spec.ends; })},
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
