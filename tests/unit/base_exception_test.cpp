#include "base/CException.h"
#include <gtest/gtest.h>

TEST(CException, DescriptionJoinsSourceAndLineWithoutSeparator)
{
    CFileException e("common/CFileIFF", 211);
    EXPECT_EQ(e.Describe(), "file: common/CFileIFFline: 211");
    const CException& base = e;
    EXPECT_STREQ(base.GetSource(), "common/CFileIFF");
    EXPECT_EQ(base.GetLine(), 211u);
}
