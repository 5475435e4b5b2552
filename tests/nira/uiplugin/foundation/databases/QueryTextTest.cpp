#include <gtest/gtest.h>

#include "nira/uiplugin/foundation/databases/QueryText.h"

#include <string>
#include "support/WString.h"

TEST(QueryTextTest, AValueIsQuotedWithItsQuotesDoubled)
{
    const struct {
        const char* value;
        const char* text;
    } cases[] = {
        {"DocPropSheet", "X=\"DocPropSheet\""},
        {"", "X=\"\""},
        {"a\"b", "X=\"a\"\"b\""},
        {"x\" OR \"1\"=\"1", "X=\"x\"\" OR \"\"1\"\"=\"\"1\""},
    };
    for (const auto& c : cases) {
        CNiraQueryText sql;
        sql.Append("X=").AppendQuoted(c.value);
        EXPECT_TRUE(sql.IsComplete());
        EXPECT_STREQ(c.text, sql.Text());
    }
}

TEST(QueryTextTest, NumbersAreQuotedInTheirFormats)
{
    CNiraQueryText sql;
    sql.AppendQuotedUnsigned(4114).Append(" ").AppendQuotedSigned(-5).Append(" ").AppendQuotedUnsigned(
        static_cast<UINT>(-1));
    EXPECT_STREQ("\"4114\" \"-5\" \"4294967295\"", sql.Text());
}

TEST(QueryTextTest, ATextThatDoesNotFitIsIncompleteAndStaysIncomplete)
{
    // Capacity 8 holds seven characters and the terminator.
    CNiraQueryText exact(8);
    exact.Append("1234567");
    EXPECT_TRUE(exact.IsComplete());
    exact.Append("8");
    EXPECT_FALSE(exact.IsComplete());
    EXPECT_STREQ("1234567", exact.Text());

    CNiraQueryText quoted(8);
    quoted.Append("X=").AppendQuoted("a\"b");  // X="a""b" needs 8 characters
    EXPECT_FALSE(quoted.IsComplete());
    quoted.Append("");
    EXPECT_FALSE(quoted.IsComplete());
}

TEST(QueryTextTest, NamesAreConvertedToTheAnsiCodePage)
{
    CNiraQueryText sql;
    sql.AppendQuotedName(TEXT("Caf\u00e9"));
    EXPECT_TRUE(sql.IsComplete());
    EXPECT_STREQ("\"Caf\xe9\"", sql.Text());

    // A name longer than a path does not fit the conversion buffer: never a cut name.
    WString longName(400, TEXT('n'));
    CNiraQueryText cut;
    cut.AppendQuotedName(longName.c_str());
    EXPECT_FALSE(cut.IsComplete());
}
