#include "nira/uiplugin/features/handlers/CustomSizeHandler.h"

#include <cwchar>
#include <new>

// After the C++ library, whose string header would meet its deprecations.
#include <strsafe.h>

#include "common/NiraStatus.h"
#include "common/SafeString.h"
#include "common/ScopedResources.h"
#include "nira/uiplugin/features/base/OwnedRecords.h"
#include "nira/uiplugin/features/handlers/CustomForms.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/features/handlers/PaperDimensionsHandler.h"
#include "nira/uiplugin/features/handlers/PaperListHandler.h"
#include "nira/uiplugin/features/handlers/StringIds.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

constexpr int kOwner = CLASS_CUSTOM_SIZE;
constexpr int kNameBox = 6012;
constexpr int kSaveButton = 6013;
constexpr int kBordersChoice = 6014;
constexpr int kWidthRange = 6015;
constexpr int kHeightRange = 6016;
constexpr int kWidthBox = 6017;
constexpr int kHeightBox = 6018;
constexpr int kUnitChoice = 6019;
constexpr int kDeleteButton = 6020;
constexpr int kRevertButton = 6021;
constexpr int kSelectButton = 6022;
constexpr int kEditorSource = 6023;
constexpr int kCommandRefreshLimits = 37;
constexpr int kBoxOption = 1;
constexpr int kRevertOption = 2;
constexpr int kWithBorders = 1;
constexpr int kBorderless = 2;
constexpr int kFreeSizeOption = 26;
constexpr int kHidden = 0;
constexpr int kMinWidth = 0;
constexpr int kMinHeight = 1;
constexpr int kMaxWidth = 2;
constexpr int kMaxHeight = 3;
constexpr float kInchLimitFactor = 1.0f / 1200.0f;
constexpr float kMmLimitFactor = 0.021166665f;
constexpr float kMmToInch = 0.03937008f;
constexpr float kInchToMm = 25.4f;
constexpr float kMicronsPerInch = 25400.0f;
constexpr float kMicronsPerMm = 1000.0f;
constexpr double kMicronsPerInchExact = 25400.0;
constexpr double kMicronsPerMmExact = 1000.0;
constexpr int kMicronsPerTenthMm = 100;
constexpr size_t kRangeChars = 20;
constexpr size_t kBoxChars = 10;
constexpr size_t kSavedBoxChars = 7;  // six characters: 1000 mm and more do not fit
constexpr size_t kTextChars = 260;
constexpr LANGID kHebrew = 1037;
constexpr LANGID kArabic = 1025;
constexpr UINT kDeleteQuestion = MB_OKCANCEL | MB_ICONEXCLAMATION;

float LimitFactor(int unit)
{
    return unit == CNiraCustomSizeHandler::kInches        ? kInchLimitFactor
           : unit == CNiraCustomSizeHandler::kMillimetres ? kMmLimitFactor
                                                          : 1.0f;
}

void Clamp(float& value, float minimum, float maximum)
{
    if (minimum > value) {
        value = minimum;
    } else if (value > maximum) {
        value = maximum;
    }
}

}  // namespace

const int CNiraCustomSizeHandler::kDefaultLimits[kLimitCount] = {3600, 6000, 10200, 52800};

CNiraCustomSizeHandler::CNiraCustomSizeHandler()
{
    CopyStringSafe(m_customName, kNameChars, TEXT("Custom"));
}

CNiraCustomSizeHandler::~CNiraCustomSizeHandler()
{
    LocalFree(m_limits);
}

int CNiraCustomSizeHandler::Detach()
{
    LocalFree(m_limits);
    m_limits = nullptr;
    return 0;
}

int CNiraCustomSizeHandler::SendToPaperList(int command, int* value, int* result)
{
    return m_services->SendHandlerCommand(kEditorSource, FEATURE_PAPER_SIZE, command, value, result);
}

int CNiraCustomSizeHandler::InitializeStates()
{
    if (m_services != nullptr) {
        LocalFree(m_limits);
        m_limits = static_cast<int*>(LocalAlloc(LPTR, sizeof(int) * kLimitCount));
        if (m_limits != nullptr) {
            SendToPaperList(PAPER_COMMAND_GET_CUSTOM_LIMITS, m_limits, nullptr);
        }
        RefreshLimits(false);
    }
    LoadCustomName();
    return 0;
}

int CNiraCustomSizeHandler::LoadCustomName()
{
    WCHAR name[kNameChars] = {};
    LoadResourceString(kStringCustomSizeName, name);
    if (name[0] != 0) {
        CopyStringSafe(m_customName, kNameChars, name);
    }
    return 0;
}

int CNiraCustomSizeHandler::OnCommand(int, int command, int*, int*)
{
    if (command == kCommandRefreshLimits) {
        RefreshLimits(false);
    }
    return 0;
}

int CNiraCustomSizeHandler::OnWidgetChanged(int widgetId)
{
    if (m_services == nullptr) {
        return 0;
    }
    switch (widgetId) {
    case kNameBox:
        OnNameChanged();
        break;
    case kSaveButton:
        SaveForm();
        break;
    case kWidthBox:
    case kHeightBox:
        OnSizeChanged();
        break;
    case kUnitChoice:
        RefreshLimits(true);
        break;
    case kDeleteButton:
        ConfirmDeleteForm();
        break;
    case kRevertButton:
        RevertFields();
        break;
    case kSelectButton:
        SelectNamedForm();
        break;
    default:
        break;
    }
    return 0;
}

int CNiraCustomSizeHandler::OnFeatureNotify(int featureId)
{
    if (m_services != nullptr && (featureId == kWidthBox || featureId == kHeightBox)) {
        ClampField(featureId);
    }
    return 0;
}

int CNiraCustomSizeHandler::OnConstraintAction(int, const char*, const char*, const char*)
{
    int paper = 0;
    int status = CurrentOption(FEATURE_PAPER_SIZE, &paper);
    if (status == 0 && paper == kFreeSizeOption) {
        RefreshFromPaper();
    }
    return status;
}

int CNiraCustomSizeHandler::CurrentOption(int featureId, int* option)
{
    int isSet = 0;
    *option = 0;
    return m_services != nullptr ? m_services->GetValue(featureId, option, &isSet) : NIRA_STATUS_FAILED;
}

bool CNiraCustomSizeHandler::ReadBox(int widgetId, OptionInfo* box)
{
    *box = {};
    return m_services->GetOptionInfo(widgetId, kBoxOption, box) == 0;
}

int CNiraCustomSizeHandler::WriteBox(int widgetId, OptionInfo* box, const WCHAR* text, bool select)
{
    int feature = widgetId;
    int option = kBoxOption;
    m_services->RemoveOption(kOwner, &feature, &option);
    OptionInfo* record = NewOptionInfo();
    if (record == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    *record = *box;
    CopyStringSafe(record->displayName, kTextChars, text);
    CopyStringSafe(box->displayName, kTextChars, text);
    int status = AddOwnedOption(*m_services, kOwner, widgetId, kBoxOption, record);
    if (status == 0 && select) {
        status = m_services->SetValue(kOwner, &feature, &option, kReasonByHandler, 0, 0, 0);
    }
    return status;
}

bool CNiraCustomSizeHandler::ReadName(WCHAR (&name)[kNameChars])
{
    OptionInfo box;
    if (!ReadBox(kNameBox, &box)) {
        return false;
    }
    TrimName(box.displayName, name);
    return true;
}

float CNiraCustomSizeHandler::BoxNumber(const OptionInfo& box)
{
    // Read as "%f" reads: single precision, 0 for a text without a number.
    return static_cast<float>(wcstod(box.displayName, nullptr));
}

void CNiraCustomSizeHandler::TrimName(const WCHAR* text, WCHAR (&name)[kNameChars])
{
    CopyStringSafe(name, kNameChars, text);
    size_t length = 0;
    StringCchLengthW(name, kNameChars, &length);
    while (length > 1 && name[length - 1] == TEXT(' ')) {
        name[--length] = 0;
    }
    size_t blanks = 0;
    while (blanks < length && name[blanks] == TEXT(' ')) {
        ++blanks;
    }
    MoveMemory(name, name + blanks, (length - blanks + 1) * sizeof(WCHAR));
}

int CNiraCustomSizeHandler::IsBlankName(const WCHAR* text)
{
    for (const WCHAR* c = text; c != nullptr && *c != 0; ++c) {
        if (*c != TEXT(' ')) {
            return NIRA_STATUS_FAILED;
        }
    }
    return 0;
}

void CNiraCustomSizeHandler::SetButtons(int save, int remove, int select)
{
    m_services->SetDisplayState(kOwner, kSaveButton, save);
    m_services->SetDisplayState(kOwner, kDeleteButton, remove);
    m_services->SetDisplayState(kOwner, kSelectButton, select);
}

int CNiraCustomSizeHandler::RefreshLimits(bool convert)
{
    int unit = 0;
    int status = CurrentOption(kUnitChoice, &unit);
    if (status != 0) {
        return status;
    }
    const int boxes[] = {kWidthRange, kHeightRange, kWidthBox, kHeightBox};
    OptionInfo records[4];
    for (int i = 0; i < 4; ++i) {
        ReadBox(boxes[i], &records[i]);
    }
    float height = BoxNumber(records[3]);
    float width = BoxNumber(records[2]);
    float valueFactor = !convert               ? 1.0f
                        : unit == kInches      ? kMmToInch
                        : unit == kMillimetres ? kInchToMm
                                               : 1.0f;
    float limits[kLimitCount];
    for (int i = 0; i < kLimitCount; ++i) {
        limits[i] = static_cast<float>(ActiveLimits()[i]) * LimitFactor(unit);
    }
    height *= valueFactor;
    width *= valueFactor;
    Clamp(height, limits[kMinHeight], limits[kMaxHeight]);
    Clamp(width, limits[kMinWidth], limits[kMaxWidth]);
    WCHAR texts[4][kRangeChars] = {};
    bool formatted = SUCCEEDED(StringCchPrintfW(texts[0], kRangeChars, TEXT("(%0.2f - %0.2f)"),
                                                limits[kMinWidth], limits[kMaxWidth])) &&
                     SUCCEEDED(StringCchPrintfW(texts[1], kRangeChars, TEXT("(%0.2f - %0.2f)"),
                                                limits[kMinHeight], limits[kMaxHeight])) &&
                     SUCCEEDED(StringCchPrintfW(texts[2], kBoxChars, TEXT("%0.2f"), width)) &&
                     SUCCEEDED(StringCchPrintfW(texts[3], kBoxChars, TEXT("%0.2f"), height));
    for (int i = 0; i < 4; ++i) {
        WriteBox(boxes[i], &records[i], formatted ? texts[i] : records[i].displayName, false);
    }
    return status;
}

int CNiraCustomSizeHandler::MatchesPaper(const WCHAR* name, const OptionInfo& width, const OptionInfo& height,
                                         int* option, bool* matches)
{
    *matches = false;
    *option = 0;
    if (m_services->FindOptionByName(FEATURE_PAPER_SIZE, const_cast<WCHAR*>(name), option) != 0) {
        *option = 0;
        return 0;
    }
    int paperIndex = 0;
    int size[2] = {};
    m_services->GetOptionValue(FEATURE_PAPER_SIZE, *option, &paperIndex);
    bool sized = m_services->SendHandlerCommand(kFeaturePaperDimensionsText, FEATURE_PAPER_SIZE,
                                                PAPER_COMMAND_GET_FORM_SIZE, &paperIndex, size) == 0;
    int unit = 0;
    if (CurrentOption(kUnitChoice, &unit) != 0) {
        return NIRA_STATUS_FAILED;
    }
    double divisor = unit == kInches ? kMicronsPerInchExact : kMicronsPerMmExact;
    // Compared exactly, as the boxes show them.
    *matches = sized && wcstod(width.displayName, nullptr) == size[0] / divisor &&
               wcstod(height.displayName, nullptr) == size[1] / divisor;
    return 0;
}

int CNiraCustomSizeHandler::OnNameChanged()
{
    OptionInfo box;
    ReadBox(kNameBox, &box);
    WCHAR name[kNameChars];
    TrimName(box.displayName, name);
    if (lstrcmpW(name, m_customName) == 0 || IsBlankName(name) == 0) {
        SetButtons(kDisplayGreyed, kHidden, kDisplayGreyed);
        return 0;
    }
    OptionInfo width;
    OptionInfo height;
    ReadBox(kWidthBox, &width);
    ReadBox(kHeightBox, &height);
    int option = 0;
    bool matches = false;
    if (MatchesPaper(name, width, height, &option, &matches) != 0) {
        return NIRA_STATUS_FAILED;
    }
    if (!matches) {
        SetButtons(kDisplayEnabled, kHidden, kDisplayGreyed);
    } else if (option <= kNoFormIndex) {
        SetButtons(kDisplayGreyed, kHidden, kDisplayGreyed);  // a paper of the database
    } else {
        SetButtons(kHidden, kDisplayEnabled, kDisplayEnabled);  // a saved form
    }
    return 0;
}

int CNiraCustomSizeHandler::OnSizeChanged()
{
    OptionInfo width;
    OptionInfo height;
    OptionInfo name;
    ReadBox(kWidthBox, &width);
    ReadBox(kHeightBox, &height);
    ReadBox(kNameBox, &name);
    if (lstrcmpW(name.displayName, m_customName) == 0) {
        SetButtons(kDisplayGreyed, kHidden, kDisplayGreyed);
        return 0;
    }
    int option = 0;
    bool matches = false;
    if (MatchesPaper(name.displayName, width, height, &option, &matches) != 0) {
        return NIRA_STATUS_FAILED;
    }
    if (matches) {
        SetButtons(kHidden, kDisplayEnabled, kDisplayEnabled);
    } else {
        SetButtons(kDisplayEnabled, kHidden, kDisplayGreyed);
    }
    return 0;
}

int CNiraCustomSizeHandler::RevertFields()
{
    for (int widget : {kWidthBox, kHeightBox, kNameBox}) {
        OptionInfo saved = {};
        OptionInfo box;
        m_services->GetOptionInfo(widget, kRevertOption, &saved);
        ReadBox(widget, &box);
        WriteBox(widget, &box, saved.displayName, false);
    }
    SendToPaperList(PAPER_COMMAND_RESTORE_SELECTION, nullptr, nullptr);
    return 0;
}

int CNiraCustomSizeHandler::ConvertAndClamp(float* values, int valueUnit, int returnUnit, const float* limits,
                                            bool clamp)
{
    if (values == nullptr || limits == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    for (int i = 0; i < 2; ++i) {
        if (valueUnit == kMillimetres) {
            values[i] *= kMmToInch;
        }
        if (clamp) {
            Clamp(values[i], limits[2 * i], limits[2 * i + 1]);
        }
        if (returnUnit == kMillimetres) {
            values[i] *= kInchToMm;
        }
    }
    return 0;
}

int CNiraCustomSizeHandler::SaveForm()
{
    int unit = 0;
    if (CurrentOption(kUnitChoice, &unit) != 0) {
        return NIRA_STATUS_FAILED;
    }
    OptionInfo width;
    OptionInfo height;
    OptionInfo nameBox;
    ReadBox(kWidthBox, &width);
    ReadBox(kHeightBox, &height);
    ReadBox(kNameBox, &nameBox);
    WCHAR name[kNameChars];
    TrimName(nameBox.displayName, name);
    float size[2] = {BoxNumber(height), BoxNumber(width)};
    const int* limits = ActiveLimits();
    const float inchLimits[4] = {limits[kMinHeight] * kInchLimitFactor, limits[kMaxHeight] * kInchLimitFactor,
                                 limits[kMinWidth] * kInchLimitFactor, limits[kMaxWidth] * kInchLimitFactor};
    if (ConvertAndClamp(size, unit, unit, inchLimits, true) == 0) {
        WCHAR heightText[kSavedBoxChars] = {};
        WCHAR widthText[kSavedBoxChars] = {};
        // A number that does not fit its box leaves the box as it was.
        if (SUCCEEDED(StringCchPrintfW(heightText, kSavedBoxChars, TEXT("%0.2f"), size[0])) &&
            SUCCEEDED(StringCchPrintfW(widthText, kSavedBoxChars, TEXT("%0.2f"), size[1]))) {
            WriteBox(kWidthBox, &width, widthText, false);
            WriteBox(kHeightBox, &height, heightText, false);
        }
    }
    float micronsPer = unit == kInches ? kMicronsPerInch : unit == kMillimetres ? kMicronsPerMm : 1.0f;
    auto* form = static_cast<CustomForm*>(LocalAlloc(LPTR, sizeof(CustomForm)));
    if (form == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    CopyStringSafe(form->name, CustomForm::kNameChars, name);
    CustomFormRecord& record = form->record;
    record.width = static_cast<LONG>(size[1] * micronsPer);
    record.height = static_cast<LONG>(size[0] * micronsPer);
    record.imageableRight = record.width;
    record.imageableBottom = record.height;
    int paperIndex = 0;
    if (SendToPaperList(PAPER_COMMAND_NEXT_FORM_INDEX, nullptr, &paperIndex) == 0) {
        record.paperIndex = paperIndex;
    }
    CNiraRegKey key;
    LSTATUS opened = CNiraUserFormsKey::OpenForPrinter(m_services, FALSE,
                                                       KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE, &key);
    if (opened == ERROR_NOT_FOUND) {
        LocalFree(form);
        return NIRA_STATUS_FAILED;  // nowhere to keep it
    }
    int borders = 0;
    record.borderless = CurrentOption(kBordersChoice, &borders) == 0 && borders == kBorderless ? 1 : 0;
    if (opened == ERROR_SUCCESS) {
        RegSetValueExW(key.Get(), name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&record),
                       sizeof(record));
    }
    m_services->SetDisplayState(kOwner, kSaveButton, kDisplayGreyed);
    // The paper list takes the form over, whatever the registry answered.
    int status = SendToPaperList(PAPER_COMMAND_ADD_FORM, reinterpret_cast<int*>(form), nullptr);
    m_services->SetDisplayState(kOwner, kSaveButton, kDisplayGreyed);
    m_services->SetDisplayState(kOwner, kSelectButton, kDisplayEnabled);
    return status;
}

int CNiraCustomSizeHandler::SelectNamedForm()
{
    WCHAR name[kNameChars];
    if (!ReadName(name)) {
        return NIRA_STATUS_FAILED;
    }
    int option = 0;
    if (m_services->FindOptionByName(FEATURE_PAPER_SIZE, name, &option) == 0) {
        return SendToPaperList(PAPER_COMMAND_SELECT_FORM, &option, nullptr);
    }
    return SendToPaperList(PAPER_COMMAND_RESTORE_SELECTION, nullptr, nullptr);
}

int CNiraCustomSizeHandler::ConfirmDeleteForm()
{
    WCHAR text[kTextChars] = {};
    WCHAR caption[kTextChars] = {};
    LoadResourceString(kStringDeleteQuestion, text);
    LoadResourceString(kStringDeleteFormCaption, caption);
    if (text[0] == 0) {
        return NIRA_STATUS_FAILED;  // without the string library there is no question to ask
    }
    LANGID language = GetUserDefaultUILanguage();
    UINT type = kDeleteQuestion | (language == kHebrew || language == kArabic ? MB_RTLREADING : 0);
    if (MessageBoxW(GetForegroundWindow(), text, caption, type) != IDOK) {
        return NIRA_STATUS_FAILED;
    }
    return DeleteCustomForm();
}

int CNiraCustomSizeHandler::DeleteCustomForm()
{
    WCHAR name[kNameChars];
    if (!ReadName(name)) {
        return NIRA_STATUS_FAILED;
    }
    int option = 0;
    m_services->FindOptionByName(FEATURE_PAPER_SIZE, name, &option);
    CNiraRegKey key;
    if (CNiraUserFormsKey::OpenForPrinter(m_services, FALSE, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS ||
        RegDeleteValueW(key.Get(), name) != ERROR_SUCCESS) {
        return NIRA_STATUS_FAILED;
    }
    int status = SendToPaperList(PAPER_COMMAND_REMOVE_FORM, &option, nullptr);
    m_services->SetDisplayState(kOwner, kDeleteButton, kDisplayGreyed);
    return status;
}

int CNiraCustomSizeHandler::RefreshFromPaper()
{
    int paper = 0;
    int isSet = 0;
    if (m_services->GetPreviousOption(FEATURE_PAPER_SIZE, &paper, &isSet) != 0) {
        m_services->GetDefaultOption(FEATURE_PAPER_SIZE, &paper);
    }
    OptionInfo info = {};
    m_services->GetOptionInfo(FEATURE_PAPER_SIZE, paper, &info);
    if (info.optionIndex >= kFirstFormIndex) {
        WriteBox(kNameBox, &info, info.displayName, true);
        return LoadFormIntoFields(info.displayName);
    }
    int feature = kBordersChoice;
    int withBorders = kWithBorders;
    m_services->SetValue(kOwner, &feature, &withBorders, kReasonByHandler, 0, 0, 0);
    OptionInfo saved = {};
    OptionInfo box;
    m_services->GetOptionInfo(kNameBox, kRevertOption, &saved);
    ReadBox(kNameBox, &box);
    WriteBox(kNameBox, &box, saved.displayName, true);
    int number = info.optionIndex;
    if (number == 0) {
        m_services->GetDefaultOption(FEATURE_PAPER_SIZE, &number);
    }
    return ShowPaperSize(number);
}

int CNiraCustomSizeHandler::LoadFormIntoFields(const WCHAR* name)
{
    CNiraRegKey key;
    if (CNiraUserFormsKey::OpenForPrinter(m_services, FALSE, KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE,
                                          &key) != ERROR_SUCCESS) {
        return NIRA_STATUS_FAILED;
    }
    for (DWORD index = 0;; ++index) {
        WCHAR valueName[CustomForm::kNameChars] = {};
        DWORD chars = CustomForm::kNameChars;
        CustomFormRecord record = {};
        DWORD bytes = sizeof(record);
        LSTATUS read = RegEnumValueW(key.Get(), index, valueName, &chars, nullptr, nullptr,
                                     reinterpret_cast<BYTE*>(&record), &bytes);
        if (read == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (read != ERROR_SUCCESS || bytes != sizeof(record) || lstrcmpW(valueName, name) != 0) {
            continue;
        }
        int unit = 0;
        CurrentOption(kUnitChoice, &unit);
        if (unit == kInches || unit == kMillimetres) {
            SetSizeFields(unit, record.width, record.height);
        }
        int feature = kBordersChoice;
        int borders = record.borderless == 1 ? kBorderless : kWithBorders;
        m_services->SetValue(kOwner, &feature, &borders, kReasonByHandler, 0, 0, 0);
    }
    return 0;
}

int CNiraCustomSizeHandler::SetSizeFields(int unit, double width, double height)
{
    double divisor = unit == kInches ? kMicronsPerInchExact : kMicronsPerMmExact;
    const double values[] = {width / divisor, height / divisor};
    const int boxes[] = {kWidthBox, kHeightBox};
    for (int i = 0; i < 2; ++i) {
        WCHAR text[kTextChars] = {};
        StringCchPrintfW(text, kTextChars, TEXT("%1.2lf"), values[i]);
        int current = 0;
        CurrentOption(boxes[i], &current);
        OptionInfo box = {};
        m_services->GetOptionInfo(boxes[i], current, &box);
        WriteBox(boxes[i], &box, text, true);
    }
    return 0;
}

int CNiraCustomSizeHandler::ShowPaperSize(int option)
{
    int number = option;
    if (number == 0) {
        m_services->GetDefaultOption(FEATURE_PAPER_SIZE, &number);
    }
    int size[2] = {};
    SendToPaperList(PAPER_COMMAND_GET_SIZE, &number, size);
    if (size[0] == 0 || size[1] == 0) {
        int defaultOption = 0;
        m_services->GetDefaultOption(FEATURE_PAPER_SIZE, &defaultOption);
        OptionInfo info = {};
        m_services->GetOptionInfo(FEATURE_PAPER_SIZE, defaultOption, &info);
        SendToPaperList(PAPER_COMMAND_GET_TABLE_SIZE, size, &info.optionIndex);
    }
    int unit = 0;
    CurrentOption(kUnitChoice, &unit);
    if (unit == kInches || unit == kMillimetres) {
        SetSizeFields(unit, static_cast<double>(size[0]) * kMicronsPerTenthMm,
                      static_cast<double>(size[1]) * kMicronsPerTenthMm);
    }
    return 0;
}

int CNiraCustomSizeHandler::ClampField(int widgetId)
{
    OptionInfo box;
    ReadBox(widgetId, &box);
    float value = BoxNumber(box);
    int unit = 0;
    if (CurrentOption(kUnitChoice, &unit) != 0 || (unit != kInches && unit != kMillimetres)) {
        return 0;
    }
    bool width = widgetId == kWidthBox;
    const int* limits = ActiveLimits();
    Clamp(value, limits[width ? kMinWidth : kMinHeight] * LimitFactor(unit),
          limits[width ? kMaxWidth : kMaxHeight] * LimitFactor(unit));
    WCHAR text[kTextChars] = {};
    StringCchPrintfW(text, kTextChars, TEXT("%.2f"), value);
    return WriteBox(widgetId, &box, text, false);
}
