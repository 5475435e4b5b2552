// Column texts of a result row converted for the time of a callback.
#include "DatabaseFixture.h"

#include "nira/uiplugin/foundation/databases/QueryRow.h"

#include <string>
#include "support/WString.h"

namespace {
class QueryRowTest : public DatabaseFixture {};

// Short texts are converted in the object, longer ones on the heap: both come out whole.
TEST_F(QueryRowTest, ColumnTextsComeOutWholeWhateverTheirLength)
{
    const std::string lengths[] = {std::string(), std::string(63, 'a'), std::string(64, 'b'),
                                   std::string(300, 'c')};
    for (const std::string& text : lengths) {
        char* values[] = {const_cast<char*>(text.c_str())};
        const CNiraColumnWideText wide(1, values, 0);
        ASSERT_NE(wide.Get(), nullptr) << text.size();
        EXPECT_EQ(WString(wide.Get()), WString(text.begin(), text.end())) << text.size();
    }
    char* nulls[] = {nullptr};
    EXPECT_EQ(CNiraColumnWideText(1, nulls, 0).Get(), nullptr);
    EXPECT_EQ(CNiraColumnWideText(1, nulls, 1).Get(), nullptr);  // past the row's columns
}
}  // namespace
