#include "nira/uiplugin/foundation/databases/DataSource.h"

CNiraDataSource::~CNiraDataSource() = default;
LONG CNiraDataSource::Open(LPCWSTR)
{
    return 0;
}
LONG CNiraDataSource::FindContainer(LPCWSTR, NiraLayoutRecordCallback, LPVOID)
{
    return 0;
}
LONG CNiraDataSource::EnumWindows(INT, INT, NiraLayoutRecordCallback, LPVOID)
{
    return 0;
}
LONG CNiraDataSource::GetFeatureIds(INT**, INT*, INT*, INT*)
{
    return 0;
}
LONG CNiraDataSource::GetFeature(const INT*, NiraFeatureRowCallback, LPVOID)
{
    return 0;
}
LONG CNiraDataSource::QueryFeatureTable(INT, NiraFeatureRowCallback, LPVOID)
{
    return 0;
}
LONG CNiraDataSource::GetFeatureSettings(NiraFeatureRowCallback, LPVOID, CNiraPtrList*)
{
    return 0;
}
LONG CNiraDataSource::EnumCategories(NiraFeatureRowCallback, LPVOID)
{
    return 0;
}
LONG CNiraDataSource::EnumFeatures(NiraFeatureRowCallback, LPVOID)
{
    return 0;
}
LONG CNiraDataSource::EnumFeatures2(NiraFeatureRowCallback, LPVOID)
{
    return 0;
}
LONG CNiraDataSource::EnumVocabularies(NiraFeatureRowCallback, LPVOID)
{
    return 0;
}
LONG CNiraDataSource::EnumTreeView(NiraFeatureRowCallback, LPVOID)
{
    return 0;
}
LONG CNiraDataSource::Reserved13(INT_PTR)
{
    return 0;
}
LONG CNiraDataSource::Reserved14(INT_PTR, INT_PTR, INT_PTR)
{
    return 0;
}
LONG CNiraDataSource::EnumOptions(const INT*, NiraOptionCallback, LPVOID)
{
    return 0;
}
LONG CNiraDataSource::EnumWidgets(INT, INT, NiraWidgetCallback, LPVOID)
{
    return 0;
}
LONG CNiraDataSource::Reserved17(INT_PTR, INT_PTR, INT_PTR, INT_PTR)
{
    return 0;
}
LONG CNiraDataSource::Reserved18(INT_PTR, INT_PTR)
{
    return 0;
}
LONG CNiraDataSource::Reserved19(INT_PTR, INT_PTR, INT_PTR)
{
    return 0;
}
LONG CNiraDataSource::Reserved20(INT_PTR, INT_PTR, INT_PTR, INT_PTR)
{
    return 0;
}
LONG CNiraDataSource::Close()
{
    return 0;
}
LONG CNiraDataSource::Reserved22(INT_PTR)
{
    return 0;
}
LONG CNiraDataSource::Reserved23(INT_PTR, INT_PTR)
{
    return 0;
}
LONG CNiraDataSource::GetFrameType(LPCWSTR, INT*)
{
    return 0;
}
LONG CNiraDataSource::GetRtlWindowId(INT, INT*)
{
    return 0;
}
LONG CNiraDataSource::Reserved26(INT_PTR, INT_PTR)
{
    return 0;
}
LONG CNiraDataSource::Reserved27(INT_PTR, INT_PTR)
{
    return 0;
}
LONG CNiraDataSource::Reserved28(INT_PTR, INT_PTR, INT_PTR)
{
    return 0;
}
LONG CNiraDataSource::Reserved29(INT_PTR, INT_PTR)
{
    return 0;
}
