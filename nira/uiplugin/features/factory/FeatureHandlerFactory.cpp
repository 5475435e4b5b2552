#include "nira/uiplugin/features/factory/FeatureHandlerFactory.h"

#include <new>

#include "nira/uiplugin/core/uicore/HandlerFactoryHook.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/features/handlers/AddedMediaHandler.h"
#include "nira/uiplugin/features/handlers/AppProfileHandler.h"
#include "nira/uiplugin/features/handlers/BookletHandler.h"
#include "nira/uiplugin/features/handlers/BorderlessHandler.h"
#include "nira/uiplugin/features/handlers/CalibrationHandler.h"
#include "nira/uiplugin/features/handlers/CollateHandler.h"
#include "nira/uiplugin/features/handlers/ColorSpaceHandler.h"
#include "nira/uiplugin/features/handlers/CopiesHandler.h"
#include "nira/uiplugin/features/handlers/CustomSizeHandler.h"
#include "nira/uiplugin/features/handlers/DuplexHandler.h"
#include "nira/uiplugin/features/handlers/DuplexUnitHandler.h"
#include "nira/uiplugin/features/handlers/FitToSizeHandler.h"
#include "nira/uiplugin/features/handlers/Handler4250.h"
#include "nira/uiplugin/features/handlers/IccProfileHandler.h"
#include "nira/uiplugin/sheetpreview/ImagePreview.h"
#include "nira/uiplugin/features/handlers/InputBinHandler.h"
#include "nira/uiplugin/features/handlers/MediaTypeHandler.h"
#include "nira/uiplugin/features/handlers/OrientationHandler.h"
#include "nira/uiplugin/features/handlers/PagesPerSheetHandler.h"
#include "nira/uiplugin/features/handlers/PairedDefaultsHandler.h"
#include "nira/uiplugin/features/handlers/PaperDimensionsHandler.h"
#include "nira/uiplugin/features/handlers/PaperListHandler.h"
#include "nira/uiplugin/features/handlers/PaperSizeHandler.h"
#include "nira/uiplugin/features/handlers/PopupSettingsHandler.h"
#include "nira/uiplugin/features/handlers/PosterHandler.h"
#include "nira/uiplugin/features/handlers/PosterTilesHandler.h"
#include "nira/uiplugin/features/handlers/PresetPopupHandler.h"
#include "nira/uiplugin/features/handlers/PrintQualityHandler.h"
#include "nira/uiplugin/features/handlers/PrinterStatusHandler.h"
#include "nira/uiplugin/features/handlers/ResolutionHandler.h"
#include "nira/uiplugin/features/handlers/RollCutHandler.h"
#include "nira/uiplugin/features/handlers/ServicesHandler.h"
#include "nira/uiplugin/sheetpreview/PictureHandler.h"
#include "nira/uiplugin/sheetpreview/SheetPreview.h"
#include "nira/uiplugin/features/handlers/ShortcutsHandler.h"
#include "nira/uiplugin/features/handlers/StatusRefreshHandler.h"
#include "nira/uiplugin/features/handlers/SupportInfoHandler.h"

namespace {

template <class T>
CNiraFeatureHandler* Make()
{
    return new (std::nothrow) T;
}

struct HandlerClass {
    int classId;
    CNiraFeatureHandler* (*make)();
};

// The class ids with a class of their own; every other id gets the base handler.
constexpr HandlerClass kHandlerClasses[] = {
    {CLASS_PAPER_SIZE, &Make<CNiraPaperSizeHandler>},
    {CLASS_PRINT_QUALITY, &Make<CNiraPrintQualityHandler>},
    {CLASS_MEDIA_TYPE, &Make<CNiraMediaTypeHandler>},
    {CLASS_INPUT_BIN, &Make<CNiraInputBinHandler>},
    {CLASS_ORIENTATION, &Make<CNiraOrientationHandler>},
    {CLASS_BORDERLESS, &Make<CNiraBorderlessHandler>},
    {CLASS_FIT_TO_SIZE, &Make<CNiraFitToSizeHandler>},
    {CLASS_RESOLUTION, &Make<CNiraResolutionHandler>},
    {CLASS_DUPLEX, &Make<CNiraDuplexHandler>},
    {CLASS_PAGES_PER_SHEET, &Make<CNiraPagesPerSheetHandler>},
    {CLASS_BOOKLET, &Make<CNiraBookletHandler>},
    {CLASS_SHEET_PREVIEW, &Make<CNiraSheetPreview>},
    {CLASS_STATUS_REFRESH, &Make<CNiraStatusRefreshHandler>},
    {CLASS_SERVICES, &Make<CNiraServicesHandler>},
    {CLASS_COLOR_SPACE, &Make<CNiraColorSpaceHandler>},
    {CLASS_SHORTCUTS, &Make<CNiraShortcutsHandler>},
    {CLASS_IMAGE_PREVIEW, &Make<CNiraImagePreview>},
    {CLASS_PICTURE, &Make<CNiraPictureHandler>},
    {CLASS_POPUP_SETTINGS, &Make<CNiraPopupSettingsHandler>},
    {CLASS_POSTER, &Make<CNiraPosterHandler>},
    {CLASS_DUPLEX_UNIT, &Make<CNiraDuplexUnitHandler>},
    {CLASS_ICC_PROFILE, &Make<CNiraIccProfileHandler>},
    {CLASS_SUPPORT_INFO, &Make<CNiraSupportInfoHandler>},
    {CLASS_PAPER_LIST, &Make<CNiraPaperListHandler>},
    {CLASS_CUSTOM_SIZE, &Make<CNiraCustomSizeHandler>},
    {CLASS_COPIES, &Make<CNiraCopiesHandler>},
    {CLASS_COLLATE, &Make<CNiraCollateHandler>},
    {CLASS_APP_PROFILE, &Make<CNiraAppProfileHandler>},
    {CLASS_POSTER_TILES, &Make<CNiraPosterTilesHandler>},
    {CLASS_HANDLER_4250, &Make<CNiraHandler4250>},
    {CLASS_ROLL_CUT, &Make<CNiraRollCutHandler>},
    {CLASS_SAVE_ROLL_PAPER, &Make<CNiraRollCutHandler>},
    {CLASS_PAPER_DIMENSIONS, &Make<CNiraPaperDimensionsHandler>},
    {CLASS_PRESET_POPUP, &Make<CNiraPresetPopupHandler>},
    {CLASS_PRINTER_STATUS, &Make<CNiraPrinterStatusHandler>},
    {CLASS_ADDED_MEDIA, &Make<CNiraAddedMediaHandler>},
    {CLASS_CALIBRATION, &Make<CNiraCalibrationHandler>},
    {CLASS_PAIRED_DEFAULTS, &Make<CNiraPairedDefaultsHandler>},
};

}  // namespace

CNiraFeatureHandler* CNiraFeatureHandlerFactory::Create(int classId, int* isGeneric)
{
    if (isGeneric != nullptr) {
        *isGeneric = 0;
    }
    for (const HandlerClass& entry : kHandlerClasses) {
        if (entry.classId == classId) {
            return entry.make();
        }
    }
    if (isGeneric != nullptr) {
        *isGeneric = 1;
    }
    return Make<CNiraFeatureHandler>();
}

INiraFeatureHandler* CreateFeatureHandler(int classId, int* isGeneric)
{
    CNiraFeatureHandlerFactory* factory = new (std::nothrow) CNiraFeatureHandlerFactory;
    if (factory == nullptr) {
        return nullptr;
    }
    CNiraFeatureHandler* handler = factory->Create(classId, isGeneric);
    delete factory;
    return handler;
}

namespace {

// The UI core sits below the handlers and cannot name them: the factory becomes the process
// default as soon as the library is loaded, before any core is made.
const bool g_factoryInstalled = (SetDefaultHandlerFactory(&CreateFeatureHandler), true);

}  // namespace
