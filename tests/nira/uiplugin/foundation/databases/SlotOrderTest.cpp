// nirapres calls the data source and reads the widget-information records by position.
#include "nira/uiplugin/foundation/databases/DataSource.h"
#include "nira/uiplugin/foundation/databases/WidgetInfo.h"
#include "support/SlotOrder.h"

TEST(DataSourceSlotOrder, EveryOperationSitsInItsSlot)
{
    EXPECT_VIRTUAL_DESTRUCTOR(CNiraDataSource);
    EXPECT_SLOT(CNiraDataSource, Open, 1);
    EXPECT_SLOT(CNiraDataSource, FindContainer, 2);
    EXPECT_SLOT(CNiraDataSource, EnumWindows, 3);
    EXPECT_SLOT(CNiraDataSource, GetFeatureIds, 4);
    EXPECT_SLOT(CNiraDataSource, GetFeature, 5);
    EXPECT_SLOT(CNiraDataSource, QueryFeatureTable, 6);
    EXPECT_SLOT(CNiraDataSource, GetFeatureSettings, 7);
    EXPECT_SLOT(CNiraDataSource, EnumCategories, 8);
    EXPECT_SLOT(CNiraDataSource, EnumFeatures, 9);
    EXPECT_SLOT(CNiraDataSource, EnumFeatures2, 10);
    EXPECT_SLOT(CNiraDataSource, EnumVocabularies, 11);
    EXPECT_SLOT(CNiraDataSource, EnumTreeView, 12);
    EXPECT_SLOT(CNiraDataSource, Reserved13, 13);
    EXPECT_SLOT(CNiraDataSource, Reserved14, 14);
    EXPECT_SLOT(CNiraDataSource, EnumOptions, 15);
    EXPECT_SLOT(CNiraDataSource, EnumWidgets, 16);
    EXPECT_SLOT(CNiraDataSource, Reserved17, 17);
    EXPECT_SLOT(CNiraDataSource, Reserved18, 18);
    EXPECT_SLOT(CNiraDataSource, Reserved19, 19);
    EXPECT_SLOT(CNiraDataSource, Reserved20, 20);
    EXPECT_SLOT(CNiraDataSource, Close, 21);
    EXPECT_SLOT(CNiraDataSource, Reserved22, 22);
    EXPECT_SLOT(CNiraDataSource, Reserved23, 23);
    EXPECT_SLOT(CNiraDataSource, GetFrameType, 24);
    EXPECT_SLOT(CNiraDataSource, GetRtlWindowId, 25);
    EXPECT_SLOT(CNiraDataSource, Reserved26, 26);
    EXPECT_SLOT(CNiraDataSource, Reserved27, 27);
    EXPECT_SLOT(CNiraDataSource, Reserved28, 28);
    EXPECT_SLOT(CNiraDataSource, Reserved29, 29);
}

TEST(WidgetInfoSlotOrder, EveryOperationSitsInItsSlot)
{
    EXPECT_VIRTUAL_DESTRUCTOR(CNiraWidgetInfo);
    EXPECT_SLOT(CNiraWidgetInfo, ControlID, 1);
    EXPECT_SLOT(CNiraWidgetInfo, GroupID, 2);
    EXPECT_SLOT(CNiraWidgetInfo, FeatureID, 3);
    EXPECT_SLOT(CNiraWidgetInfo, CtrlStringID, 4);
    EXPECT_SLOT(CNiraWidgetInfo, BitampID, 5);
    EXPECT_SLOT(CNiraWidgetInfo, CtrlHelpID, 6);
    EXPECT_SLOT(CNiraWidgetInfo, CtrlType, 7);
    EXPECT_SLOT(CNiraWidgetInfo, WidgetKind, 8);
}
