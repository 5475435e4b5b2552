// Finding and trusting the private section of a DEVMODE, and the plug-in's answers to the core
// driver's DEVMODE requests.
#include <gtest/gtest.h>

#include <winspool.h>

#include <nirasim/Machine.h>

#include <string.h>

#include <string>
#include <vector>

#include "nira/uiplugin/core/plugin/PrivateDevModeHandler.h"
#include "nira/uiplugin/core/plugin/PrivateDevModeSearch.h"

namespace {

constexpr WORD kCoreBlock = 64;  // bytes of the core driver's own private data before the section

// A DEVMODE with a driver-private area of `extra` bytes; a section header is written at
// `sectionAt` bytes into the area (no section when negative).
std::vector<BYTE> MakeDevMode(WORD extra, int sectionAt)
{
    std::vector<BYTE> bytes(sizeof(DEVMODEW) + extra, 0);
    auto* devMode = reinterpret_cast<DEVMODEW*>(bytes.data());
    devMode->dmSize = sizeof(DEVMODEW);
    devMode->dmDriverExtra = extra;
    if (sectionAt >= 0) {
        PrivateDevMode header = {};
        header.size = kPrivateDevmodeSize;
        header.signature = kPrivateDevmodeSignature;
        header.version = kPrivateDevmodeVersion;
        header.sectionGuid = kPrivateDevmodeGuid;
        const size_t room = bytes.size() - sizeof(DEVMODEW) - sectionAt;
        memcpy(bytes.data() + sizeof(DEVMODEW) + sectionAt, &header,
               room < sizeof(header) ? room : sizeof(header));
    }
    return bytes;
}

PrivateDevMode* SectionAt(std::vector<BYTE>& devMode, size_t areaOffset)
{
    return reinterpret_cast<PrivateDevMode*>(devMode.data() + sizeof(DEVMODEW) + areaOffset);
}

void SetPayload(PrivateDevMode* section, DWORD length, BYTE fill)
{
    section->packedLength = length;
    memset(&section->payload, fill, sizeof(section->payload));
    section->checksum = section->checksumCopy = ComputeBlockChecksum(section);
}

TEST(PrivateDevModeSearchTest, OnlyASectionEndingTheAreaIsFound)
{
    struct Case {
        const char* name;
        WORD extra;
        int sectionAt;
        int expectedAt;  // -1: none found
    };
    const Case cases[] = {
        {"section at the area's end", kCoreBlock + kPrivateDevmodeSize, kCoreBlock, kCoreBlock},
        {"area of exactly 6892 bytes", kPrivateDevmodeSize, 0, -1},
        {"section ends before the area's end", kCoreBlock + kPrivateDevmodeSize + 8, kCoreBlock, -1},
        {"section at an odd offset", 3 + kPrivateDevmodeSize, 3, 3},
        {"no section", kCoreBlock + kPrivateDevmodeSize, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<BYTE> bytes = MakeDevMode(c.extra, c.sectionAt);
        PrivateDevMode* found = reinterpret_cast<PrivateDevMode*>(1);
        const BOOLEAN result = FindPrivateDevMode(reinterpret_cast<DEVMODEW*>(bytes.data()), &found);
        EXPECT_EQ(result != FALSE, c.expectedAt >= 0);
        EXPECT_EQ(found, c.expectedAt >= 0 ? SectionAt(bytes, c.expectedAt) : nullptr);
    }
}

TEST(PrivateDevModeSearchTest, AnEarlierHeaderCopyDoesNotStopTheSearch)
{
    std::vector<BYTE> bytes = MakeDevMode(kCoreBlock + kPrivateDevmodeSize, kCoreBlock);
    // A decoy header in the core driver's block: signature and GUID, but the wrong place to end.
    PrivateDevMode decoy = {};
    decoy.size = kPrivateDevmodeSize;
    decoy.signature = kPrivateDevmodeSignature;
    decoy.sectionGuid = kPrivateDevmodeGuid;
    memcpy(bytes.data() + sizeof(DEVMODEW) + 4, &decoy, 28);
    PrivateDevMode* found = nullptr;
    ASSERT_TRUE(FindPrivateDevMode(reinterpret_cast<DEVMODEW*>(bytes.data()), &found));
    EXPECT_EQ(found, SectionAt(bytes, kCoreBlock));
}

TEST(PrivateDevModeSearchTest, NullArgumentsFindNothing)
{
    std::vector<BYTE> bytes = MakeDevMode(kCoreBlock + kPrivateDevmodeSize, kCoreBlock);
    PrivateDevMode* found = nullptr;
    EXPECT_FALSE(FindPrivateDevMode(nullptr, &found));
    EXPECT_FALSE(FindPrivateDevMode(reinterpret_cast<DEVMODEW*>(bytes.data()), nullptr));
    EXPECT_FALSE(HasValidPrivateDevMode(nullptr));
}

TEST(PrivateDevModeSearchTest, OnlyAnIntactSectionIsValid)
{
    struct Case {
        const char* name;
        DWORD packedLength;
        int checksumDelta;  // added to the checksum at 100 after it was computed
        bool valid;
    };
    const Case cases[] = {
        {"empty payload, zero checksums", 0, 0, true},
        {"checksum of N and the payload", 100, 0, true},
        {"N above 6000 sums 6000 bytes", 7000, 0, true},
        {"bad checksum", 100, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<BYTE> bytes = MakeDevMode(kCoreBlock + kPrivateDevmodeSize, kCoreBlock);
        PrivateDevMode* section = SectionAt(bytes, kCoreBlock);
        SetPayload(section, c.packedLength, c.packedLength == 0 ? 0 : 1);
        section->checksum += c.checksumDelta;
        EXPECT_EQ(HasValidPrivateDevMode(reinterpret_cast<DEVMODEW*>(bytes.data())) != FALSE, c.valid);
    }
    std::vector<BYTE> bytes = MakeDevMode(kCoreBlock + kPrivateDevmodeSize, kCoreBlock);
    SetPayload(SectionAt(bytes, kCoreBlock), 7000, 1);
    EXPECT_EQ(SectionAt(bytes, kCoreBlock)->checksum, 7000u + kPackedPayloadSize);
}

TEST(PrivateDevModeInfoTest, SignatureAndVersionNeedFourBytes)
{
    CNiraPrivateDevModeHandler handler;
    DWORD value = 0;
    DWORD needed = 0;
    EXPECT_EQ(handler.GetInfo(OEMGI_GETSIGNATURE, &value, 3, &needed), E_FAIL);
    EXPECT_EQ(needed, 4u);
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(handler.GetInfo(OEMGI_GETSIGNATURE, &value, 4, &needed), S_OK);
    EXPECT_EQ(value, kPrivateDevmodeSignature);
    EXPECT_EQ(handler.GetInfo(OEMGI_GETVERSION, &value, 4, &needed), S_OK);
    EXPECT_EQ(value, kPrivateDevmodeVersion);
    EXPECT_EQ(handler.GetInfo(OEMGI_GETSIGNATURE, &value, 4, nullptr), E_FAIL);
    EXPECT_EQ(handler.GetInfo(OEMGI_GETINTERFACEVERSION, &value, 4, &needed), E_NOTIMPL);
}

// The DEVMODE requests on a printer of the sample driver, in a chosen program.
class PrivateDevModeRequestTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        machine.InstallSamplePackage(NIRA_BUILD_DIR);
        machine.AddSamplePrinter(TEXT("Local Inkjet"), TEXT("USB001"));
        machine.AddSamplePrinter(TEXT("Session Inkjet"), TEXT("Client:2"));
        machine.SetUser(TEXT("jobowner"));
        ResetBuffers();
    }

    void ResetBuffers()
    {
        publicIn = {};
        publicOut = {};
        publicIn.dmSize = publicOut.dmSize = sizeof(DEVMODEW);
        publicIn.dmPaperSize = 9;
        publicIn.dmDuplex = 2;
        publicIn.dmMediaType = 3;
        publicOut.dmPaperSize = 1;
        in.assign(kPrivateDevmodeSize + 1, 0);
        out.assign(kPrivateDevmodeSize + 1, 0xEE);
        auto* section = Input();
        section->size = kPrivateDevmodeSize;
        section->signature = kPrivateDevmodeSignature;
        section->version = kPrivateDevmodeVersion;
        section->sectionGuid = kPrivateDevmodeGuid;
        strcpy(section->processPath, "C:\\Apps\\earlier.exe");
    }

    void TearDown() override
    {
        if (printer != nullptr) {
            ClosePrinter(printer);
        }
    }

    HANDLE Open(const WCHAR* name)
    {
        EXPECT_TRUE(OpenPrinterW(const_cast<LPWSTR>(name), &printer, nullptr));
        return printer;
    }

    std::string UserName()
    {
        WCHAR name[kPrivateDevmodeTextChars];
        memcpy(name, out.data() + offsetof(PrivateDevMode, userName), sizeof(name));
        name[kPrivateDevmodeTextChars - 1] = 0;
        return nirasim::Utf8(name);
    }

    PrivateDevMode* Input() { return reinterpret_cast<PrivateDevMode*>(in.data()); }

    // Gives the input section some packed bytes and both checksums that match them.
    void SealInput(DWORD packedBytes)
    {
        Input()->packedLength = packedBytes;
        for (DWORD i = 0; i < packedBytes; ++i) {
            reinterpret_cast<BYTE*>(&Input()->payload)[i] = static_cast<BYTE>(0x30 + i);
        }
        Input()->checksum = Input()->checksumCopy = ComputeBlockChecksum(Input());
    }
    PrivateDevMode* Output() { return reinterpret_cast<PrivateDevMode*>(out.data()); }

    OEMDMPARAM Param(DWORD bufferSize)
    {
        OEMDMPARAM param = {};
        param.cbSize = sizeof(param);
        param.hPrinter = printer;
        param.pPublicDMIn = &publicIn;
        param.pPublicDMOut = &publicOut;
        param.pOEMDMIn = in.data();
        param.pOEMDMOut = out.data();
        param.cbBufSize = bufferSize;
        return param;
    }

    nirasim::Machine machine;
    HANDLE printer = nullptr;
    DEVMODEW publicIn = {};
    DEVMODEW publicOut = {};
    std::vector<BYTE> in;
    std::vector<BYTE> out;
    CNiraPrivateDevModeHandler handler;
};

TEST_F(PrivateDevModeRequestTest, SizeAndDefaultSection)
{
    Open(TEXT("Local Inkjet"));
    OEMDMPARAM param = Param(4096);
    EXPECT_EQ(handler.HandleDevMode(OEMDM_SIZE, &param), S_OK);
    EXPECT_EQ(param.cbBufSize, kPrivateDevmodeSize);

    param = Param(kPrivateDevmodeSize - 1);
    EXPECT_EQ(handler.HandleDevMode(OEMDM_DEFAULT, &param), E_FAIL);
    EXPECT_EQ(out[0], 0xEE);

    param = Param(kPrivateDevmodeSize);
    EXPECT_EQ(handler.HandleDevMode(OEMDM_DEFAULT, &param), S_OK);
    EXPECT_EQ(Output()->size, kPrivateDevmodeSize);
    EXPECT_EQ(Output()->signature, kPrivateDevmodeSignature);
    EXPECT_EQ(Output()->version, kPrivateDevmodeVersion);
    EXPECT_EQ(memcmp(&Output()->sectionGuid, &kPrivateDevmodeGuid, sizeof(GUID)), 0);
    EXPECT_EQ(Output()->packedLength, 0u);
    EXPECT_EQ(out[kPrivateDevmodeSize], 0xEE);  // nothing written past the section
}

TEST_F(PrivateDevModeRequestTest, RefusedRequests)
{
    Open(TEXT("Local Inkjet"));
    struct Case {
        const char* name;
        DWORD mode;
        DWORD bufferSize;
        DWORD inputSize;  // the size DWORD of the input section
        bool noPrinter;
        bool noInput;
        bool noPublicIn;
        bool zeroGuid;
    };
    const Case cases[] = {
        {"convert into 6891 bytes", OEMDM_CONVERT, kPrivateDevmodeSize - 1, kPrivateDevmodeSize, false, false,
         false, false},
        {"merge into 6891 bytes", OEMDM_MERGE, kPrivateDevmodeSize - 1, kPrivateDevmodeSize, false, false,
         false, false},
        {"input size 4096", OEMDM_CONVERT, kPrivateDevmodeSize, 4096, false, false, false, false},
        {"no printer", OEMDM_SIZE, kPrivateDevmodeSize, kPrivateDevmodeSize, true, false, false, false},
        {"no input section", OEMDM_MERGE, kPrivateDevmodeSize, kPrivateDevmodeSize, false, true, false,
         false},
        {"no public DEVMODE in", OEMDM_CONVERT, kPrivateDevmodeSize, kPrivateDevmodeSize, false, false, true,
         false},
        {"all-zero section GUID", OEMDM_CONVERT, kPrivateDevmodeSize, kPrivateDevmodeSize, false, false,
         false, true},
        {"unknown mode", 5, kPrivateDevmodeSize, kPrivateDevmodeSize, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Input()->size = c.inputSize;
        Input()->sectionGuid = c.zeroGuid ? GUID{} : kPrivateDevmodeGuid;
        OEMDMPARAM param = Param(c.bufferSize);
        param.hPrinter = c.noPrinter ? nullptr : printer;
        param.pOEMDMIn = c.noInput ? nullptr : in.data();
        param.pPublicDMIn = c.noPublicIn ? nullptr : &publicIn;
        EXPECT_EQ(handler.HandleDevMode(c.mode, &param), E_FAIL);
        EXPECT_EQ(out[0], 0xEE);
    }
    EXPECT_EQ(handler.HandleDevMode(OEMDM_SIZE, nullptr), E_FAIL);
}

TEST_F(PrivateDevModeRequestTest, ConvertCopiesTheInputAndUpdatesOnlyTheOutput)
{
    Open(TEXT("Local Inkjet"));
    machine.SetProcessPath(TEXT("C:\\Program Files\\Writer\\writer.exe"));
    Input()->size = 0;  // accepted next to 6892, and written out as 6892 so that readers find it
    const std::vector<BYTE> before = in;
    OEMDMPARAM param = Param(kPrivateDevmodeSize);
    ASSERT_EQ(handler.HandleDevMode(OEMDM_CONVERT, &param), S_OK);
    EXPECT_EQ(in, before);
    EXPECT_EQ(Output()->size, kPrivateDevmodeSize);
    EXPECT_EQ(Input()->size, 0u);
    EXPECT_EQ(Output()->paperSizeAtConvert, 9);
    EXPECT_EQ(Output()->duplexAtConvert, 2);
    EXPECT_STREQ(Output()->processPath, "C:\\Program Files\\Writer\\writer.exe");
    EXPECT_EQ(UserName(), "");  // a local printer records no user
    // The public DEVMODE out takes the paper size recorded in the section and the input's fields.
    EXPECT_EQ(publicOut.dmPaperSize, 9);
    EXPECT_EQ(publicOut.dmDuplex, 2);
    EXPECT_EQ(publicOut.dmMediaType, 3u);
    EXPECT_EQ(publicOut.dmFields, static_cast<DWORD>(DM_PAPERSIZE | DM_DUPLEX | DM_MEDIATYPE));
    EXPECT_EQ(out[kPrivateDevmodeSize], 0xEE);
}

TEST_F(PrivateDevModeRequestTest, WhoPreparedTheJobDependsOnProcessAndPort)
{
    struct Case {
        const char* name;
        const WCHAR* printerName;
        const WCHAR* process;
        const char* storedPath;
        bool userRecorded;
        bool staleCopy;  // the input's second checksum copy disagrees
    };
    const Case cases[] = {
        {"program on a client port", TEXT("Session Inkjet"), TEXT("C:\\Apps\\writer.exe"),
         "C:\\Apps\\writer.exe", true, false},
        {"spooler keeps the stored path", TEXT("Session Inkjet"), TEXT("C:\\Windows\\System32\\spoolsv.exe"),
         "C:\\Apps\\earlier.exe", true, false},
        {"WAOL.exe repairs the second checksum", TEXT("Local Inkjet"), TEXT("C:\\Online\\waol.EXE"),
         "C:\\Online\\waol.EXE", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetBuffers();
        Open(c.printerName);
        machine.SetProcessPath(c.process);
        SealInput(7);
        Input()->checksumCopy += c.staleCopy ? 1 : 0;
        const DWORD inputCopy = Input()->checksumCopy;
        OEMDMPARAM param = Param(kPrivateDevmodeSize);
        ASSERT_EQ(handler.HandleDevMode(OEMDM_MERGE, &param), S_OK);
        EXPECT_STREQ(Output()->processPath, c.storedPath);
        EXPECT_EQ(UserName(), c.userRecorded ? "jobowner" : "");
        EXPECT_TRUE(IsBlockChecksumValid(Output()));
        EXPECT_EQ(Input()->checksumCopy, inputCopy);
        ClosePrinter(printer);
        printer = nullptr;
    }
}

// A section that is not this driver's or whose settings no longer match their checksums is not
// copied: the core driver then gives the job the default section, never old header values over
// settings the unpacker refuses.
TEST_F(PrivateDevModeRequestTest, AnotherDriversOrADamagedSectionIsNotCopied)
{
    Open(TEXT("Local Inkjet"));
    struct Case {
        const char* name;
        void (*damage)(PrivateDevMode* section);
    };
    const Case cases[] = {
        {"another driver's signature", [](PrivateDevMode* s) { s->signature = 0x12345678; }},
        {"settings changed after the checksum",
         [](PrivateDevMode* s) { reinterpret_cast<BYTE*>(&s->payload)[3] ^= 0x40; }},
        {"packed length changed after the checksum", [](PrivateDevMode* s) { s->packedLength += 1; }},
        {"both checksums wrong alike", [](PrivateDevMode* s) { s->checksum = s->checksumCopy = 99; }},
        {"a stale second copy outside the program known for it",
         [](PrivateDevMode* s) { s->checksumCopy += 1; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetBuffers();
        SealInput(7);
        c.damage(Input());
        OEMDMPARAM param = Param(kPrivateDevmodeSize);
        EXPECT_EQ(handler.HandleDevMode(OEMDM_MERGE, &param), E_FAIL);
        EXPECT_EQ(out[0], 0xEE);
    }
    ResetBuffers();
    SealInput(7);
    OEMDMPARAM param = Param(kPrivateDevmodeSize);
    EXPECT_EQ(handler.HandleDevMode(OEMDM_CONVERT, &param), S_OK);
}

}  // namespace
