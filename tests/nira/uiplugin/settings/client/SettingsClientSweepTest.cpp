// Each entry of the settings client with each of its injectable calls failing in turn: the
// section that is packed and the options that come back out of it are those of the unfailed run,
// or the entry reported the failure.
#include "SettingsClientFixture.h"

#include <cstring>
#include <map>
#include <optional>
#include <vector>

#include "support/DefaultPrivateSection.h"
#include "support/FailureSweep.h"

namespace {

enum class Step {
    Initialize,
    CopyFromUISettings,
    SavePrivateBlock,
    InitializeTarget,
    LoadPrivateBlock,
    CopyToUISettings
};

struct RoundTrip {
    std::vector<BYTE> section;
    std::map<int, int> options;
    bool operator==(const RoundTrip& other) const
    {
        return section == other.section && options == other.options;
    }
};

std::vector<BYTE> BytesOf(const PrivateDevMode& block)
{
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&block);
    return std::vector<BYTE>(bytes, bytes + sizeof(block));
}

class SettingsClientSweepTest : public SettingsClientTest {
protected:
    // Changes the sample settings, saves them through one client into a section and loads that
    // into fresh UI settings through another; `armed` runs with its calls failing.
    std::optional<RoundTrip> Run(CFailureSweep& sweep, Step armed)
    {
        auto step = [&](Step which, auto entry) {
            return which == armed ? sweep.Armed(entry) == TRUE : entry() == TRUE;
        };
        auto source = SampleSettings();
        Select(source->settings, 4114, 259);
        Select(source->settings, 4116, 261);
        Select(source->settings, 4170, 25);
        auto block = DefaultPrivateSection();
        {
            CNiraSettingsClient client;
            if (!step(Step::Initialize, [&] { return client.Initialize(printer); }) ||
                !step(Step::CopyFromUISettings,
                      [&] { return client.CopyFromUISettings(&source->settings, 0); }) ||
                !step(Step::SavePrivateBlock, [&] { return client.SavePrivateBlock(block.get()); })) {
                return std::nullopt;
            }
        }
        auto target = SampleSettings();
        CNiraSettingsClient client;
        if (!step(Step::InitializeTarget, [&] { return client.Initialize(printer); }) ||
            !step(Step::LoadPrivateBlock, [&] { return client.LoadPrivateBlock(block.get()); }) ||
            !step(Step::CopyToUISettings, [&] { return client.CopyToUISettings(&target->settings, 1); })) {
            return std::nullopt;
        }
        RoundTrip result{BytesOf(*block), {}};
        for (int feature = kFirstSettingsFeature; feature <= kLastSettingsFeature; ++feature) {
            int option = 0;
            int isSet = 0;
            if (target->settings.GetCurrentOption(feature, &option, &isSet) == 0) {
                result.options[feature] = option;
            }
        }
        return result;
    }

    void SweepStep(const char* name, Step armed)
    {
        CFailureSweep::Sweep<RoundTrip>(name, [&](CFailureSweep& sweep) { return Run(sweep, armed); });
    }
};

}  // namespace

TEST_F(SettingsClientSweepTest, Initialize)
{
    SweepStep("Initialize", Step::Initialize);
}
TEST_F(SettingsClientSweepTest, CopyFromUISettings)
{
    SweepStep("CopyFromUISettings", Step::CopyFromUISettings);
}
TEST_F(SettingsClientSweepTest, SavePrivateBlock)
{
    SweepStep("SavePrivateBlock", Step::SavePrivateBlock);
}
TEST_F(SettingsClientSweepTest, LoadPrivateBlock)
{
    SweepStep("LoadPrivateBlock", Step::LoadPrivateBlock);
}
TEST_F(SettingsClientSweepTest, CopyToUISettings)
{
    SweepStep("CopyToUISettings", Step::CopyToUISettings);
}
