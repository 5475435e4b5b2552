#include "nira/uiplugin/features/base/ConverterTables.h"

#include <new>

#include "common/NiraStatus.h"
#include "nira/uiplugin/features/base/FeatureHandler.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

int AppendConverterOption(int, int optionId, int, WCHAR*, void* userData)
{
    auto* table = static_cast<ConverterOptionTable*>(userData);
    auto* info = new (std::nothrow) OptionInfo();
    if (info == nullptr || table->services->GetOptionInfo(table->featureId, optionId, info) != 0) {
        delete info;
        return NIRA_STATUS_FAILED;
    }
    if (!IsNoPrintTicketName(info->vocabMap) && table->count < table->capacity) {
        CXDOptionEntry& entry = table->options[table->count++];
        entry.name = info->vocabMap;
        entry.listed = 1;
        entry.displayId = 0;
        entry.value = 1;
        entry.flag = 0;
    }
    delete info;
    return 0;
}

}  // namespace

void AppendConverterOptions(ConverterOptionTable& table)
{
    table.services->EnumerateOptions(table.featureId, &AppendConverterOption, &table);
}
