#include "nira/uiplugin/features/handlers/FitToSizeHandler.h"

#include <cstdlib>

#include "common/NiraStatus.h"
#include "common/SafeString.h"
#include "nira/uiplugin/features/base/OwnedRecords.h"
#include "nira/uiplugin/features/handlers/CustomForms.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/features/handlers/PaperSizeHandler.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "printticket/XDGuard.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"

namespace {

constexpr int kScalingPercentage = 4142;
constexpr int kNoScaling = 1;
constexpr int kOtherPaper = 2;
constexpr int kPercentage = 3;
constexpr int kFullSize = 100;
constexpr int kMicronsPerTenthMm = 100;
constexpr int kDuplexFeature = 4125;
constexpr int kConstraintState = 6;
constexpr size_t kFormNameChars = 260;
const PageScalingValues kPreset = {0, kFullSize, 1.0f, 1, 215900, 279400};

struct Parameter {
    LPCWSTR name;
    LPCWSTR defaultValue;
    double minimum;
    double maximum;
    LPCWSTR unit;
};

const Parameter kFitParameters[] = {
    {TEXT("PageScalingScaleWidth"), TEXT("76200"), 76200, 296968, TEXT("microns")},
    {TEXT("PageScalingScaleHeight"), TEXT("127000"), 127000, 431800, TEXT("microns")},
    {TEXT("PageZQPrintDocumentOnScaleToFit"), TEXT("0"), 0, 1, TEXT("Bool")},
};
const Parameter kScaleParameter = {TEXT("PageScalingScale"), TEXT("100"), 25, 400, TEXT("Percent")};

void SetParameter(CXDParameterEntry& entry, const Parameter& parameter)
{
    entry.name = parameter.name;
    entry.listed = 1;
    entry.displayId = 0;
    entry.value = 1;
    entry.dataType = CXDParameterEntry::kIntegerData;
    entry.defaultValue = parameter.defaultValue;
    entry.minValue = parameter.minimum;
    entry.maxValue = parameter.maximum;
    entry.multiple = 1;
    entry.unitType = parameter.unit;
}

}  // namespace

int CNiraFitToSizeHandler::ReadValues(const PageScalingValues& values)
{
    int status = 0;
    auto write = [&](int feature, int option) {
        if (status >= 0) {
            status = SetOption(CLASS_FIT_TO_SIZE, feature, option);
        }
    };
    if (values.kind == 0) {
        write(FEATURE_FIT_TO_SIZE, kNoScaling);
        write(kScalingPercentage, kFullSize);
    } else if (values.kind == 1) {
        int size[2] = {values.targetWidth, values.targetHeight};
        int paper = 0;
        status = m_services->SendHandlerCommand(CLASS_FIT_TO_SIZE, FEATURE_PAPER_SIZE,
                                                PAPER_COMMAND_FIND_BY_SIZE, size, &paper);
        write(FEATURE_TARGET_SIZE, paper);
        write(FEATURE_FIT_TO_SIZE, kOtherPaper);
        write(kScalingPercentage, kFullSize);
    } else if (values.kind == 2) {
        write(FEATURE_FIT_TO_SIZE, kPercentage);
        write(kScalingPercentage, values.scale);
    }
    return 0;
}

int CNiraFitToSizeHandler::ReadPrintTicket(IXMLDOMDocument2* printTicket)
{
    if (printTicket == nullptr || m_services == nullptr) {
        return 0;
    }
    XDGuarded([&] {
        PageScalingValues values = kPreset;
        CXDPrintTicket ticket(printTicket);
        HRESULT read = m_converter.ReadPrintTicket(ticket, &values);
        if (read >= 0) {
            ReadValues(values);
        }
        return S_OK;
    });
    return 0;
}

int CNiraFitToSizeHandler::WritePrintTicket(IXMLDOMDocument2* printTicket)
{
    if (printTicket == nullptr || m_services == nullptr) {
        return E_FAIL;
    }
    int isSet = 0;
    int mode = 0;
    int target = 0;
    int percent = 0;
    int paperNumber = 0;
    int size[2] = {};
    int status = m_services->GetValue(FEATURE_FIT_TO_SIZE, &mode, &isSet);
    if (status >= 0) {
        status = m_services->GetValue(FEATURE_TARGET_SIZE, &target, &isSet);
    }
    if (status >= 0) {
        status = m_services->GetValue(kScalingPercentage, &percent, &isSet);
    }
    if (status >= 0) {
        status = m_services->GetOptionValue(FEATURE_TARGET_SIZE, target, &paperNumber);
    }
    if (status >= 0) {
        status = m_services->SendHandlerCommand(CLASS_FIT_TO_SIZE, FEATURE_PAPER_SIZE, PAPER_COMMAND_GET_SIZE,
                                                &paperNumber, size);
    }
    if (status < 0) {
        return status;
    }
    PageScalingValues values = kPreset;
    values.kind = mode == kOtherPaper ? 1 : mode == kPercentage ? 2 : 0;
    values.scale = percent;
    values.targetWidth = size[0] * kMicronsPerTenthMm;
    values.targetHeight = size[1] * kMicronsPerTenthMm;
    XDGuarded([&] {
        CXDPrintTicket ticket(printTicket);
        return m_converter.WritePrintTicket(ticket, &values);
    });
    return 0;
}

void CNiraFitToSizeHandler::FillConverterTables()
{
    if (!TakeFeatureName(FEATURE_FIT_TO_SIZE, m_converter.scaling)) {
        return;
    }
    m_optionCount = AppendDatabaseOptions(FEATURE_FIT_TO_SIZE, m_converter.scalingOptions,
                                          CXDPageScalingFeature::kOptionSlots);
    m_converter.optionCount = m_optionCount;
    for (int i = 0; i < CXDPageScalingFeature::kFitParameters; ++i) {
        SetParameter(m_converter.fitParameters[i], kFitParameters[i]);
    }
    SetParameter(m_converter.scaleParameter, kScaleParameter);
}

int CNiraFitToSizeHandler::WritePrintCapabilities(IXMLDOMDocument2*, IXMLDOMDocument2* printCapabilities)
{
    XDGuarded([&] {
        FillConverterTables();
        if (printCapabilities == nullptr) {
            return S_OK;
        }
        CXDPrintCapabilities capabilities(printCapabilities, &m_converter);
        return m_converter.WritePrintCapabilities(capabilities);
    });
    return 0;
}

int CNiraFitToSizeHandler::AddTargetSizeOption(int paperIndex, LPCWSTR name)
{
    if (name == nullptr || m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    OptionInfo* info = NewOptionInfo();
    if (info == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    info->optionIndex = paperIndex;
    info->featureId = FEATURE_TARGET_SIZE;
    info->stringId = 0;
    CopyStringSafeN(info->displayName, kFormNameChars, name, kFormNameChars - 1);
    return AddOwnedOption(*m_services, CLASS_FIT_TO_SIZE, FEATURE_TARGET_SIZE, paperIndex, info);
}

int CNiraFitToSizeHandler::OnCommand(int, int command, int* value, int*)
{
    if (value == nullptr || m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    switch (command) {
    case kCommandFormAdded: {
        const auto* form = reinterpret_cast<const CustomForm*>(value);
        return AddTargetSizeOption(form->record.paperIndex, form->name);
    }
    case kCommandFormRemoved: {
        int feature = FEATURE_TARGET_SIZE;
        int option = *value;
        return m_services->RemoveOption(CLASS_FIT_TO_SIZE, &feature, &option);
    }
    case kCommandPosterChosen: {
        if (*value == 1) {
            return 0;
        }
        int paper = 0;
        int isSet = 0;
        int status = m_services->GetValue(FEATURE_PAPER_SIZE, &paper, &isSet);
        if (status != NIRA_STATUS_FAILED) {
            status = SetOption(CLASS_FIT_TO_SIZE, FEATURE_TARGET_SIZE, paper);
        }
        if (status != NIRA_STATUS_FAILED) {
            status = SetOption(CLASS_FIT_TO_SIZE, FEATURE_FIT_TO_SIZE, kNoScaling);
        }
        if (status != NIRA_STATUS_FAILED) {
            status = m_services->SetDisplayState(CLASS_FIT_TO_SIZE, FEATURE_TARGET_SIZE, kDisplayGreyed);
        }
        return status;
    }
    case kCommandFormsLoaded:
        return AddTargetSizeOptions(*reinterpret_cast<CNiraIdMap*>(value));
    default:
        return NIRA_STATUS_FAILED;
    }
}

int CNiraFitToSizeHandler::AddTargetSizeOptions(const CNiraIdMap& forms)
{
    // Borderless forms cannot be printed on at a fitted size; the others in the list's order.
    int status = 0;
    for (int i = 0; i < forms.GetCount(); ++i) {
        const NiraIdEntry* entry = forms.GetEntryAt(i);
        const auto* form = entry != nullptr ? static_cast<const CustomForm*>(entry->value) : nullptr;
        if (form != nullptr && form->record.borderless == 0) {
            status = AddTargetSizeOption(entry->key, form->name);
        }
    }
    return status;
}

int CNiraFitToSizeHandler::OnConstraintAction(int, const char* data1, const char* data2, const char*)
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int feature = FEATURE_TARGET_SIZE;
    int status = 0;
    auto write = [&](int option) {
        int target = option;
        status = m_services->SetValue(CLASS_FIT_TO_SIZE, &feature, &target, kConstraintState, 0, 0, 0);
    };
    int paper = CurrentOption(FEATURE_PAPER_SIZE);
    if (paper >= kFirstFormIndex) {
        int found = 0;
        int defaultOption = 0;
        if (m_services->HasOption(FEATURE_TARGET_SIZE, paper, &found) == 0 && found != 0) {
            write(paper);
        } else if (m_services->GetDefaultOption(FEATURE_TARGET_SIZE, &defaultOption) == 0) {
            write(defaultOption);
        }
    }
    int trigger = data1 != nullptr ? std::atoi(data1) : 0;
    int value = data2 != nullptr ? std::atoi(data2) : 0;
    if (trigger == kDuplexFeature && CurrentOption(trigger) == value) {
        write(paper);
    }
    return status;
}
