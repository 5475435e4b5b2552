// The handler factory: a class of its own for each listed class id, the base handler for all others.
#include "UICoreFixture.h"

#include <typeinfo>

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
#include "nira/uiplugin/sheetpreview/PictureHandler.h"
#include "nira/uiplugin/features/handlers/PopupSettingsHandler.h"
#include "nira/uiplugin/features/handlers/PosterHandler.h"
#include "nira/uiplugin/features/handlers/PosterTilesHandler.h"
#include "nira/uiplugin/features/handlers/PresetPopupHandler.h"
#include "nira/uiplugin/features/handlers/PrintQualityHandler.h"
#include "nira/uiplugin/features/handlers/PrinterStatusHandler.h"
#include "nira/uiplugin/features/handlers/ResolutionHandler.h"
#include "nira/uiplugin/features/handlers/RollCutHandler.h"
#include "nira/uiplugin/features/handlers/ServicesHandler.h"
#include "nira/uiplugin/sheetpreview/SheetPreview.h"
#include "nira/uiplugin/features/handlers/ShortcutsHandler.h"
#include "nira/uiplugin/features/handlers/StatusRefreshHandler.h"
#include "nira/uiplugin/features/handlers/SupportInfoHandler.h"

namespace {

struct Listed {
    int classId;
    const std::type_info& type;
};

const Listed kListed[] = {
    {4114, typeid(CNiraPaperSizeHandler)},       {4115, typeid(CNiraPrintQualityHandler)},
    {4116, typeid(CNiraMediaTypeHandler)},       {4117, typeid(CNiraInputBinHandler)},
    {4118, typeid(CNiraOrientationHandler)},     {4119, typeid(CNiraBorderlessHandler)},
    {4120, typeid(CNiraFitToSizeHandler)},       {4123, typeid(CNiraResolutionHandler)},
    {4125, typeid(CNiraDuplexHandler)},          {4128, typeid(CNiraPagesPerSheetHandler)},
    {4130, typeid(CNiraBookletHandler)},         {4132, typeid(CNiraSheetPreview)},
    {4133, typeid(CNiraStatusRefreshHandler)},   {4135, typeid(CNiraServicesHandler)},
    {4138, typeid(CNiraColorSpaceHandler)},      {4143, typeid(CNiraShortcutsHandler)},
    {4145, typeid(CNiraImagePreview)},           {4166, typeid(CNiraPictureHandler)},
    {4215, typeid(CNiraPopupSettingsHandler)},   {4219, typeid(CNiraPosterHandler)},
    {4221, typeid(CNiraDuplexUnitHandler)},      {4227, typeid(CNiraIccProfileHandler)},
    {4231, typeid(CNiraSupportInfoHandler)},     {4233, typeid(CNiraPaperListHandler)},
    {4234, typeid(CNiraCustomSizeHandler)},      {4235, typeid(CNiraCopiesHandler)},
    {4236, typeid(CNiraCollateHandler)},         {4237, typeid(CNiraAppProfileHandler)},
    {4243, typeid(CNiraPosterTilesHandler)},     {4250, typeid(CNiraHandler4250)},
    {4254, typeid(CNiraRollCutHandler)},         {4255, typeid(CNiraRollCutHandler)},
    {4258, typeid(CNiraPaperDimensionsHandler)}, {4259, typeid(CNiraPresetPopupHandler)},
    {4260, typeid(CNiraPrinterStatusHandler)},   {4261, typeid(CNiraAddedMediaHandler)},
    {4262, typeid(CNiraCalibrationHandler)},     {4263, typeid(CNiraPairedDefaultsHandler)},
};

}  // namespace

TEST(HandlerFactory, MakesTheListedClassForEachOfItsIds)
{
    ASSERT_EQ(sizeof(kListed) / sizeof(kListed[0]), 38u);
    CNiraFeatureHandlerFactory factory;
    for (const Listed& listed : kListed) {
        int isGeneric = -1;
        std::unique_ptr<CNiraFeatureHandler> handler(factory.Create(listed.classId, &isGeneric));
        ASSERT_NE(handler, nullptr) << listed.classId;
        EXPECT_EQ(typeid(*handler), listed.type) << listed.classId;
        EXPECT_EQ(isGeneric, 0) << listed.classId;
    }
}

TEST(HandlerFactory, GivesEveryOtherIdThePlainBaseHandler)
{
    CNiraFeatureHandlerFactory factory;
    for (int classId : {4113, 4121, 4124, 4264, 6530, 0, -1}) {
        int isGeneric = -1;
        std::unique_ptr<CNiraFeatureHandler> handler(factory.Create(classId, &isGeneric));
        ASSERT_NE(handler, nullptr) << classId;
        EXPECT_EQ(typeid(*handler), typeid(CNiraFeatureHandler)) << classId;
        EXPECT_EQ(isGeneric, 1) << classId;
    }
}

TEST(HandlerFactory, RollCutIdsGetAnObjectEach)
{
    int isGeneric = 0;
    std::unique_ptr<INiraFeatureHandler> rollCut(CreateFeatureHandler(CLASS_ROLL_CUT, &isGeneric));
    std::unique_ptr<INiraFeatureHandler> saveRoll(CreateFeatureHandler(CLASS_SAVE_ROLL_PAPER, &isGeneric));
    ASSERT_TRUE(rollCut && saveRoll);
    EXPECT_NE(rollCut.get(), saveRoll.get());
    EXPECT_EQ(typeid(*rollCut), typeid(*saveRoll));
}
