#include "common/NiraException.h"

#include <gtest/gtest.h>

namespace {

TEST(NiraException, CarriesItsCodeThroughThrowAndCatchByValue)
{
    try {
        throw CNiraException(ERROR_INVALID_PARAMETER);
    } catch (CNiraException caught) {
        EXPECT_EQ(caught.GetCode(), ERROR_INVALID_PARAMETER);
        CNiraException copy(caught);
        EXPECT_EQ(copy.GetCode(), ERROR_INVALID_PARAMETER);
    }
}

}  // namespace
