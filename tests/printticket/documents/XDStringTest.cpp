#include "printticket/XDString.h"

#include "printticket/XDException.h"
#include "printticket/XDTextCopy.h"

#include <gtest/gtest.h>

#include <string>
#include "support/WString.h"

namespace {

// The HRESULT a call throws, or S_OK when it throws nothing.
template <class Call>
HRESULT Thrown(Call call)
{
    try {
        call();
    } catch (const CXDException& failure) {
        return failure.GetResult();
    }
    return S_OK;
}

WString Text(const CXDString& s)
{
    return s.GetBuffer();
}

TEST(XDString, StartsWithoutABlockAndGrowsByDoubling)
{
    CXDString s;
    EXPECT_EQ(Thrown([&] { s.GetCapacity(); }), E_PENDING);
    EXPECT_EQ(s.GetLength(), 0);
    EXPECT_EQ(s.GetCapacity(), 128);

    const struct {
        unsigned int reserve;
        int capacity;
    } cases[] = {{127, 128}, {128, 256}, {300, 512}, {100, 512}};
    CXDString grown;
    for (const auto& c : cases) {
        grown.Reserve(c.reserve);
        EXPECT_EQ(grown.GetCapacity(), c.capacity) << c.reserve;
    }
    CXDString fresh;
    fresh.Reserve(300);
    EXPECT_EQ(fresh.GetCapacity(), 512);
}

TEST(XDString, ReservationsBeyondA32BitCapacityFailAndKeepTheText)
{
    CXDString s(TEXT("keep"));
    EXPECT_EQ(Thrown([&] { s.Reserve(0x80000000u); }), E_OUTOFMEMORY);
    EXPECT_EQ(Thrown([&] { s.Reserve(0xFFFFFFFFu); }), E_OUTOFMEMORY);
    EXPECT_EQ(Thrown([&] { s.Reserve(1u << 30); }), E_OUTOFMEMORY);  // would need a capacity of 2^31
    EXPECT_EQ(Text(s), TEXT("keep"));
    CXDString blockless;
    EXPECT_EQ(Thrown([&] { blockless.Reserve(0x80000000u); }), E_OUTOFMEMORY);
    EXPECT_EQ(Thrown([&] { blockless.GetCapacity(); }), E_PENDING);
}

TEST(XDString, CopyingGivesTheSourceABlockAndCopiesOwnTheirText)
{
    CXDString source;
    CXDString copy(source);
    EXPECT_EQ(source.GetCapacity(), 128);
    EXPECT_NE(copy.GetBuffer(), source.GetBuffer());

    CXDString blockless;
    CXDString target(TEXT("x"));
    EXPECT_EQ(Thrown([&] { target = blockless; }), E_FAIL);  // assignment reads the source's text pointer
    EXPECT_EQ(Text(target), TEXT("x"));
}

TEST(XDString, AssignmentComparesBeforeWriting)
{
    CXDString s(TEXT("abc"));
    LPWSTR buffer = s.GetBuffer();
    buffer[4] = TEXT('!');  // beyond the terminator: a rewrite of the block would not keep it
    s = TEXT("abc");
    EXPECT_EQ(s.GetBuffer(), buffer);
    EXPECT_EQ(buffer[4], TEXT('!'));
    s = TEXT("");
    EXPECT_EQ(Text(s), TEXT(""));
    EXPECT_EQ(Thrown([&] { s = static_cast<LPCWSTR>(nullptr); }), E_FAIL);

    CXDString narrow("n");
    narrow = static_cast<LPCSTR>(nullptr);  // a null narrow text reads as empty
    EXPECT_EQ(Text(narrow), TEXT(""));
    EXPECT_EQ(Thrown([&] { CXDString(TEXT("x"), -1); }), E_INVALIDARG);
    CXDString counted(TEXT("abcdef"), 3);
    EXPECT_EQ(Text(counted), TEXT("abc"));
}

TEST(XDString, FindDeleteAndMidOnShortText)
{
    CXDString s(TEXT("abc"));
    EXPECT_EQ(s.Find(TEXT(""), 3), 3);
    EXPECT_EQ(s.Find(TEXT("b"), 4), -1);
    EXPECT_EQ(s.Find(TEXT("c"), 1), 2);
    EXPECT_EQ(s.Find(nullptr, 0), -1);
    EXPECT_EQ(s.Find(TEXT("a"), -1), -1);

    EXPECT_EQ(Thrown([&] { s.Mid(2, 2); }), E_INVALIDARG);
    EXPECT_EQ(Thrown([&] { s.Mid(4, 0); }), E_INVALIDARG);
    EXPECT_EQ(Text(s.Mid(0, 3)), TEXT("abc"));
    EXPECT_EQ(Text(s.Mid(1, 1)), TEXT("b"));

    EXPECT_EQ(Thrown([&] { s.Delete(1, 5); }), E_INVALIDARG);
    EXPECT_EQ(Text(s), TEXT("abc"));
    EXPECT_EQ(s.Delete(-2, 1), 2);
    EXPECT_EQ(Text(s), TEXT("bc"));
}

TEST(XDString, TokenizeSkipsEmptyTokensAndEndsWithMinusOne)
{
    CXDString list(TEXT("1,,4,"));
    int position = 0;
    EXPECT_EQ(Text(list.Tokenize(TEXT(","), position)), TEXT("1"));
    EXPECT_EQ(position, 2);
    EXPECT_EQ(Text(list.Tokenize(TEXT(","), position)), TEXT("4"));
    EXPECT_EQ(position, 5);
    CXDString last = list.Tokenize(TEXT(","), position);
    EXPECT_EQ(position, -1);
    EXPECT_EQ(Thrown([&] { last.GetCapacity(); }), E_PENDING);  // no block

    CXDString tail(TEXT("7,8"));
    position = 2;
    EXPECT_EQ(Text(tail.Tokenize(TEXT(","), position)), TEXT("8"));
    EXPECT_EQ(position, 4);  // beyond the end
    EXPECT_EQ(tail.Tokenize(TEXT(","), position).GetLength(), 0);
    EXPECT_EQ(position, -1);
    EXPECT_EQ(Thrown([&] { tail.Tokenize(TEXT(","), position); }), E_INVALIDARG);  // -1 is refused
    position = 0;
    EXPECT_EQ(Thrown([&] { tail.Tokenize(TEXT(""), position); }), E_INVALIDARG);
    EXPECT_EQ(Thrown([&] { tail.Tokenize(nullptr, position); }), E_INVALIDARG);
}

TEST(XDString, FormatReplacesTheTextAndAppendGrows)
{
    CXDString s(TEXT("old"));
    EXPECT_EQ(s.Format(TEXT("%s=%d"), TEXT("x"), -5), 4);
    EXPECT_EQ(Text(s), TEXT("x=-5"));
    EXPECT_EQ(Thrown([&] { s.Format(nullptr); }), E_INVALIDARG);

    WString expected;
    CXDString grown;
    for (int i = 0; i < 100; ++i) {
        grown.Append(TEXT("abc"));
        expected += TEXT("abc");
    }
    EXPECT_EQ(Text(grown), expected);
    EXPECT_EQ(grown.GetCapacity(), 512);
    grown.Append(nullptr);
    EXPECT_EQ(grown.GetLength(), 300);
}

TEST(XDString, NarrowTextConvertsOnlyByteForCharacter)
{
    CXDString latin("caf\xE9");
    EXPECT_EQ(Text(latin), TEXT("caf\u00e9"));
    EXPECT_TRUE(latin.Equals("caf\xE9"));
}

TEST(XDTextCopy, RefusesSmallOrMissingDestinations)
{
    WCHAR buffer[4];
    EXPECT_EQ(Thrown([&] { CopyWideN(buffer, 2, TEXT("abc"), 3); }),
              HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(Thrown([&] { CopyWideN(nullptr, 4, TEXT("abc"), 3); }), E_INVALIDARG);
    CopyWideN(buffer, 4, TEXT("ab\0z"), 3);
    EXPECT_EQ(WString(buffer), TEXT("ab"));
    EXPECT_EQ(Thrown([&] { CopyAnsiToWide(buffer, 2, "abc", 3); }),
              HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(Thrown([&] { CopyAnsiToWide(buffer, 3, "abc", 3); }), E_FAIL);  // no room for the terminator

    EXPECT_EQ(Thrown([] { AllocBstrOrThrow(nullptr); }), E_OUTOFMEMORY);
}

}  // namespace
