#include "nira/uiplugin/foundation/strings/NiraString.h"

#include "common/NiraException.h"

#include <gtest/gtest.h>

#include <string>
#include "support/WString.h"

namespace {

WString TextOf(const CNiraString& s)
{
    return s.GetBuffer() ? WString(s.GetBuffer()) : WString(TEXT("<none>"));
}

TEST(NiraString, SizeHintFollowsHowTheTextCame)
{
    CNiraString empty;
    EXPECT_EQ(empty.GetLength(), 0);
    EXPECT_EQ(empty.GetSize(), 260);
    empty += CNiraString(TEXT("abc"));
    EXPECT_EQ(TextOf(empty), TEXT("abc"));
    EXPECT_EQ(empty.GetSize(), 264);

    EXPECT_EQ(CNiraString(TEXT("abcd")).GetSize(), 4);
    EXPECT_EQ(CNiraString("abcd").GetSize(), 4);
    EXPECT_EQ(CNiraString("").GetSize(), 1);
    EXPECT_EQ(CNiraString(TEXT('x')).GetSize(), 2);
    CNiraString assigned;
    assigned = TEXT("abcd");
    EXPECT_EQ(assigned.GetSize(), 5);
}

TEST(NiraString, AppendsConcatenatesAndConvertsFromAnsi)
{
    CNiraString s("caf\xe9");  // Windows-1252
    EXPECT_EQ(TextOf(s), TEXT("caf\u00e9"));
    s += " au lait";
    EXPECT_EQ(TextOf(s), TEXT("caf\u00e9 au lait"));
    CNiraString joined = CNiraString::Concat(CNiraString(TEXT("USB")), CNiraString(TEXT("001")));
    EXPECT_EQ(TextOf(joined), TEXT("USB001"));
    CNiraString copy(joined);
    EXPECT_EQ(TextOf(copy), TEXT("USB001"));
    const CNiraString& self = copy;
    copy = self;  // self-assignment keeps the text
    EXPECT_EQ(TextOf(copy), TEXT("USB001"));
}

TEST(NiraString, ComparesWithAndWithoutCase)
{
    CNiraString abc(TEXT("abc"));
    EXPECT_TRUE(abc.Equals(CNiraString(TEXT("abc"))));
    EXPECT_FALSE(abc.Equals(CNiraString(TEXT("ABC"))));
    EXPECT_TRUE(abc.EqualsNoCase(CNiraString(TEXT("ABC"))));
    EXPECT_TRUE(abc.IsGreater(CNiraString(TEXT("ab"))));
    EXPECT_TRUE(abc.IsLess(CNiraString(TEXT("abd"))));
    EXPECT_TRUE(abc == TEXT("abc"));
    EXPECT_TRUE(abc != "ABC");
    EXPECT_FALSE(abc != "abc");
}

struct FindCase {
    const WCHAR* text;
    const WCHAR* pattern;
    int start;
    int expected;
};

TEST(NiraString, FindsTheFirstOccurrenceAtOrAfterTheStart)
{
    const FindCase cases[] = {
        {TEXT("aab"), TEXT("ab"), 0, 1},      {TEXT("ab"), TEXT("abc"), 0, -1},
        {TEXT("abc"), TEXT(""), 0, -1},       {TEXT(""), TEXT("a"), 0, -1},
        {TEXT("abab"), TEXT("ab"), 1, 2},     {TEXT("abc"), TEXT("c"), 3, -1},
        {TEXT("abc"), TEXT("a"), 7, -1},      {TEXT("abc"), TEXT("a"), -4, 0},
        {TEXT("USB001"), TEXT("usb"), 0, -1},
    };
    for (const FindCase& c : cases) {
        CNiraString s(c.text);
        EXPECT_EQ(s.Find(c.pattern, c.start), c.expected)
            << "text " << std::string(c.text, c.text + std::char_traits<WCHAR>::length(c.text));
        EXPECT_EQ(s.FindString(CNiraString(c.pattern), c.start), c.expected);
    }
    EXPECT_EQ(CNiraString(TEXT("aab")).Find("ab", 0), 1);
}

TEST(NiraString, NarrowBytesAboveAsciiNeverMatch)
{
    CNiraString s(TEXT("\u00c4rger"));
    EXPECT_EQ(s.Find("\xc4", 0), -1);
    EXPECT_EQ(s.Find("rger", 0), 1);
}

TEST(NiraString, ReverseFindScansBackFromTheStart)
{
    CNiraString s(TEXT("a.b.c"));
    EXPECT_EQ(s.ReverseFind(TEXT("."), 100), 3);
    EXPECT_EQ(s.ReverseFind(TEXT("."), 2), 1);
    EXPECT_EQ(s.ReverseFind(".", 0), -1);
    EXPECT_EQ(s.ReverseFindString(CNiraString(TEXT("a.")), 4), 0);
    EXPECT_EQ(CNiraString(TEXT("")).ReverseFind(TEXT("a"), 0), -1);
    EXPECT_EQ(s.ReverseFind(TEXT("a.b.c.d"), 10), -1);
}

TEST(NiraNoCaseString, FindsWithoutCaseForAsciiLettersOnly)
{
    CNiraNoCaseString port(CNiraString(TEXT("USB001")));
    EXPECT_EQ(port.Find(TEXT("usb"), 0), 0);
    EXPECT_EQ(port.Find("sB0", 0), 1);
    EXPECT_EQ(port.FindString(CNiraString(TEXT("b001")), 0), 2);
    const CNiraString& asBase = port;
    EXPECT_EQ(asBase.FindString(CNiraString(TEXT("usb")), 0), 0);  // through the overridden slot

    CNiraNoCaseString umlaut(TEXT("\u00c4"));
    EXPECT_EQ(umlaut.Find(TEXT("\u00e4"), 0), -1);
    EXPECT_EQ(CNiraNoCaseString(TEXT("")).Find(TEXT("a"), 0), -1);
    // The comparisons are not overridden: != still compares with case.
    EXPECT_TRUE(port != "usb001");
    EXPECT_FALSE(port != "USB001");
}

TEST(NiraString, NarrowCopyIsRemadeOnEachCall)
{
    CNiraString s(TEXT("caf\u00e9"));
    EXPECT_STREQ(s.GetNarrow(), "caf\xe9");
    CNiraString empty(TEXT(""));
    EXPECT_STREQ(empty.GetNarrow(), "");
    s = TEXT("");
    EXPECT_STREQ(s.GetNarrow(), "");
}

}  // namespace
