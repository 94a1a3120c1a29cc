#include <gtest/gtest.h>

#include <sstream>

#include "app/CommandLine.h"

using namespace landora;

TEST(CommandLine, VersionAndHelpAnswerAndEndEverythingElseGoesOn)
{
    std::ostringstream out;
    const char *version[] = {"landora", "-platform", "offscreen", "--version"};
    EXPECT_EQ(AnswerCommandLine(4, version, out), 0);
    EXPECT_EQ(out.str(), "Landora " LANDORA_TEST_VERSION "\n");

    for (const char *option : {"--help", "-h"}) {
        std::ostringstream help;
        const char *args[] = {"landora", option};
        EXPECT_EQ(AnswerCommandLine(2, args, help), 0) << option;
        EXPECT_EQ(help.str().rfind("Usage: landora", 0), 0u) << help.str();
    }

    // Qt's own options and no arguments start the program, printing nothing.
    std::ostringstream quiet;
    const char *qt[] = {"landora", "-platform", "offscreen", "--versionx"};
    EXPECT_EQ(AnswerCommandLine(4, qt, quiet), std::nullopt);
    EXPECT_EQ(AnswerCommandLine(1, qt, quiet), std::nullopt);
    EXPECT_TRUE(quiet.str().empty());
}
