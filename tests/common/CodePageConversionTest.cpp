#include "common/CodePageConversion.h"
#include "common/PointerArray.h"

#include <nirasim/Runtime.h>

#include <gtest/gtest.h>

#include <string>
#include "support/WString.h"

namespace {

class CodePageConversion : public ::testing::Test {
protected:
    void TearDown() override { nirasim::SetAnsiCodePage(0); }
};

TEST_F(CodePageConversion, ConvertsBothWaysInTheGivenCodePage)
{
    LPSTR narrow = nullptr;
    ASSERT_TRUE(ConvertToNarrow(TEXT("\u00c4rger \u20ac"), &narrow, CP_ACP));
    EXPECT_STREQ(narrow, "\xc4rger \x80");
    delete[] narrow;
    ASSERT_TRUE(ConvertToNarrow(TEXT("\u00c4"), &narrow, CP_UTF8));
    EXPECT_STREQ(narrow, "\xc3\x84");
    delete[] narrow;

    LPWSTR wide = nullptr;
    ASSERT_TRUE(ConvertToWide(&wide, "\xc4rger", CP_ACP));
    EXPECT_EQ(WString(wide), TEXT("\u00c4rger"));
    delete[] wide;
}

TEST_F(CodePageConversion, AFailedConversionHandsNothingOut)
{
    nirasim::SetAnsiCodePage(9999);
    LPSTR narrow = nullptr;
    LPWSTR wide = nullptr;
    EXPECT_FALSE(ConvertToNarrow(TEXT("abc"), &narrow, CP_ACP));
    EXPECT_FALSE(ConvertToWide(&wide, "abc", CP_ACP));
    EXPECT_EQ(narrow, nullptr);
    EXPECT_EQ(wide, nullptr);
    // UTF-8 takes no MB_PRECOMPOSED, so the platform refuses the wide conversion outright.
    nirasim::SetAnsiCodePage(0);
    EXPECT_FALSE(ConvertToWide(&wide, "abc", CP_UTF8));
    EXPECT_EQ(wide, nullptr);
    EXPECT_FALSE(ConvertToNarrow(nullptr, &narrow, CP_ACP));
}

struct Counted {
    explicit Counted(int* alive) : alive(alive) { ++*alive; }
    ~Counted() { --*alive; }
    int* alive;
};

TEST(PointerArray, FreesEveryElementAndTheArray)
{
    int alive = 0;
    int count = 3;
    auto array = new Counted* [3] { new Counted(&alive), nullptr, new Counted(&alive) };
    EXPECT_EQ(alive, 2);
    EXPECT_TRUE(FreePointerArray(array, &count));
    EXPECT_EQ(alive, 0);

    int none = 0;
    EXPECT_TRUE(FreePointerArray(
        new Counted* [1] { nullptr }, &none));
    EXPECT_TRUE(FreePointerArray<Counted>(nullptr, &count));
}

}  // namespace
