// The handler of the added media (class 4261): a media-type handler that also offers the papers
// the user added with the add-paper program (options 550 and up, read from the user's registry),
// an entry (option 78) that starts that program, the base medium of a chosen added paper (feature
// 4307, from table FDT4307) and a short list of recently chosen media.
#pragma once

#include "nira/uiplugin/features/handlers/MediaTypeHandler.h"
#include "nira/uiplugin/foundation/containers/NiraIdMap.h"

class CNiraPrinterAccess;

// One added paper.
struct AddedMediaRecord {
    static constexpr size_t kTextChars = 260;

    INT reserved;
    INT qualityCode;  // 3 Normal, 4 Best, 5 MaxDPI, else 0
    WCHAR name[kTextChars];
    WCHAR iccProfile[kTextChars];
    WCHAR category[kTextChars];  // the base medium's name
    WCHAR quality[kTextChars];
};

class CNiraAddedMediaHandler : public CNiraMediaTypeHandler {
public:
    static constexpr int kFirstAddedOption = 550;
    static constexpr int kAddPaperOption = 78;

    CNiraAddedMediaHandler();
    ~CNiraAddedMediaHandler() override;

    int Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase* database) override;
    int OnFeaturesEnumerated() override;
    int InitializeStates() override;
    int OnWidgetChanged(int widgetId) override;
    int OnFeatureChanged(int featureId, int changeKind) override;

    // The quality code of a quality text (without regard to case).
    static INT QualityCode(LPCWSTR quality);
    const AddedMediaRecord* Media(int optionId) const;
    int MediaCount() const { return m_media.GetCount(); }

private:
    int LoadAddedMedia();
    bool ReadAddNewPaperPath();
    void AddPaperOption(int optionId, const AddedMediaRecord& record);
    void AddMediaTreeRow(int optionId, int supportOption, int stringId, int levelId, LPCWSTR text);
    void LookupBaseMedia(int optionId);
    static int SetBaseMediaFromRow(void* argument, int columns, char** values, char** names);
    void RememberRecentMedium(int option);

    WCHAR m_programPath[AddedMediaRecord::kTextChars] = {};
    CNiraPrinterAccess* m_printer = nullptr;
    CNiraIdMap m_media;
    WCHAR* m_printerName = nullptr;
    int m_headerPending = 1;
    int m_loaded = 0;
    INiraFeatureDatabase* m_database = nullptr;
};
