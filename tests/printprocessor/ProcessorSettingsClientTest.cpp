// The print processor's settings client: its own range checks before the manager, and the real
// settings library loaded once per process from the printer's driver INI.
#include <gtest/gtest.h>

#include <windows.h>

#include <nirasim/Machine.h>
#include <nirasim/Modules.h>

#include <algorithm>
#include <memory>
#include <string>
#include "support/WString.h"
#include <thread>

#include "common/PrivateDevMode.h"
#include "support/DefaultPrivateSection.h"
#include "nira/uiplugin/settings/block/PackedSettingsBlock.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"
#include "printprocessor/ProcessorSettingsClient.h"

namespace {

constexpr const char* kPrinter = "Nira Sample";

class ProcessorSettingsClientTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_machine = std::make_unique<nirasim::Machine>();
        m_machine->InstallSamplePackage(NIRA_BUILD_DIR);
        m_machine->AddSamplePrinter(kPrinter);
        m_printer = nirasim::Wide(kPrinter);
    }

    void TearDown() override
    {
        FreeSettingsLibrary();
        m_machine.reset();
    }

    // The counting manager's library stands in for the settings library.
    LONG (*UseCountingManager())()
    {
        WString path = nirasim::Machine::DriverVersionDirectory() + TEXT("\\niracountingmanager.dll");
        EXPECT_TRUE(
            m_machine->CopyIn(std::string(NIRA_BUILD_DIR) + "/fixtures/niracountingmanager.dll", path));
        HMODULE module = LoadLibraryW(path.c_str());
        EXPECT_NE(module, nullptr);
        SetSettingsModuleHandle(SETTINGS_MODULE_SELF, module);
        return reinterpret_cast<LONG (*)()>(
            reinterpret_cast<void*>(GetProcAddress(module, "CountedManagerCalls")));
    }

    size_t SettingsLibraryLoads() const
    {
        std::vector<WString> loaded = nirasim::ModulesLoaded();
        return static_cast<size_t>(std::count_if(loaded.begin(), loaded.end(), [](const WString& path) {
            return path.size() >= 11 && path.compare(path.size() - 11, 11, TEXT("nirauip.dll")) == 0;
        }));
    }

    // The page the packer describes in the section: letter, portrait, 600 dpi.
    static void SetPageGeometry(CNiraProcessorSettingsClient& client)
    {
        namespace G = BlockGeometrySetting;
        const LONG portrait = kOrientationPortrait;
        ASSERT_TRUE(client.SetIntRef(G::kOrientation, &portrait, 0));
        ASSERT_TRUE(client.SetFloat(G::kPaperWidth, 8.5f, 0));
        ASSERT_TRUE(client.SetFloat(G::kPaperHeight, 11.0f, 0));
        for (LONG margin = G::kMarginLeft; margin <= G::kMarginBottom; ++margin) {
            ASSERT_TRUE(client.SetFloat(margin, 0.125f, 0));
        }
        ASSERT_TRUE(client.SetInt(G::kResolutionX, 600, 0));
        ASSERT_TRUE(client.SetInt(G::kResolutionY, 600, 0));
    }

    std::unique_ptr<nirasim::Machine> m_machine;
    WString m_printer;
};

TEST_F(ProcessorSettingsClientTest, IndicesBeyondTheLastOfTheirKindNeverReachTheManager)
{
    LONG (*calls)() = UseCountingManager();
    ASSERT_NE(calls, nullptr);
    CNiraProcessorSettingsClient client;
    ASSERT_TRUE(client.Initialize(m_printer.c_str()));
    BYTE flag = 0;
    LONG number = 0;
    FLOAT real = 0;
    BYTE* blob = nullptr;
    DWORD length = 0;
    struct Case {
        const char* what;
        bool forwarded;
        BOOLEAN answer;
    };
    const Case cases[] = {
        {"flag 337", true, client.GetFlag(337, &flag, 0, 0)},
        {"flag 338", false, client.GetFlag(338, &flag, 0, 0)},
        {"flag -1", false, client.SetFlag(-1, 1, 0)},
        {"byte 0", false, client.GetByte(0, &flag, 0, 0)},
        {"word 0", false, client.SetWord(0, 1, 0)},
        {"double 0", false, client.IsDoublePresent(0)},
        {"int 2051", true, client.SetInt(2051, 7, 0)},
        {"int 2052", false, client.GetInt(2052, &number, 0, 0)},
        {"float 23", true, client.GetFloat(23, &real, 0, 0)},
        {"float 24", false, client.IsFloatPresent(24)},
        {"int ref 135", true, client.IsIntRefPresent(135)},
        {"int ref 136", false, client.SetIntRef(136, &number, 0)},
        {"string 82", false, client.IsStringPresent(82)},
        {"blob 50", true, client.GetBlob(50, &blob, &length, 0, 0)},
        {"blob without a length", false, client.GetBlob(50, &blob, nullptr, 0, 0)},
        {"int without a value", false, client.GetInt(1, nullptr, 0, 0)},
    };
    LONG forwarded = 0;
    for (const Case& c : cases) {
        EXPECT_EQ(c.answer, c.forwarded ? TRUE : FALSE) << c.what;
        forwarded += c.forwarded ? 1 : 0;
    }
    EXPECT_EQ(calls(), forwarded);
    EXPECT_FALSE(client.LoadPrivateBlock(nullptr));
    EXPECT_FALSE(client.SavePrivateBlock(nullptr));
    EXPECT_EQ(calls(), forwarded);
}

TEST_F(ProcessorSettingsClientTest, WithoutAManagerEveryOperationAnswersFalse)
{
    CNiraProcessorSettingsClient client;
    BYTE flag = 0;
    EXPECT_FALSE(client.GetFlag(1, &flag, 0, 0));
    EXPECT_FALSE(client.UpdateFromPullProviders());
    EXPECT_FALSE(client.IsHandled(0, 1));
    EXPECT_EQ(client.GetStore(), nullptr);
    EXPECT_FALSE(client.Initialize(nullptr));
    // The settings helper module is never loaded by the print processor: its GUIDs are refused.
    void* object = nullptr;
    EXPECT_FALSE(GetSettingsInstance(&kSettingsGuidHelperProvider, &object));
    EXPECT_EQ(object, nullptr);
}

TEST_F(ProcessorSettingsClientTest, TheSettingsLibraryIsLoadedOnceForAllJobs)
{
    SetSettingsModuleHandle(SETTINGS_MODULE_SELF, nullptr);
    CNiraProcessorSettingsClient first;
    CNiraProcessorSettingsClient second;
    BOOLEAN firstReady = FALSE;
    BOOLEAN secondReady = FALSE;
    std::thread one([&] { firstReady = first.Initialize(m_printer.c_str()); });
    std::thread two([&] { secondReady = second.Initialize(m_printer.c_str()); });
    one.join();
    two.join();
    EXPECT_TRUE(firstReady);
    EXPECT_TRUE(secondReady);
    CNiraProcessorSettingsClient third;
    EXPECT_TRUE(third.Initialize(m_printer.c_str()));
    EXPECT_EQ(SettingsLibraryLoads(), 1u);
}

TEST_F(ProcessorSettingsClientTest, ThePrivateBlockIsReadAndWrittenBack)
{
    SetSettingsModuleHandle(SETTINGS_MODULE_SELF, nullptr);
    std::unique_ptr<PrivateDevMode> section = DefaultPrivateSection();
    {
        CNiraProcessorSettingsClient writer;
        ASSERT_TRUE(writer.Initialize(m_printer.c_str()));
        SetPageGeometry(writer);
        ASSERT_TRUE(writer.SetInt(100, 1234, 0));
        ASSERT_TRUE(writer.SetFlag(5, 1, 0));
        ASSERT_TRUE(writer.SavePrivateBlock(section.get()));
    }
    {
        CNiraProcessorSettingsClient page;
        ASSERT_TRUE(page.Initialize(m_printer.c_str()));
        ASSERT_TRUE(page.LoadPrivateBlock(section.get()));
        LONG value = 0;
        BYTE flag = 0;
        EXPECT_TRUE(page.GetInt(100, &value, 0, 0));
        EXPECT_EQ(value, 1234);
        EXPECT_TRUE(page.GetFlag(5, &flag, 0, 0));
        EXPECT_EQ(flag, 1);
        ASSERT_TRUE(page.SetInt(100, 99, 0));
        ASSERT_TRUE(page.SavePrivateBlock(section.get()));
    }
    CNiraProcessorSettingsClient reader;
    ASSERT_TRUE(reader.Initialize(m_printer.c_str()));
    ASSERT_TRUE(reader.LoadPrivateBlock(section.get()));
    LONG value = 0;
    EXPECT_TRUE(reader.GetInt(100, &value, 0, 0));
    EXPECT_EQ(value, 99);
}

}  // namespace
