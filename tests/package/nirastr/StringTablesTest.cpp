// Every text of the string-resource library, read from the loaded module's string tables in each
// of its languages, equals the text of its list: the resource script and the simulated machine's
// table are made from the same lists, and this shows that both modules carry them.
#include <windows.h>

#include "package/nirastr/NiraStrTexts.h"
#include "support/SampleDriverMachine.h"
#include "support/WString.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Text {
    UINT id;
    const char* utf8;
};

#define NIRASTR_TEXT(id, text) {id, text},
const Text kEnglish[] = {NIRASTR_TEXTS_ENGLISH(NIRASTR_TEXT)};
const Text kGerman[] = {NIRASTR_TEXTS_GERMAN(NIRASTR_TEXT)};
const Text kJapanese[] = {NIRASTR_TEXTS_JAPANESE(NIRASTR_TEXT)};
const Text kHebrew[] = {NIRASTR_TEXTS_HEBREW(NIRASTR_TEXT)};
#undef NIRASTR_TEXT

constexpr UINT kEntriesPerBlock = 16;

WString Wide(const char* utf8)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    WString text(length > 0 ? length - 1 : 0, 0);
    if (length > 1) {
        MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &text[0], length);
    }
    return text;
}

// The entry of a string block in the given language, read through the resource functions: a
// block holds 16 counted texts, each a length word and that many characters.
bool ReadEntry(HMODULE module, UINT id, LANGID language, WString* text)
{
    const HRSRC block =
        FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(id / kEntriesPerBlock + 1), language);
    const HGLOBAL loaded = block ? LoadResource(module, block) : nullptr;
    const WCHAR* data = loaded ? static_cast<const WCHAR*>(LockResource(loaded)) : nullptr;
    if (data == nullptr) {
        return false;
    }
    const size_t words = SizeofResource(module, block) / sizeof(WCHAR);
    size_t at = 0;
    for (UINT entry = 0; entry < id % kEntriesPerBlock; ++entry) {
        if (at >= words) {
            return false;
        }
        at += 1 + data[at];
    }
    if (at >= words || at + 1 + data[at] > words) {
        return false;
    }
    text->assign(data + at + 1, data[at]);
    return true;
}

template <size_t N>
void ExpectTables(HMODULE module, LANGID language, const Text (&texts)[N])
{
    for (const Text& expected : texts) {
        WString text;
        ASSERT_TRUE(ReadEntry(module, expected.id, language, &text)) << expected.id << " in " << language;
        EXPECT_EQ(text, Wide(expected.utf8)) << expected.id << " in " << language;
    }
}

TEST(StringTables, EveryTextOfEveryLanguageAsListed)
{
    CSampleDriverMachine sample;
    const HMODULE module = sample.LoadDriverModule(TEXT("nirastr.dll"));
    ASSERT_NE(module, nullptr);
    ExpectTables(module, MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT), kEnglish);
    ExpectTables(module, MAKELANGID(LANG_GERMAN, SUBLANG_DEFAULT), kGerman);
    ExpectTables(module, MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), kJapanese);
    ExpectTables(module, MAKELANGID(LANG_HEBREW, SUBLANG_DEFAULT), kHebrew);
}

}  // namespace
