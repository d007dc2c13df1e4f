// Runs the kavro-blinds program as a script would.
#include "core/BlindStructure.h"
#include "core/TextFile.h"
#include "core/TournamentState.h"
#include "support/TempProgramFolder.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct Outcome
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Outcome run(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(KAVRO_BLINDS_PROGRAM), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

const QStringList Example = {
    "--entries",     "60",    "--stack",         "20000", "--rebuys",      "10",
    "--rebuy-chips", "10000", "--addons",        "0",     "--addon-chips", "0",
    "--hours",       "5:00",  "--level-minutes", "20",    "--chips",       "25,100,500,1000,5000,25000",
    "--break-every", "120",   "--break-minutes", "10",    "--ante",        "bb:7",
    "--depth",       "100"};

TEST(KavroBlindsTest, PrintsAStructureTheClockLoads)
{
    const Outcome r = run(Example);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    EXPECT_TRUE(
        r.out.startsWith("Level,Small Blind,Big Blind,Ante,Minutes,Break,Note\r\n1,100,200,0,20,0,\r\n"));
    EXPECT_TRUE(r.out.contains("20,10,Colour up the 25 chips\r\n"));

    TempProgramFolder dir;
    dir.write("blinds/Friday.blinds.csv", r.out);
    TournamentState state;
    state.Folders = dir.folders();
    state.Tournament.Blinds = "Friday.blinds.csv";
    BlindStructure loaded;
    LoadBlindStructure(state, loaded);
    EXPECT_EQ(loaded.levelCount(), r.out.count("\r\n") - 1);
    EXPECT_EQ(loaded.at(7).Ante, loaded.at(7).BigBlind);

    const Outcome estimate = run({"--estimate", dir.programPath("blinds/Friday.blinds.csv"), "--entries",
                                  "60", "--stack", "20000", "--rebuys", "10", "--rebuy-chips", "10000"});
    ASSERT_EQ(estimate.status, 0) << estimate.err.toStdString();
    EXPECT_EQ(estimate.out, "Estimated end: level 16, after 5:00 of play (5:20 with breaks)\r\n");
    // More players, a later end.
    const Outcome more = run({"--estimate", dir.programPath("blinds/Friday.blinds.csv"), "--entries", "90",
                              "--stack", "20000", "--rebuys", "10", "--rebuy-chips", "10000"});
    EXPECT_EQ(more.out, "Estimated end: level 17, after 5:20 of play (5:40 with breaks)\r\n");
}

TEST(KavroBlindsTest, BadInputExitsWithStatusTwoAndOneLine)
{
    const struct
    {
        QStringList arguments;
        const char* error;
    } cases[] = {
        {{"--entries", "10", "--stack", "1000", "--chips", ""}, "no chips"},
        {{"--entries", "10", "--stack", "1000", "--depth", "10"}, "depth must be from 20 to 400"},
        {{"--entries", "10", "--stack", "1000", "--depth", "401"}, "depth must be from 20 to 400"},
        {{"--entries", "10", "--stack", "1000", "--hours", "0:00"}, "playing time must be more than 0:00"},
        {{"--entries", "10", "--stack", "1000", "--hours", "five"}, "--hours needs hours and minutes"},
        {{"--entries", "10", "--stack", "1000", "--colour", "red"}, "unknown option \"--colour\""},
        {{"--entries", "10", "--stack", "1000", "--ante", "bb"}, "--ante takes none, classic:K or bb:K"},
        {{"--stack", "1000"}, "--entries is required"},
        {{"--entries", "-3", "--stack", "1000"}, "--entries needs a whole number"},
        {{"--entries", "10", "--stack"}, "--stack needs a value"},
        {{"--estimate", "/nonexistent/x.blinds.csv", "--entries", "10", "--stack", "1000"}, "x.blinds.csv"},
        {{"--estimate", "/dev/null", "--entries", "0", "--stack", "1000"}, "no chips"},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.arguments);
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.startsWith("kavro-blinds: ")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.error)) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
}

TEST(KavroBlindsTest, HelpListsEveryOption)
{
    const Outcome r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* option : {"--entries", "--stack", "--rebuys", "--rebuy-chips", "--addons",
                               "--addon-chips", "--hours", "--level-minutes", "--chips", "--break-every",
                               "--break-minutes", "--ante", "--depth", "--estimate", "--help"}) {
        EXPECT_TRUE(r.out.contains(option)) << option;
    }
}

} // namespace
