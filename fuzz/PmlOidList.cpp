// Feeds arbitrary files to the PML object-id list reader: Open and ReadPmlOids must refuse or read
// any document, and every list they give must be whole and freeable.
#include "nira/uiplugin/foundation/xml/PmlOidXml.h"

#include <nirasim/Machine.h>

#include <stdint.h>

#include <string>

extern "C" const char* __asan_default_options()
{
    return "verify_asan_link_order=0";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static nirasim::Machine machine;  // stays for the whole run, with its modules
    static const WCHAR kPath[] = TEXT("C:\\Data\\nirapmloid.xml");
    if (!machine.WriteFile(kPath, std::string(reinterpret_cast<const char*>(data), size))) {
        return 0;
    }
    CNiraPmlOidXml reader;
    if (reader.Open(kPath) != 0) {
        return 0;
    }
    PmlOidEntry* list = nullptr;
    if (reader.ReadPmlOids(&list) == 1) {
        for (PmlOidEntry* entry = list; entry != nullptr; entry = entry->next) {
            if (entry->name == nullptr || entry->oid == nullptr) {
                __builtin_trap();  // an entry without both texts is never handed over
            }
        }
    }
    CNiraPmlOidXml::FreeList(list);
    return 0;
}
