#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"

#include <gtest/gtest.h>

using Platform::ByteReader;
using Platform::ByteWriter;

TEST(ByteReader, ReadsLittleEndianAndFailsWithoutConsuming) {
    const std::string bytes = ByteWriter().U8(3).U16LE(0x1234).I32LE(-2).I64LE(-5).Take();
    ByteReader r(bytes.data(), bytes.size());
    EXPECT_EQ(r.ReadU8(), 3);
    EXPECT_EQ(r.ReadU16LE(), 0x1234);
    EXPECT_EQ(r.ReadI32LE(), -2);
    const size_t before = r.Position();
    EXPECT_FALSE(r.ReadBytes(9));
    EXPECT_EQ(r.Position(), before) << "a failed read consumes nothing";
    EXPECT_EQ(r.ReadI64LE(), -5);
    EXPECT_TRUE(r.AtEnd());
    EXPECT_FALSE(r.ReadU8());
}

TEST(ByteReader, ShortStringLengthIsCappedAtItsField) {
    // A lying length byte (200) over a 4-byte field reads only the field.
    const std::string bytes = std::string("\xC8") + "abcd" + "Z";
    ByteReader r(bytes.data(), bytes.size());
    EXPECT_EQ(r.ReadShortString(4), "abcd");
    EXPECT_EQ(r.ReadText(1), "Z");
    ByteReader tooShort(bytes.data(), 3);
    EXPECT_FALSE(tooShort.ReadShortString(4));
    EXPECT_EQ(tooShort.Position(), 0u);
}

TEST(ByteWriter, ShortStringCutsAndPads) {
    EXPECT_EQ(ByteWriter().ShortString("abcdef", 4).Take(), std::string("\x04"
                                                                        "abcd"));
    EXPECT_EQ(ByteWriter().ShortString("ab", 4).Take(), std::string("\x02"
                                                                    "ab\0\0",
                                                                    5));
}
