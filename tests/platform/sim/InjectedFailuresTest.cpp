#include <windows.h>

#include <msxml2.h>
#include <objbase.h>
#include <oleauto.h>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <regex>
#include <stdexcept>
#include <string>

#include "nirasim/Com.h"
#include "nirasim/InjectedFailures.h"
#include "nirasim/Machine.h"

namespace {

struct AllocationCase {
    const char* function;
    std::function<bool()> allocates;  // true when the allocation succeeded (and was freed)
};

bool Freed(HLOCAL block)
{
    return block != nullptr && LocalFree(block) == nullptr;
}

const AllocationCase kAllocations[] = {
    {"LocalAlloc", [] { return Freed(LocalAlloc(LPTR, 8)); }},
    {"GlobalAlloc", [] { return Freed(GlobalAlloc(GMEM_FIXED, 8)); }},
    {"HeapAlloc",
     [] {
         void* block = HeapAlloc(GetProcessHeap(), 0, 8);
         return block != nullptr && HeapFree(GetProcessHeap(), 0, block);
     }},
    {"HeapReAlloc",
     [] {
         void* block = HeapAlloc(GetProcessHeap(), 0, 8);
         void* grown = HeapReAlloc(GetProcessHeap(), 0, block, 64);
         HeapFree(GetProcessHeap(), 0, grown != nullptr ? grown : block);
         return grown != nullptr;
     }},
    {"CoTaskMemAlloc",
     [] {
         void* block = CoTaskMemAlloc(8);
         CoTaskMemFree(block);
         return block != nullptr;
     }},
    {"SysAllocString",
     [] {
         BSTR text = SysAllocString(TEXT("text"));
         SysFreeString(text);
         return text != nullptr;
     }},
    {"SysAllocStringLen",
     [] {
         BSTR text = SysAllocStringLen(TEXT("text"), 2);
         SysFreeString(text);
         return text != nullptr;
     }},
};

}  // namespace

TEST(InjectedFailuresTest, EachAllocatorFailsByItsNameWithOutOfMemory)
{
    nirasim::Machine machine;
    for (const AllocationCase& allocation : kAllocations) {
        SCOPED_TRACE(allocation.function);
        machine.FailCalls(allocation.function, ERROR_NOT_ENOUGH_MEMORY);
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(allocation.allocates());
        EXPECT_TRUE(allocation.allocates()) << "only the next call fails";
    }
}

TEST(InjectedFailuresTest, AnUnknownNameIsRefused)
{
    nirasim::Machine machine;
    EXPECT_THROW(machine.FailCalls("LocalAllocate", ERROR_NOT_ENOUGH_MEMORY), std::invalid_argument);
    EXPECT_THROW(machine.FailCalls("", ERROR_NOT_ENOUGH_MEMORY), std::invalid_argument);
    EXPECT_TRUE(nirasim::failures::IsInjectable("CoCreateInstance"));
    EXPECT_FALSE(nirasim::failures::IsInjectable("LocalFree"));
}

TEST(InjectedFailuresTest, TheKthCallOfAnyNameFails)
{
    nirasim::Machine machine;
    auto run = [] {
        HLOCAL first = LocalAlloc(LPTR, 4);
        BSTR second = SysAllocString(TEXT("x"));
        void* third = CoTaskMemAlloc(4);
        const int succeeded = (first != nullptr) + (second != nullptr) + (third != nullptr);
        LocalFree(first);
        SysFreeString(second);
        CoTaskMemFree(third);
        return succeeded;
    };
    nirasim::failures::ResetCallCount();
    EXPECT_EQ(run(), 3);
    EXPECT_EQ(nirasim::failures::CallCount(), 3u);

    const char* const names[] = {"LocalAlloc", "SysAllocString", "CoTaskMemAlloc"};
    for (unsigned long number = 1; number <= 3; ++number) {
        nirasim::failures::FailCallNumber(number);
        EXPECT_EQ(nirasim::failures::FailedCall(), "");
        EXPECT_EQ(run(), 2);
        EXPECT_EQ(nirasim::failures::FailedCall(), names[number - 1]);
    }
    EXPECT_EQ(run(), 3) << "a numbered failure happens once";

    nirasim::failures::FailCallNumber(4);
    EXPECT_EQ(run(), 3);
    EXPECT_EQ(nirasim::failures::FailedCall(), "") << "a number past the run fails nothing";
    machine.ClearFailures();
}

TEST(InjectedFailuresTest, ComCallsFailWithTheErrorAsHresult)
{
    nirasim::Machine machine;
    machine.FailCalls("CoInitializeEx", ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), HRESULT_FROM_WIN32(ERROR_NOT_ENOUGH_MEMORY));
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);

    IXMLDOMDocument2* document = nullptr;
    machine.FailCalls("CoCreateInstance", ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(CoCreateInstance(CLSID_DOMDocument30, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument2,
                               reinterpret_cast<void**>(&document)),
              HRESULT_FROM_WIN32(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_EQ(document, nullptr);
    CoUninitialize();
}

TEST(InjectedFailuresTest, DocumentLoadsReadThroughTheFileCalls)
{
    nirasim::Machine machine;
    const std::u16string path = TEXT("C:\\Data\\doc.xml");
    ASSERT_TRUE(machine.WriteFile(path, "<root/>"));
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    IXMLDOMDocument2* document = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_DOMDocument30, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument2,
                               reinterpret_cast<void**>(&document)),
              S_OK);
    auto load = [&] {
        VARIANT source;
        VariantInit(&source);
        source.vt = VT_BSTR;
        source.bstrVal = SysAllocString(path.c_str());
        VARIANT_BOOL loaded = VARIANT_FALSE;
        document->load(source, &loaded);
        VariantClear(&source);
        return loaded == VARIANT_TRUE;
    };
    for (const char* function : {"CreateFileW", "ReadFile"}) {
        machine.FailCalls(function, ERROR_ACCESS_DENIED);
        EXPECT_FALSE(load()) << function;
    }
    EXPECT_TRUE(load());
    document->Release();
    CoUninitialize();
    EXPECT_EQ(nirasim::com::LiveObjectCount(), 0);
}

TEST(InjectedFailuresTest, SqliteOpensAndReadsThroughTheFileCalls)
{
    nirasim::Machine machine;
    const std::u16string path = TEXT("C:\\Data\\Sample.db");
    ASSERT_TRUE(machine.WriteFile(path, ""));
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open16(path.c_str(), &db));
    ASSERT_EQ(SQLITE_OK,
              sqlite3_exec(db, "CREATE TABLE T (A); INSERT INTO T VALUES (1);", nullptr, nullptr, nullptr));
    sqlite3_close(db);

    machine.FailCalls("CreateFileW", ERROR_ACCESS_DENIED);
    db = nullptr;
    EXPECT_EQ(SQLITE_CANTOPEN, sqlite3_open16(path.c_str(), &db));
    sqlite3_close(db);

    ASSERT_EQ(SQLITE_OK, sqlite3_open16(path.c_str(), &db));
    machine.FailCalls("ReadFile", ERROR_READ_FAULT);
    EXPECT_NE(SQLITE_OK, sqlite3_exec(db, "SELECT A FROM T", nullptr, nullptr, nullptr));
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, "SELECT A FROM T", nullptr, nullptr, nullptr));
    sqlite3_close(db);
}

// Every name a simulated function checks can be failed by name: a function added to the machine
// with a check but without its name in the list would refuse tests that try to fail it.
TEST(InjectedFailuresTest, EveryCheckedNameIsInjectable)
{
    const std::regex check(R"((IF_INJECTED|InjectedFailure)\("([A-Za-z0-9_]+)\")");
    size_t checks = 0;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(std::string(NIRA_SOURCE_DIR) + "/platform/sim")) {
        if (!entry.is_regular_file() || entry.path().extension() != ".cpp") {
            continue;
        }
        std::ifstream file(entry.path());
        const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        for (std::sregex_iterator at(text.begin(), text.end(), check), end; at != end; ++at) {
            ++checks;
            EXPECT_TRUE(nirasim::failures::IsInjectable((*at)[2].str()))
                << (*at)[2].str() << " in " << entry.path().filename().string();
        }
    }
    EXPECT_GT(checks, 50u);
}
