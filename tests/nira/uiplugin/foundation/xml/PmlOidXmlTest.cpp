// The PML object-id list: which "pmldata" elements become entries, the failures of Open, COM's
// initialisation left as the caller had it, and the sample package's list.
#include <windows.h>
#include <objbase.h>

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/foundation/xml/PmlOidXml.h"

#include <nirasim/Com.h>
#include <nirasim/Machine.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include "support/WString.h"
#include <utility>
#include <vector>

namespace {

using Entries = std::vector<std::pair<WString, WString>>;

const WCHAR* const kPath = TEXT("C:\\Data\\nirapmloid.xml");

std::string Entry(const std::string& name, const std::string& oid)
{
    return "<pmldata><pmlname>" + name + "</pmlname><oidvalue>" + oid + "</oidvalue></pmldata>";
}

std::string Document(const std::string& entries)
{
    return "<?xml version=\"1.0\"?><component><software><nira><PmlOIDs>" + entries +
           "</PmlOIDs></nira></software></component>";
}

class PmlOidXml : public ::testing::Test {
protected:
    nirasim::Machine machine;

    // Opens the text as the list and reads it; the open's status in *status.
    Entries Read(const std::string& text, LONG* status, int* result)
    {
        machine.WriteFile(kPath, text);
        CNiraPmlOidXml reader;
        *status = reader.Open(kPath);
        PmlOidEntry* list = nullptr;
        *result = reader.ReadPmlOids(&list);
        Entries entries;
        for (PmlOidEntry* entry = list; entry; entry = entry->next) {
            entries.emplace_back(entry->name, entry->oid);
        }
        CNiraPmlOidXml::FreeList(list);
        return entries;
    }

    void TearDown() override { EXPECT_EQ(nirasim::com::LiveObjectCount(), 0); }
};

TEST_F(PmlOidXml, ReadsTheEntriesThatCarryBothChildElements)
{
    struct Case {
        const char* what;
        std::string text;
        Entries entries;
    };
    const std::vector<Case> cases = {
        {"document order",
         Document(Entry("MODEL_NAME", "1.3.6.1.4.1.32473.1.0") +
                  Entry("hrMemorySize", "1.3.6.1.2.1.25.2.2.0")),
         {{TEXT("MODEL_NAME"), TEXT("1.3.6.1.4.1.32473.1.0")},
          {TEXT("hrMemorySize"), TEXT("1.3.6.1.2.1.25.2.2.0")}}},
        {"empty list", Document(""), {}},
        {"texts of the whole element",
         Document("<pmldata><pmlname> A <b>x</b></pmlname><oidvalue></oidvalue></pmldata>"),
         {{TEXT("A x"), TEXT("")}}},  // the DOM trims the ends, as MSXML does
        {"attributes are not children",
         Document("<pmldata pmlname=\"A\" oidvalue=\"1.1\"/>"
                  "<pmldata oidvalue=\"1.2\"><pmlname>B</pmlname></pmldata>"
                  "<pmldata pmlname=\"C\"><oidvalue>1.3</oidvalue></pmldata>" +
                  Entry("D", "1.4")),
         {{TEXT("D"), TEXT("1.4")}}},
        {"a second subtree is searched too",
         "<component><software><nira><PmlOIDs>" + Entry("A", "1.1") + "</PmlOIDs></nira><nira><PmlOIDs>" +
             Entry("B", "1.2") + "</PmlOIDs></nira></software></component>",
         {{TEXT("A"), TEXT("1.1")}, {TEXT("B"), TEXT("1.2")}}},
        {"elsewhere is not searched",
         "<component><software><nira/></software><PmlOIDs>" + Entry("A", "1.1") + "</PmlOIDs></component>",
         {}},
    };
    for (const Case& c : cases) {
        LONG status = -1;
        int result = -1;
        EXPECT_EQ(Read(c.text, &status, &result), c.entries) << c.what;
        EXPECT_EQ(status, 0) << c.what;
        EXPECT_EQ(result, 1) << c.what;
    }
}

TEST_F(PmlOidXml, OpenFailures)
{
    CNiraPmlOidXml reader;
    EXPECT_EQ(reader.Open(nullptr), NIRA_STATUS_FAILED);
    EXPECT_EQ(reader.Open(TEXT("C:\\Data\\missing.xml")), NIRA_STATUS_XML_NOT_LOADED);
    PmlOidEntry* list = reinterpret_cast<PmlOidEntry*>(1);
    EXPECT_EQ(reader.ReadPmlOids(&list), 0);
    EXPECT_EQ(list, nullptr);

    const std::vector<std::pair<std::string, LONG>> cases = {
        {"<component><software><nira>", NIRA_STATUS_XML_NOT_LOADED},
        {"", NIRA_STATUS_XML_NOT_LOADED},
        {"<component><software/></component>", NIRA_STATUS_FAILED},
        {"<other><component><software><nira/></software></component></other>", NIRA_STATUS_FAILED},
    };
    for (const auto& [text, expected] : cases) {
        LONG status = -1;
        int result = -1;
        EXPECT_TRUE(Read(text, &status, &result).empty()) << text;
        EXPECT_EQ(status, expected) << text;
        EXPECT_EQ(result, 0) << text;
    }
}

TEST_F(PmlOidXml, LeavesTheCallersComAsItFoundIt)
{
    machine.WriteFile(kPath, Document(Entry("A", "1.1")));
    {
        CNiraPmlOidXml reader;
        EXPECT_EQ(reader.Open(kPath), 0);
    }
    // The reader's own initialisation was undone: the thread starts afresh.
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    {
        // The thread is multithreaded, so the reader's own initialisation is refused and it must
        // not undo the caller's.
        CNiraPmlOidXml reader;
        EXPECT_EQ(reader.Open(kPath), 0);
    }
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
    CoUninitialize();
    CoUninitialize();
}

TEST_F(PmlOidXml, AStringThatCannotBeMadeGivesNoPartialList)
{
    machine.WriteFile(kPath, Document(Entry("A", "1.1") + Entry("B", "1.2") + Entry("C", "1.3")));
    bool complete = false;
    int successes = 0;
    for (; !complete && successes < 100; ++successes) {
        CNiraPmlOidXml reader;
        nirasim::com::FailBstrAllocationsAfter(successes);
        const LONG status = reader.Open(kPath);
        PmlOidEntry* list = reinterpret_cast<PmlOidEntry*>(1);
        const int result = reader.ReadPmlOids(&list);
        nirasim::com::FailBstrAllocationsAfter(-1);
        int count = 0;
        for (PmlOidEntry* entry = list; entry; entry = entry->next) {
            ++count;
        }
        CNiraPmlOidXml::FreeList(list);
        if (result == 1) {
            EXPECT_EQ(status, 0);
            EXPECT_EQ(count, 3) << successes;
            complete = true;
        } else {
            EXPECT_EQ(count, 0) << successes;
        }
    }
    EXPECT_TRUE(complete);
    EXPECT_GT(successes, 6);  // every query and text of the three entries was made to fail once
}

TEST_F(PmlOidXml, SamplePackageListsTheDeviceValues)
{
    machine.InstallSamplePackage(NIRA_BUILD_DIR);
    machine.AddSamplePrinter("Sample Inkjet");
    CNiraPrinterAccess access(TEXT("Sample Inkjet"));
    WCHAR path[CNiraPrinterAccess::kComponentPathChars] = {};
    ASSERT_TRUE(access.FindDriverIni(FALSE));
    ASSERT_TRUE(access.GetComponentPath(TEXT("NIRA_PMLOID_XML"), path));
    CNiraPmlOidXml reader;
    ASSERT_EQ(reader.Open(path), 0);
    PmlOidEntry* list = nullptr;
    ASSERT_EQ(reader.ReadPmlOids(&list), 1);
    Entries entries;
    for (PmlOidEntry* entry = list; entry; entry = entry->next) {
        entries.emplace_back(entry->name, entry->oid);
    }
    CNiraPmlOidXml::FreeList(list);
    std::vector<WString> names;
    for (const auto& entry : entries) {
        names.push_back(entry.first);
        EXPECT_FALSE(entry.second.empty()) << nirasim::Utf8(entry.first);
    }
    for (const WCHAR* wanted :
         {TEXT("MODEL_NAME"), TEXT("prtMediaPathType2"), TEXT("MEDIA-NAMES-AVAILABLE")}) {
        EXPECT_NE(std::find(names.begin(), names.end(), wanted), names.end()) << nirasim::Utf8(wanted);
    }
    // The memory size has its own retry and must be asked by this id.
    EXPECT_NE(std::find(entries.begin(), entries.end(),
                        std::make_pair(WString(TEXT("hrMemorySize")), WString(TEXT("1.3.6.1.2.1.25.2.2.0")))),
              entries.end());
}

}  // namespace
