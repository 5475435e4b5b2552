// The handler of the custom paper size editor (class 4234): a name box, width and height boxes
// with their ranges, a unit and a borders choice, and Save, Delete, select and revert buttons,
// each a UI feature (6012 to 6022) whose option 1 carries the text shown. Saved sizes are custom
// forms in the printer's per-user key; the paper list (the owner of the paper size) is told of
// every form saved or deleted and offers them as papers.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"
#include "nira/uiplugin/interfaces/UISettingsRecords.h"

class CNiraCustomSizeHandler : public CNiraFeatureHandler {
public:
    static constexpr size_t kNameChars = 260;
    // Units of 6019.
    static constexpr int kInches = 1;
    static constexpr int kMillimetres = 2;
    // The allowed sizes in 1/1200 inch: minimum width, minimum height, maximum width, maximum height.
    static constexpr int kLimitCount = 4;
    static const int kDefaultLimits[kLimitCount];

    CNiraCustomSizeHandler();
    ~CNiraCustomSizeHandler() override;

    int Detach() override;
    int InitializeStates() override;
    int OnCommand(int sourceFeatureId, int command, int* value, int* result) override;
    int OnWidgetChanged(int widgetId) override;
    int OnFeatureNotify(int featureId) override;
    int OnConstraintAction(int featureId, const char* data1, const char* data2, const char* data3) override;

    int LoadCustomName();
    // Redraws the range texts and clamps the boxes; convert: the unit has just changed, so the
    // boxes' numbers are carried over into it.
    int RefreshLimits(bool convert);
    int OnNameChanged();
    int OnSizeChanged();
    int RevertFields();
    static int ConvertAndClamp(float* values, int valueUnit, int returnUnit, const float* limits, bool clamp);
    int SaveForm();
    int SelectNamedForm();
    // Not DeleteForm: the spooler header maps that name.
    int DeleteCustomForm();
    int ConfirmDeleteForm();
    // 0 when the text has nothing but blanks (or nothing), else NIRA_STATUS_FAILED.
    static int IsBlankName(const WCHAR* text);
    int RefreshFromPaper();
    int LoadFormIntoFields(const WCHAR* name);
    int SetSizeFields(int unit, double width, double height);
    int ShowPaperSize(int option);
    int ClampField(int widgetId);

    const WCHAR* CustomName() const { return m_customName; }
    const int* Limits() const { return m_limits; }

private:
    // Option 1 of a widget: its record, or false when it cannot be read.
    bool ReadBox(int widgetId, OptionInfo* box);
    // Replaces option 1 of the widget by the record with the text; select: set it current too.
    int WriteBox(int widgetId, OptionInfo* box, const WCHAR* text, bool select);
    // The name box's text without the blanks around it; false when the box cannot be read.
    bool ReadName(WCHAR (&name)[kNameChars]);
    static float BoxNumber(const OptionInfo& box);
    static void TrimName(const WCHAR* text, WCHAR (&name)[kNameChars]);
    const int* ActiveLimits() const { return m_limits != nullptr ? m_limits : kDefaultLimits; }
    int CurrentOption(int featureId, int* option);
    void SetButtons(int save, int remove, int select);
    // Whether the paper option of that name has the size in the boxes (width and height texts).
    int MatchesPaper(const WCHAR* name, const OptionInfo& width, const OptionInfo& height, int* option,
                     bool* matches);
    int SendToPaperList(int command, int* value, int* result);

    WCHAR m_customName[kNameChars];
    int* m_limits = nullptr;
};
