#include <gtest/gtest.h>

#include "data/ByteFile.h"
#include "data/Errors.h"
#include "support/CrpWriter.h"
#include "support/TempDir.h"

using namespace landora;
using landora::test::CrpWriter;
using landora::test::TempDir;

namespace {

std::string Repeat(std::size_t n, char c = 'x') { return std::string(n, c); }

} // namespace

// Every loader relies on AtEnd being exact at the buffer's edges; an off-by-one
// there either drops the last record or reads past the end.
TEST(ByteFile, AtEndIsExactAroundTheBufferSize)
{
    TempDir dir;
    dir.Write("empty", "");
    dir.Write("512", Repeat(512));
    dir.Write("513", Repeat(512) + "y");

    TByteFile empty(dir.File("empty"));
    EXPECT_TRUE(empty.AtEnd());

    TByteFile exact(dir.File("512"));
    for (int i = 0; i < 512; ++i) {
        ASSERT_FALSE(exact.AtEnd()) << "byte " << i;
        exact.ReadByte();
    }
    EXPECT_TRUE(exact.AtEnd());
    try {
        exact.ReadByte();
        FAIL() << "a read past the end must fail";
    } catch (const EInOutError &e) {
        EXPECT_EQ(e.Message(), "Read beyond end of file");
    }

    TByteFile longer(dir.File("513"));
    for (int i = 0; i < 512; ++i)
        longer.ReadByte();
    EXPECT_FALSE(longer.AtEnd());
    EXPECT_EQ(longer.ReadByte(), 'y');
    EXPECT_TRUE(longer.AtEnd());
}

TEST(ByteFile, IntegersAreLittleEndianWithTheirLimits)
{
    TempDir dir;
    dir.Write("ints", std::string("\xFF\x7F\xFF\xFF\xFF\xFF\x00\x00\x00\x80\x01\x02\x03\x04\x00\x80", 16));
    TByteFile file(dir.File("ints"));
    EXPECT_EQ(file.ReadInt16(), 32767);
    EXPECT_EQ(file.ReadInt32(), -1);
    EXPECT_EQ(file.ReadInt32(), INT32_MIN);
    EXPECT_EQ(file.ReadInt32(), 0x04030201);
    EXPECT_THROW(file.ReadInt16(), ERangeError); // 0x8000 is above 32767
}

TEST(ByteFile, TextsAreUnshiftedAndWrapAround)
{
    TempDir dir;
    CrpWriter out;
    out.Text("").Text("Malm\xF6 \xC5re").Text(Repeat(255, 'z'));
    // Stored bytes near 0xFF come back below the offset: 0xFF + 0x53 wraps to 0x52.
    out.Byte(2).Byte(0xFF).Byte(0xAD);
    dir.Write("texts", out.Bytes());

    TByteFile file(dir.File("texts"));
    EXPECT_EQ(file.ReadString(), "");
    EXPECT_EQ(file.ReadString(), "Malm\xF6 \xC5re");
    EXPECT_EQ(file.ReadString(), Repeat(255, 'z'));
    EXPECT_EQ(file.ReadString(), std::string("\x52\x00", 2));
    EXPECT_TRUE(file.AtEnd());
}

TEST(ByteFile, ARecordCutInsideAFieldFails)
{
    TempDir dir;
    dir.Write("cut16", std::string("\x01", 1));
    dir.Write("cuttext", std::string("\x05" "ab", 3));
    TByteFile cut16(dir.File("cut16"));
    EXPECT_THROW(cut16.ReadInt16(), EInOutError);
    TByteFile cutText(dir.File("cuttext"));
    EXPECT_THROW(cutText.ReadString(), EInOutError);
}

TEST(ByteFile, OpeningFailuresCarryTheirMessages)
{
    TempDir dir;
    try {
        TByteFile missing("Ovning-none.crp");
        FAIL();
    } catch (const EFileNotFound &e) {
        EXPECT_EQ(e.Message(), "File \"Ovning-none.crp\" not found.");
    }
    try {
        TByteFile folder(dir.Path());
        FAIL();
    } catch (const EFileOpenFailed &e) {
        EXPECT_EQ(e.Message().rfind("File open failed: ", 0), 0u) << e.Message();
    }
}
