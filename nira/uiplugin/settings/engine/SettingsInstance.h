// Settings objects are made by the GUID of the interface they implement: the GUIDs, the tables
// that bind them to a class and to the module that serves them, and GetSettingsInstance.
#pragma once

#include <windows.h>

// The interface GUIDs of the settings objects.
inline constexpr GUID kSettingsGuidStore = {
    0x1B90550A, 0x0CF7, 0x4606, {0xB0, 0x7C, 0xD4, 0x80, 0xE4, 0xA7, 0x92, 0xD7}};
inline constexpr GUID kSettingsGuidMask = {
    0x4DBD1749, 0x5337, 0x4153, {0xA8, 0xE3, 0x6A, 0xB4, 0x04, 0x20, 0x65, 0x82}};
inline constexpr GUID kSettingsGuidManager = {
    0x794C6A48, 0x47EA, 0x4888, {0xBC, 0xD0, 0x62, 0xAB, 0x8C, 0xB6, 0xB9, 0x0F}};
inline constexpr GUID kSettingsGuidFieldAdapter = {
    0x4293955C, 0x73C8, 0x4AFB, {0xB3, 0xE8, 0x3F, 0x94, 0x89, 0x2C, 0xBB, 0x94}};
inline constexpr GUID kSettingsGuidUnpacker = {
    0x20D5547A, 0x186B, 0x486D, {0x95, 0x18, 0x1D, 0xB0, 0x79, 0xCF, 0x53, 0xD9}};
inline constexpr GUID kSettingsGuidHostFlags = {
    0xFC24F8D3, 0xA901, 0x4280, {0x92, 0x1D, 0x6F, 0xD2, 0x13, 0x97, 0x1B, 0xDF}};
inline constexpr GUID kSettingsGuidFlatAdapter = {
    0x87E2F240, 0xA264, 0x4A27, {0x80, 0xF2, 0x26, 0x48, 0xD6, 0x16, 0xFF, 0x7F}};
inline constexpr GUID kSettingsGuidDerived = {
    0xE23BED56, 0x1040, 0x4AB3, {0xA3, 0xA5, 0xC1, 0x6F, 0x85, 0xD2, 0xD8, 0x5F}};
inline constexpr GUID kSettingsGuidPacker = {
    0x9A6CD89F, 0x74F1, 0x4491, {0x8F, 0xEE, 0x8B, 0x0B, 0xEB, 0xD0, 0xF7, 0xDC}};
inline constexpr GUID kSettingsGuidProductData = {
    0xE39B83BA, 0x61BC, 0x4685, {0xAA, 0x4F, 0x55, 0x51, 0x17, 0x45, 0xFD, 0xC6}};
// Served by the settings helper module named by the driver INI key Component_F_C.
inline constexpr GUID kSettingsGuidHelperProvider = {
    0xA54A5B57, 0x3B62, 0x4407, {0x93, 0x69, 0x3D, 0x8F, 0x0B, 0x1C, 0xE3, 0x2E}};
inline constexpr GUID kSettingsGuidHelperObject = {
    0xF0AC0074, 0x7771, 0x4D23, {0x91, 0x0C, 0xEC, 0x34, 0xDD, 0x3D, 0xA3, 0x83}};

// Which class CreateSettingsInstance constructs.
enum SettingsKind : LONG {
    SETTINGS_KIND_STORE = 1,          // CNiraSettingsStore
    SETTINGS_KIND_MASK = 2,           // CNiraSettingsMask
    SETTINGS_KIND_MANAGER = 3,        // CNiraSettingsManager
    SETTINGS_KIND_FIELD_ADAPTER = 4,  // CNiraFieldAdapter
    SETTINGS_KIND_UNPACKER = 5,       // CNiraBlockUnpacker
    SETTINGS_KIND_PRODUCT_DATA = 6,   // CNiraProductData
    SETTINGS_KIND_HOST_FLAGS = 7,     // CNiraHostProcessProvider
    SETTINGS_KIND_FLAT_ADAPTER = 8,   // CNiraFlatRecordAdapter
    SETTINGS_KIND_DERIVED = 9,        // CNiraDerivedValuesProvider
    SETTINGS_KIND_PACKER = 10,        // CNiraBlockPacker
};

// Which module's CreateSettingsInstance serves a GUID.
enum SettingsModule : LONG {
    SETTINGS_MODULE_SELF = 1,       // the library holding the settings engine
    SETTINGS_MODULE_COMPONENT = 2,  // the settings helper module (Component_F_C)
};

struct SettingsClassRow {
    GUID interfaceId;
    LONG kind;  // SettingsKind
};

struct SettingsModuleRow {
    GUID interfaceId;
    LONG module;  // SettingsModule
};

constexpr int kSettingsClassRows = 10;
constexpr int kSettingsModuleRows = 12;

// Row n holds the GUID of kind n.
extern const SettingsClassRow SettingsClassTable[kSettingsClassRows];
extern const SettingsModuleRow SettingsModuleTable[kSettingsModuleRows];

// The factory both modules export by this name: stores the new object (or null) in out and
// answers 1 when it made one. The object belongs to the caller, who frees it by its Release.
typedef BOOLEAN (*CreateSettingsInstanceProc)(const GUID* interfaceId, void** out);
#define SETTINGS_FACTORY_EXPORT "CreateSettingsInstance"

// The helper module's optional export, called with the printer handle when the module is loaded;
// its answer is not looked at.
typedef BOOL (*LoadHelperProc)(HANDLE printer);
#define SETTINGS_HELPER_LOAD_EXPORT "LoadHelper"

// The module handle that serves a SettingsModule: the own library's (kept by its DllMain, or in
// the print processor the settings library it loaded) and the settings helper module's.
// Process-wide, without a lock: written only at load, unload and the helper's one-time load.
HMODULE GetSettingsModuleHandle(LONG module);
void SetSettingsModuleHandle(LONG module, HMODULE handle);

// The SettingsKind of an own GUID; 0 when the GUID is not in the class table.
LONG FindSettingsKind(const GUID* interfaceId);

// Makes the object that serves interfaceId through the factory of its module; answers 1 when an
// object was made. Never writes out itself: callers null their pointer first and treat a null
// pointer afterwards as failure.
BOOLEAN GetSettingsInstance(const GUID* interfaceId, void** out);
