#include "nira/uiplugin/features/base/OptionList.h"

#include <new>

#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

int TakeOption(int index, int, int optionIndex, WCHAR* displayName, void* userData)
{
    auto* list = static_cast<OptionList*>(userData);
    if (index < 0 || static_cast<size_t>(index) >= list->count) {
        return 0;
    }
    list->values[static_cast<size_t>(index)] = optionIndex;
    WCHAR* name = list->names.data() + static_cast<size_t>(index) * list->nameChars;
    for (size_t c = 0; displayName != nullptr && c + 1 < list->nameChars && displayName[c] != 0; ++c) {
        name[c] = displayName[c];
    }
    return 0;
}

}  // namespace

bool CollectOptions(INiraCoreServices& services, int featureId, size_t count, size_t nameChars,
                    OptionList& list)
{
    try {
        list.count = count;
        list.nameChars = nameChars;
        list.values.assign(count, 0);
        list.names.assign(count * nameChars, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return services.EnumerateOptions(featureId, &TakeOption, &list) == 0;
}
