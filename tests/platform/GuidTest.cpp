#include "platform/Guid.h"

#include <gtest/gtest.h>

using Platform::GuidFromText;
using Platform::GuidToText;

TEST(Guid, TextRoundTripIsUpperCaseAndBraced) {
    const char *text = "{0031F69A-3715-4F10-8A9D-E0EA7B3AD7D7}";
    const auto guid = GuidFromText(text);
    ASSERT_TRUE(guid);
    EXPECT_EQ(guid->Data1, 0x0031F69Au);
    EXPECT_EQ(guid->Data2, 0x3715);
    EXPECT_EQ(guid->Data3, 0x4F10);
    EXPECT_EQ(guid->Data4[0], 0x8A);
    EXPECT_EQ(guid->Data4[7], 0xD7);
    EXPECT_EQ(GuidToText(*guid), text);
}

TEST(Guid, LowerCaseInputFormatsUpperCase) {
    const auto guid = GuidFromText("{ca7e6096-1e95-4855-abdb-a40772e3c202}");
    ASSERT_TRUE(guid);
    EXPECT_EQ(GuidToText(*guid), "{CA7E6096-1E95-4855-ABDB-A40772E3C202}");
    EXPECT_EQ(*guid, *GuidFromText("{CA7E6096-1E95-4855-ABDB-A40772E3C202}"));
}

TEST(Guid, MalformedTextIsRejected) {
    for (const char *bad :
         {"", "{}", "CA7E6096-1E95-4855-ABDB-A40772E3C202", "{CA7E6096-1E95-4855-ABDB-A40772E3C20}",
          "{CA7E6096-1E95-4855-ABDB-A40772E3C2020}", "{CA7E6096+1E95-4855-ABDB-A40772E3C202}",
          "{CA7E6096-1E95-4855-ABDB-A40772E3C2G2}", "(CA7E6096-1E95-4855-ABDB-A40772E3C202)"})
        EXPECT_FALSE(GuidFromText(bad)) << bad;
}

TEST(Guid, WellKnownInterfaceIds) {
    EXPECT_EQ(GuidToText(IID_IUnknown), "{00000000-0000-0000-C000-000000000046}");
    EXPECT_EQ(GuidToText(IID_IClassFactory), "{00000001-0000-0000-C000-000000000046}");
}
