// The host-process provider: the capability words of DEVINFO for the printing application and,
// with passthrough enabled, for the product and the Windows version.
#include "DeviceRecordFixture.h"

namespace {

constexpr LONG kHostFileName = 0;   // string
constexpr LONG kPassthrough = 109;  // flag
constexpr LONG kJpegOff = 83;       // kind 6
constexpr FLONG kInitialCaps = GCAPS_MONO_DITHER | 0x1;
constexpr FLONG kInitialCaps2 = 0x100;

class HostProcessProviderTest : public DeviceRecordTest {
protected:
    void SetUp() override
    {
        DeviceRecordTest::SetUp();
        provider = NewHostProvider();
        ASSERT_NE(provider, nullptr);
        record.flGraphicsCaps = kInitialCaps;
        record.flGraphicsCaps2 = kInitialCaps2;
        TestMachine().SetProcessPath("C:\\Program Files\\Writer\\writer.exe");
    }
    void TearDown() override
    {
        if (provider != nullptr) {
            provider->Release();
        }
        DeviceRecordTest::TearDown();
    }

    // Attached to the owner, with the host name set, targeting the record.
    void Bind(LPCWSTR host = TEXT("writer.exe"))
    {
        SetText(kHostFileName, host);
        ASSERT_EQ(provider->Attach(owner), TRUE);
        ASSERT_EQ(provider->SetTarget(&record), TRUE);
    }

    CNiraHostProcessProvider* provider = nullptr;
    DEVINFO record{};
};

}  // namespace

TEST_F(HostProcessProviderTest, ApplicationsChangeTheGraphicsCaps)
{
    struct Case {
        LPCWSTR host;       // the owner's host file name
        const char* image;  // the process image path
        FLONG caps;
    };
    const Case cases[] = {
        {TEXT("writer.exe"), "C:\\Program Files\\Writer\\writer.exe", kInitialCaps},
        {TEXT("CbldVB.exe"), "C:\\Program Files\\Writer\\writer.exe", 0x1},
        {TEXT("cbldvb.exe"), "C:\\Program Files\\Writer\\writer.exe", kInitialCaps},      // case counts
        {TEXT("CbldVB.exe.old"), "C:\\Program Files\\Writer\\writer.exe", kInitialCaps},  // whole text
        {TEXT("writer.exe"), "C:\\Program Files\\Suite\\QPW.EXE", GCAPS_DONTJOURNAL},
        {TEXT("writer.exe"), "D:/tools/old_qpw.exe.bak", GCAPS_DONTJOURNAL},  // anywhere in the name
        {TEXT("CbldVB.exe"), "C:\\Suite\\Qpw.Exe", GCAPS_DONTJOURNAL},        // the second rule wins
        {TEXT("writer.exe"), "C:\\qpw.exe\\writer.exe", kInitialCaps},        // only the file name counts
        {TEXT("writer.exe"), "C:qpw.exe", GCAPS_DONTJOURNAL},                 // after a bare drive
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.image);
        TestMachine().SetProcessPath(c.image);
        record.flGraphicsCaps = kInitialCaps;
        Bind(c.host);
        EXPECT_EQ(record.flGraphicsCaps, c.caps);
        EXPECT_EQ(record.flGraphicsCaps2, kInitialCaps2);
    }
}

TEST_F(HostProcessProviderTest, PassthroughFollowsTheProductThenTheWindowsVersion)
{
    struct Case {
        int passthrough;  // -1 absent, else the flag's value
        LONG jpegOff;     // -1 absent
        DWORD major, minor;
        FLONG added;
    };
    const FLONG png = GCAPS2_PNGSRC;
    const FLONG both = GCAPS2_PNGSRC | GCAPS2_JPEGSRC;
    const Case cases[] = {
        {-1, -1, 6, 1, 0},   {0, 2, 6, 1, 0},     // passthrough off: nothing
        {1, 1, 6, 1, png},   {1, 2, 6, 0, both},  // the product's word decides
        {1, 0, 5, 1, both},  {1, -1, 5, 1, png},  {1, -1, 6, 0, png},  {1, -1, 6, 1, both},
        {1, -1, 6, 2, both}, {1, -1, 6, 3, both}, {1, -1, 10, 0, png},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.passthrough << " " << c.jpegOff << " " << c.major << "." << c.minor);
        ASSERT_EQ(owner->Attach(owner, nullptr, nullptr), TRUE);  // a fresh store
        if (c.passthrough >= 0) {
            SetFlag(kPassthrough, c.passthrough == 1);
        }
        if (c.jpegOff >= 0) {
            SetIntRef(kJpegOff, c.jpegOff);
        }
        TestMachine().SetWindowsVersion(c.major, c.minor);
        record.flGraphicsCaps2 = kInitialCaps2;
        Bind();
        EXPECT_EQ(provider->UpdateAll(), TRUE);
        EXPECT_EQ(record.flGraphicsCaps2, kInitialCaps2 | c.added);
        EXPECT_EQ(provider->SyncFlag(kPassthrough), TRUE);  // applying it again adds nothing new
        EXPECT_EQ(record.flGraphicsCaps2, kInitialCaps2 | c.added);
        EXPECT_EQ(record.flGraphicsCaps, kInitialCaps);
    }
}

TEST_F(HostProcessProviderTest, SetTargetNeedsRecordOwnerAndHostName)
{
    EXPECT_EQ(provider->SetTarget(&record), FALSE);  // no owner
    ASSERT_EQ(provider->Attach(owner), TRUE);
    EXPECT_EQ(provider->SetTarget(nullptr), FALSE);

    // Without a host name the call fails, but the record is kept for the passthrough rule.
    SetFlag(kPassthrough, true);
    SetIntRef(kJpegOff, 1);
    EXPECT_EQ(provider->SetTarget(&record), FALSE);
    EXPECT_EQ(record.flGraphicsCaps, kInitialCaps);
    EXPECT_EQ(provider->SyncFlag(kPassthrough), TRUE);
    EXPECT_EQ(record.flGraphicsCaps2, kInitialCaps2 | GCAPS2_PNGSRC);
}

TEST_F(HostProcessProviderTest, HandlesOnlyThePassthroughFlag)
{
    EXPECT_EQ(provider->HandlesFlag(kPassthrough), FALSE);  // no mask before Attach
    EXPECT_EQ(provider->GetHandledMask(), nullptr);
    EXPECT_EQ(provider->UpdateAll(), FALSE);
    Bind();
    EXPECT_NE(provider->GetHandledMask(), nullptr);
    EXPECT_EQ(provider->HandlesFlag(kPassthrough), TRUE);
    EXPECT_EQ(provider->HandlesFlag(kPassthrough + 1), FALSE);
    EXPECT_EQ(provider->HandlesFlag(338), FALSE);
    EXPECT_EQ(provider->HandlesFlag(-1), FALSE);
    EXPECT_EQ(provider->HandlesByte(0), FALSE);
    EXPECT_EQ(provider->HandlesDouble(0), FALSE);
    EXPECT_EQ(provider->HandlesIntRef(kJpegOff), FALSE);
    // Entries it does not handle are not synced.
    EXPECT_EQ(provider->SyncFlag(kPassthrough + 1), FALSE);
    EXPECT_EQ(provider->SyncInt(0), FALSE);
    EXPECT_EQ(provider->SyncFloat(10), FALSE);
    EXPECT_EQ(provider->SyncString(kHostFileName), FALSE);
    EXPECT_EQ(provider->SyncBlob(0), FALSE);
    EXPECT_EQ(provider->Reserved1(), 0);
}

TEST_F(HostProcessProviderTest, PassthroughSyncAnswersTrueWhenTheOwnerCannotTellIt)
{
    Bind();
    EXPECT_EQ(provider->SyncFlag(kPassthrough), TRUE);  // the flag was never set
    EXPECT_EQ(record.flGraphicsCaps2, kInitialCaps2);
}

TEST_F(HostProcessProviderTest, NewAttachDropsTheRecord)
{
    Bind();
    SetFlag(kPassthrough, true);
    ASSERT_EQ(provider->Attach(owner), TRUE);
    EXPECT_EQ(provider->SyncFlag(kPassthrough), FALSE);  // no record any more
    EXPECT_EQ(provider->UpdateAll(), TRUE);              // the rule's answer is not looked at
    EXPECT_EQ(record.flGraphicsCaps2, kInitialCaps2);
    EXPECT_EQ(provider->Attach(nullptr), FALSE);
    EXPECT_EQ(provider->GetHandledMask(), nullptr);
}

TEST_F(HostProcessProviderTest, PushProviderOfAManagerFollowsThePassthroughFlag)
{
    SettingsProviderList pushes;
    pushes.Append(provider);
    INiraSettingsAccess* manager = NewOwner(&pushes);  // takes the provider over
    provider = nullptr;
    ASSERT_NE(manager, nullptr);
    CNiraString host(TEXT("writer.exe"));
    ASSERT_EQ(manager->SetString(kHostFileName, &host, 0), TRUE);
    LONG jpegOff = 1;
    ASSERT_EQ(manager->SetIntRef(kJpegOff, &jpegOff, 0), TRUE);
    auto* pushed = static_cast<CNiraHostProcessProvider*>(pushes[0]);
    ASSERT_EQ(pushed->SetTarget(&record), TRUE);

    EXPECT_EQ(manager->SetFlag(kPassthrough, 1, 0), TRUE);  // without notice nothing happens
    EXPECT_EQ(record.flGraphicsCaps2, kInitialCaps2);
    EXPECT_EQ(manager->SetFlag(kPassthrough, 1, 1), TRUE);
    EXPECT_EQ(record.flGraphicsCaps2, kInitialCaps2 | GCAPS2_PNGSRC);
    manager->Release();
}
