#include "DeviceRecordFixture.h"

#include "nira/uiplugin/foundation/strings/NiraString.h"
#include "support/SampleLibraryEnvironment.h"

const WCHAR kSamplePrinter[] = TEXT("Nira Sample Inkjet");

namespace {

class LibraryEnvironment : public CSampleLibraryEnvironment {
public:
    LibraryEnvironment()
        : CSampleLibraryEnvironment(CSampleDriverMachine::kEnglishUS, TEXT("nirasettings.dll"))
    {}

    // Every test makes its objects through nirauip, with the helper module bound.
    void SetUp() override
    {
        CSampleLibraryEnvironment::SetUp();
        if (::testing::Test::HasFatalFailure()) {
            return;
        }
        SetSettingsModuleHandle(SETTINGS_MODULE_SELF, Library());
        SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, SecondModule());
    }

protected:
    void AddPrinters(nirasim::Machine& machine) override { machine.AddSamplePrinter(kSamplePrinter); }
};

LibraryEnvironment* g_environment =
    static_cast<LibraryEnvironment*>(::testing::AddGlobalTestEnvironment(new LibraryEnvironment));

void* Make(const GUID& id)
{
    void* object = nullptr;
    GetSettingsInstance(&id, &object);
    return object;
}

}  // namespace

nirasim::Machine& TestMachine()
{
    return g_environment->Machine();
}

void DeviceRecordTest::SetUp()
{
    WCHAR path[MAX_PATH + 1] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    m_processPath = path;
    m_version.dwOSVersionInfoSize = sizeof(m_version);
    ASSERT_TRUE(GetVersionExA(&m_version));
    owner = NewOwner();
    ASSERT_NE(owner, nullptr);
}

void DeviceRecordTest::TearDown()
{
    if (owner != nullptr) {
        owner->Release();
    }
    TestMachine().SetProcessPath(m_processPath);
    TestMachine().SetWindowsVersion(m_version.dwMajorVersion, m_version.dwMinorVersion,
                                    m_version.dwBuildNumber);
}

INiraSettingsAccess* DeviceRecordTest::NewOwner(const SettingsProviderList* pushProviders)
{
    auto* access = static_cast<INiraSettingsAccess*>(Make(kSettingsGuidManager));
    if (access != nullptr && access->Attach(access, nullptr, pushProviders) != TRUE) {
        access->Release();
        return nullptr;
    }
    return access;
}

CNiraHostProcessProvider* DeviceRecordTest::NewHostProvider()
{
    return static_cast<CNiraHostProcessProvider*>(
        static_cast<INiraSettingsProvider*>(Make(kSettingsGuidHostFlags)));
}

CNiraDerivedValuesProvider* DeviceRecordTest::NewDerivedProvider()
{
    return static_cast<CNiraDerivedValuesProvider*>(
        static_cast<INiraSettingsProvider*>(Make(kSettingsGuidDerived)));
}

void DeviceRecordTest::SetText(LONG index, LPCWSTR text)
{
    CNiraString value(text);
    ASSERT_EQ(owner->SetString(index, &value, 0), TRUE);
}
