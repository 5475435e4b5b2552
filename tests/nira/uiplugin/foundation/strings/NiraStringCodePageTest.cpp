// Conversions under an ANSI code page that cannot convert: the simulated machine's code page is set
// through its test-control API, so these tests run on the simulated machine only.
#include "nira/uiplugin/foundation/strings/NiraString.h"

#include "common/NiraException.h"

#include <nirasim/Runtime.h>

#include <gtest/gtest.h>

namespace {

LONG CodeThrownBy(void (*action)())
{
    try {
        action();
    } catch (const CNiraException& e) {
        return e.GetCode();
    }
    return 0;
}

class NiraStringConversionFailure : public ::testing::Test {
protected:
    void SetUp() override { nirasim::SetAnsiCodePage(9999); }
    void TearDown() override { nirasim::SetAnsiCodePage(0); }
};

TEST_F(NiraStringConversionFailure, ConstructionFromAnsiSurfacesAsTheGeneralFailure)
{
    EXPECT_EQ(CodeThrownBy([] { CNiraString s("abc"); }), ERROR_INVALID_DATA);
    EXPECT_EQ(CodeThrownBy([] {
                  CNiraString s(TEXT("x"));
                  s += "abc";
              }),
              ERROR_INVALID_DATA);
}

TEST_F(NiraStringConversionFailure, NarrowCopyThrowsTheLastErrorAndKeepsNothing)
{
    EXPECT_EQ(CodeThrownBy([] {
                  CNiraString s(TEXT("abc"));
                  s.GetNarrow();
              }),
              ERROR_INVALID_PARAMETER);
    CNiraString s(TEXT("abc"));
    EXPECT_THROW(s.GetNarrow(), CNiraException);
    nirasim::SetAnsiCodePage(0);
    EXPECT_STREQ(s.GetNarrow(), "abc");
}

}  // namespace
