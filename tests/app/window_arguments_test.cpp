#include <gtest/gtest.h>

#include <QBuffer>

#include "app/window/window_arguments.h"

namespace {

TEST(WindowArguments, OnlyLeadingArgumentsAreOptionsAndListedPathsComeFirst) {
    struct Case {
        QByteArrayList arguments;
        WindowAction action;
        QByteArrayList paths;
        QByteArray input = {};  // standard input
        QString error = {};
    };
    const Case cases[] = {
        {{}, WindowAction::Open, {}},
        {{"a.jpg", "/tmp/b c.jpg"}, WindowAction::Open, {"a.jpg", "/tmp/b c.jpg"}},
        {{"--version"}, WindowAction::ShowVersion, {}},
        {{"--help", "a.jpg"}, WindowAction::ShowHelp, {}},
        {{"-h"}, WindowAction::ShowHelp, {}},
        {{"--", "--help", "--"}, WindowAction::Open, {"--help", "--"}},
        {{"a.jpg", "--version"}, WindowAction::Open, {"a.jpg", "--version"}},
        {{"-x.jpg", "\xff.jpg"}, WindowAction::Open, {"-x.jpg", "\xff.jpg"}},
        {{"--files-from", "-", "a.jpg"}, WindowAction::Open, {"x", "y", "a.jpg"}, "x\ny\n"},
        {{"-0", "--files-from=-", "--help"},
         WindowAction::Open,
         {"x\n", "\xff", "--help"},
         QByteArrayLiteral("x\n\0\xff")},
        {{"--files-from", "-", "--null", "--", "-0"}, WindowAction::Open, {"x", "-0"}, "x"},
        {{"a.jpg", "--files-from", "-"}, WindowAction::Open, {"a.jpg", "--files-from", "-"}, "x"},
        {{"--", "--files-from", "-"}, WindowAction::Open, {"--files-from", "-"}, "x"},
        {{"--files-from"},
         WindowAction::UsageError,
         {},
         {},
         "Die Option --files-from verlangt einen Wert."},
        {{"--files-from", "/nirgends/liste"},
         WindowAction::UsageError,
         {},
         {},
         "Die Pfadliste „/nirgends/liste“ lässt sich nicht lesen."},
    };
    for (const Case& c : cases) {
        QByteArray input = c.input;
        QBuffer standardInput(&input);
        standardInput.open(QIODevice::ReadOnly);
        const WindowCall call = readWindowArguments(c.arguments, standardInput);
        EXPECT_EQ(call.action, c.action) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(call.error, c.error) << c.arguments.join(' ').toStdString();
        if (call.action == WindowAction::Open) {
            EXPECT_EQ(windowPaths(call, c.arguments), c.paths)
                << c.arguments.join(' ').toStdString();
        }
    }
}

}  // namespace
