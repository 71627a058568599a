#include <gtest/gtest.h>

#include "app/window/window_arguments.h"

namespace {

TEST(WindowArguments, OnlyAFirstArgumentAsksForHelpOrVersionAndALeadingDoubleDashIsDropped) {
    struct Case {
        QByteArrayList arguments;
        WindowAction action;
        QByteArrayList paths;
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
    };
    for (const Case& c : cases) {
        const WindowCall call = readWindowArguments(c.arguments);
        EXPECT_EQ(call.action, c.action) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(call.paths, c.paths) << c.arguments.join(' ').toStdString();
    }
}

}  // namespace
