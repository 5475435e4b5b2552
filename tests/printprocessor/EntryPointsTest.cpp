// The print processor's exports as the spooler calls them on the loaded nirapp.
#include "printprocessor/ProcessorMachine.h"

#include <nirasim/PrintJobs.h>

#include <winsplp.h>

#include <string>
#include "support/WString.h"

namespace {

constexpr DWORD kDatatypesBytes = 250;  // eight DATATYPES_INFO_1 and their names, x64

class EntryPointsTest : public ProcessorMachineTest {};

TEST_F(EntryPointsTest, DatatypesAreListedWithTheirNamesFromTheBufferEnd)
{
    BYTE buffer[kDatatypesBytes] = {};
    DWORD needed = 0;
    DWORD count = 99;
    ASSERT_TRUE(Host().EnumDatatypes(buffer, sizeof(buffer), &needed, &count));
    EXPECT_EQ(needed, kDatatypesBytes);
    ASSERT_EQ(count, 8u);
    auto* entries = reinterpret_cast<DATATYPES_INFO_1W*>(buffer);
    const WCHAR* expected[] = {
        TEXT("RAW"),          TEXT("RAW [FF appended]"), TEXT("RAW [FF auto]"), TEXT("NT EMF 1.003"),
        TEXT("NT EMF 1.006"), TEXT("NT EMF 1.007"),      TEXT("NT EMF 1.008"),  TEXT("TEXT")};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(WString(entries[i].pName), expected[i]);
    }
    // The first name placed is the last in the buffer.
    EXPECT_EQ(reinterpret_cast<BYTE*>(entries[0].pName), buffer + kDatatypesBytes - 4 * sizeof(WCHAR));
}

TEST_F(EntryPointsTest, DatatypesRefuseAShortOrMissingBufferWithTheFullSize)
{
    BYTE buffer[kDatatypesBytes] = {};
    DWORD needed = 0;
    DWORD count = 99;
    EXPECT_FALSE(Host().EnumDatatypes(buffer, kDatatypesBytes - 1, &needed, &count));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(needed, kDatatypesBytes);
    EXPECT_EQ(count, 0u);

    EXPECT_FALSE(Host().EnumDatatypes(nullptr, kDatatypesBytes, &needed, &count));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    SetLastError(0);
    EXPECT_FALSE(Host().EnumDatatypes(buffer, kDatatypesBytes, nullptr, &count));
    EXPECT_EQ(GetLastError(), 0u);
}

struct OpenCase {
    const WCHAR* datatype;
    bool opens;
    DWORD error;
};

TEST_F(EntryPointsTest, OpenChoosesTheRoadByDatatypeWithoutRegardToCase)
{
    const OpenCase cases[] = {
        {TEXT("nt emf 1.006"), true, 0},
        {TEXT("raw [ff AUTO]"), true, 0},
        {TEXT("Text"), true, 0},
        {TEXT("NT EMF 1.003"), false, ERROR_INVALID_DATATYPE},
        {TEXT("XPS2GDI"), false, ERROR_INVALID_DATATYPE},
        {TEXT(""), false, ERROR_INVALID_PARAMETER},
    };
    for (const OpenCase& c : cases) {
        WString datatype = c.datatype;
        WString document = TEXT("Document");
        WString printer = nirasim::Wide(kPrinter);
        PRINTPROCESSOROPENDATA data = {};
        data.pDatatype = datatype.data();
        data.pDocumentName = document.data();
        data.pPrinterName = printer.data();
        SetLastError(0);
        HANDLE job = Host().Open(kPrinter, &data);
        EXPECT_EQ(job != nullptr, c.opens) << nirasim::Utf8(datatype);
        if (job != nullptr) {
            EXPECT_TRUE(Host().Close(job));
        } else {
            EXPECT_EQ(GetLastError(), c.error) << nirasim::Utf8(datatype);
        }
    }
    EXPECT_EQ(Host().Open(kPrinter, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(nirasim::LiveGdiObjects(), 0);
}

TEST_F(EntryPointsTest, AClosedOrForeignHandleIsRefusedByEveryEntry)
{
    WString datatype = TEXT("RAW");
    WString printer = nirasim::Wide(kPrinter);
    PRINTPROCESSOROPENDATA data = {};
    data.pDatatype = datatype.data();
    data.pPrinterName = printer.data();
    HANDLE job = Host().Open(kPrinter, &data);
    ASSERT_NE(job, nullptr);
    EXPECT_FALSE(Host().Control(job, 4));  // no such command: refused, nothing changed
    ASSERT_TRUE(Host().Close(job));

    DWORD foreign[16] = {0x5051};
    for (HANDLE handle : {job, static_cast<HANDLE>(foreign), static_cast<HANDLE>(nullptr)}) {
        SetLastError(0);
        EXPECT_FALSE(Host().Close(handle));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
        SetLastError(0);
        EXPECT_FALSE(Host().Control(handle, JOB_CONTROL_PAUSE));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
        SetLastError(0);
        EXPECT_FALSE(Host().Print(handle, "Nira Sample, Job 1"));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    }
}

struct CapabilityCase {
    const char* datatype;
    DWORD attributes;
    DWORD result;
    DWORD nupOptions;
    DWORD orderFlags;
    DWORD copies;
};

TEST_F(EntryPointsTest, CapabilitiesFollowTheDatatypeAndThePrinterAttributes)
{
    const DWORD localNetwork = PRINTER_ATTRIBUTE_LOCAL | PRINTER_ATTRIBUTE_NETWORK;
    const CapabilityCase cases[] = {
        {"RAW", 0, 0, 1, 0, 0xFFFFFFFF},
        {"TEXT", PRINTER_ATTRIBUTE_DIRECT, 0, 1, 0, 0xFFFFFFFF},
        {"NT EMF 1.008", PRINTER_ATTRIBUTE_LOCAL, 0, 0x812B, 3, 0xFFFFFFFF},
        {"NT EMF 1.006", localNetwork, 0, 1, 0, 1},
        {"NT EMF 1.007", PRINTER_ATTRIBUTE_DIRECT, 0, 1, 0, 1},
        {"NT EMF 1.007", PRINTER_ATTRIBUTE_RAW_ONLY, 0, 1, 0, 1},
        {"NT EMF 1.003", 0, ERROR_INVALID_DATATYPE, 7, 7, 7},
    };
    for (const CapabilityCase& c : cases) {
        PRINTPROCESSOR_CAPS_1 caps = {0, 7, 7, 7};
        DWORD needed = 0;
        DWORD result = Host().Capabilities(c.datatype, c.attributes, reinterpret_cast<LPBYTE>(&caps),
                                           sizeof(caps), &needed);
        EXPECT_EQ(result, c.result) << c.datatype;
        EXPECT_EQ(needed, sizeof(caps));
        EXPECT_EQ(caps.dwNupOptions, c.nupOptions) << c.datatype;
        EXPECT_EQ(caps.dwPageOrderFlags, c.orderFlags) << c.datatype;
        EXPECT_EQ(caps.dwNumberOfCopies, c.copies) << c.datatype;
    }
    PRINTPROCESSOR_CAPS_1 caps = {};
    DWORD needed = 0;
    EXPECT_EQ(Host().Capabilities("RAW", 0, reinterpret_cast<LPBYTE>(&caps), sizeof(caps) - 1, &needed),
              static_cast<DWORD>(ERROR_MORE_DATA));
    EXPECT_EQ(needed, sizeof(caps));
    EXPECT_EQ(Host().Capabilities("RAW", 0, nullptr, sizeof(caps), &needed),
              static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(EntryPointsTest, CopiesComeFromTheParametersUnlessThePrinterPrintsDirectly)
{
    EXPECT_EQ(Run(TEXT("RAW"), "ab", TEXT("COPIES=3;")).portBytes, "ababab");

    nirasim::PrinterSpec direct;
    direct.name = TEXT("Direct Printer");
    direct.driverName = nirasim::Machine::SamplePackageDriver().name;
    direct.attributes = PRINTER_ATTRIBUTE_LOCAL | PRINTER_ATTRIBUTE_DIRECT;
    Machine().AddPrinter(direct);
    nirasim::PrintJobSpec job = Job(TEXT("RAW"), "ab", TEXT("COPIES=3;"));
    job.printer = direct.name;
    EXPECT_EQ(Host().Run(job).portBytes, "ab");
}

TEST_F(EntryPointsTest, PauseThenCancelFromASecondThreadStopsARawJobAtItsNextCheck)
{
    // Three chunks of the read buffer's size; the job is paused before the second read and
    // cancelled while it waits.
    std::string data(3 * 65536, 'x');
    nirasim::PrintJobRun run =
        Run(TEXT("RAW [FF auto]"), data, WString(), {{2, JOB_CONTROL_PAUSE}, {2, JOB_CONTROL_CANCEL, true}});
    EXPECT_TRUE(run.printed);
    EXPECT_TRUE(run.closed);
    ASSERT_EQ(run.controls.size(), 2u);
    EXPECT_TRUE(run.controls[0].answer);
    EXPECT_TRUE(run.controls[1].answer);
    // The first chunk went out; the second was read while paused and not written, and no form
    // feed follows a cancelled copy.
    EXPECT_EQ(run.portBytes, std::string(65536, 'x'));
}

TEST_F(EntryPointsTest, ResumeLetsAPausedJobGoOn)
{
    std::string data(2 * 65536, 'y');
    nirasim::PrintJobRun run =
        Run(TEXT("RAW"), data, WString(), {{2, JOB_CONTROL_PAUSE}, {2, JOB_CONTROL_RESUME, true}});
    EXPECT_TRUE(run.printed);
    EXPECT_EQ(run.portBytes, data);
}

}  // namespace
