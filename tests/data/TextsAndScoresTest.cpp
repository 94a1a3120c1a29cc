#include <gtest/gtest.h>

#include "data/Cp1252.h"
#include "data/Errors.h"
#include "data/ScoreValue.h"
#include "data/TextTable.h"
#include "support/CrpWriter.h"
#include "support/TempDir.h"

using namespace landora;
using landora::test::CrpWriter;
using landora::test::TempDir;
using landora::test::WriteTextRecord;

namespace {

std::vector<std::string> Nine(const std::string &stem)
{
    std::vector<std::string> texts;
    for (int i = 1; i <= 9; ++i)
        texts.push_back(stem + std::to_string(i));
    return texts;
}

} // namespace

TEST(TextTable, LaterRecordsOverwriteAndMissingOnesStayEmpty)
{
    TempDir dir;
    CrpWriter out;
    WriteTextRecord(out, 5, Nine("first"));
    WriteTextRecord(out, 1, Nine("start"));
    WriteTextRecord(out, 5, Nine("second"));
    WriteTextRecord(out, 34, Nine("last"));
    dir.Write("lang.crp", out.Bytes());

    TextTable table;
    table.LoadTexts(dir.File("lang.crp"));
    for (int language = 1; language <= 9; ++language)
        EXPECT_EQ(table.Text(language, 5), "second" + std::to_string(language));
    EXPECT_EQ(table.Text(7, 1), "start7");
    EXPECT_EQ(table.Text(2, 34), "last2");
    EXPECT_EQ(table.Text(2, 2), "");
    EXPECT_THROW(table.Text(0, 1), ERangeError);
    EXPECT_THROW(table.Text(2, 35), ERangeError);

    // A reload does not clear what the new file leaves out.
    CrpWriter other;
    WriteTextRecord(other, 1, Nine("again"));
    dir.Write("lang2.crp", other.Bytes());
    table.LoadTexts(dir.File("lang2.crp"));
    EXPECT_EQ(table.Text(2, 1), "again2");
    EXPECT_EQ(table.Text(2, 5), "second2");
}

TEST(TextTable, TextNumbersOutOfRangeAndShortFilesFail)
{
    for (int t : {0, 35}) {
        TempDir dir;
        CrpWriter out;
        WriteTextRecord(out, t, Nine("x"));
        dir.Write("lang.crp", out.Bytes());
        TextTable table;
        EXPECT_THROW(table.LoadTexts(dir.File("lang.crp")), ERangeError) << t;
    }
    TempDir dir;
    CrpWriter out;
    WriteTextRecord(out, 3, Nine("x"));
    dir.Write("lang.crp", out.Bytes().substr(0, out.Size() - 2));
    TextTable table;
    EXPECT_THROW(table.LoadTexts(dir.File("lang.crp")), EInOutError);
}

TEST(ScoreValue, TimeTextAndPadding)
{
    EXPECT_EQ(TimeText(0), "00:00");
    EXPECT_EQ(TimeText(75), "01:15");
    EXPECT_EQ(TimeText(3599), "59:59");
    EXPECT_EQ(TimeText(3600), "60:00");
    EXPECT_EQ(TimeText(6000), "100:00");
    EXPECT_EQ(TimeText(99999), "");
    EXPECT_EQ(PadZeros("7", 2), "07");
    EXPECT_EQ(PadZeros("123", 2), "123");
}

TEST(ScoreValue, PackingOrdersResultsAndUnpacksToItsParts)
{
    EXPECT_EQ(PackScore(100, 1), 10099999);
    EXPECT_EQ(PackScore(100, 2), 10099998);
    EXPECT_EQ(PackScore(99, 1), 9999999);
    EXPECT_LT(PackScore(99, 1), PackScore(100, 99998));
    EXPECT_EQ(PackScore(93, 125), 9399875);

    EXPECT_EQ(ScorePercent(85), 85);
    EXPECT_EQ(ScoreSeconds(85), 99999);
    EXPECT_EQ(TimeText(ScoreSeconds(85)), "");
    // At 0 % a time above 99899 s would pack to a bare percentage (99950 s
    // to 50): such times are packed as 99899 s.
    EXPECT_EQ(PackScore(0, 99950), 101);
    EXPECT_EQ(ScoreSeconds(PackScore(0, 99950)), 99899);
    EXPECT_EQ(ScorePercent(PackScore(0, 99998)), 0);

    for (int percent : {0, 1, 50, 99, 100}) {
        for (int seconds : {1, 2, 59, 3600, 99898}) {
            const int value = PackScore(percent, seconds);
            if (value <= 100)
                continue;
            EXPECT_EQ(ScorePercent(value), percent) << percent << "% " << seconds << "s";
            EXPECT_EQ(ScoreSeconds(value), seconds) << percent << "% " << seconds << "s";
        }
    }
}

// A run finished within the first second, or one whose clock ran out, must not
// read back as a different percentage or as the fastest possible time.
TEST(ScoreValue, TheClocksEndsArePackedWithinRange)
{
    EXPECT_EQ(ScorePercent(PackScore(100, 0)), 100);
    EXPECT_EQ(ScoreSeconds(PackScore(100, 0)), 1);
    EXPECT_EQ(ScorePercent(PackScore(40, 100000)), 40);
    EXPECT_EQ(ScoreSeconds(PackScore(40, 100000)), 99899);
    EXPECT_GT(PackScore(40, 99998), PackScore(39, 1));
    // A value with no remainder can only come from elsewhere: it reads as a
    // slow result of its own percentage.
    EXPECT_EQ(ScorePercent(4000000), 40);
    EXPECT_EQ(ScoreSeconds(4000000), 99998);
}

TEST(Cp1252, RoundTripsTheCodePageAndReplacesTheRest)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(ToCp1252(FromCp1252(all)), all);
    EXPECT_EQ(FromCp1252("Ok\xE4nd"), QString::fromUtf8("Okänd"));
    EXPECT_EQ(FromCp1252("\x80"), QString::fromUtf8("€"));
    EXPECT_EQ(ToCp1252(QString::fromUtf8("Łódź €")), "?\xF3" "d? \x80");
}
