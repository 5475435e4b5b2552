// UUIDs: random version-4 UUIDs, and the RPC runtime's ordering.
#include <rpc.h>

#include <mutex>
#include <random>

namespace {

constexpr WORD kVersion4 = 0x4000;
constexpr BYTE kVariantRfc4122 = 0x80;

template <class T>
int Order(T a, T b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

}  // namespace

RPC_STATUS RPC_ENTRY UuidCreate(UUID* Uuid)
{
    if (!Uuid) {
        return ERROR_INVALID_PARAMETER;
    }
    static std::mutex lock;
    static std::mt19937_64 generator{std::random_device{}()};
    std::lock_guard<std::mutex> hold(lock);
    uint64_t high = generator();
    uint64_t low = generator();
    Uuid->Data1 = static_cast<DWORD>(high >> 32);
    Uuid->Data2 = static_cast<WORD>(high >> 16);
    Uuid->Data3 = static_cast<WORD>((high & 0x0FFF) | kVersion4);
    for (int i = 0; i < 8; ++i) {
        Uuid->Data4[i] = static_cast<BYTE>(low >> (8 * i));
    }
    Uuid->Data4[0] = static_cast<BYTE>((Uuid->Data4[0] & 0x3F) | kVariantRfc4122);
    return RPC_S_OK;
}

RPC_STATUS RPC_ENTRY UuidCreateNil(UUID* NilUuid)
{
    if (!NilUuid) {
        return ERROR_INVALID_PARAMETER;
    }
    *NilUuid = UUID{};
    return RPC_S_OK;
}

int RPC_ENTRY UuidCompare(UUID* Uuid1, UUID* Uuid2, RPC_STATUS* Status)
{
    static const UUID nil{};
    const UUID& a = Uuid1 ? *Uuid1 : nil;
    const UUID& b = Uuid2 ? *Uuid2 : nil;
    if (Status) {
        *Status = RPC_S_OK;
    }
    if (int r = Order(a.Data1, b.Data1)) {
        return r;
    }
    if (int r = Order(a.Data2, b.Data2)) {
        return r;
    }
    if (int r = Order(a.Data3, b.Data3)) {
        return r;
    }
    for (int i = 0; i < 8; ++i) {
        if (int r = Order(a.Data4[i], b.Data4[i])) {
            return r;
        }
    }
    return 0;
}

int RPC_ENTRY UuidEqual(UUID* Uuid1, UUID* Uuid2, RPC_STATUS* Status)
{
    return UuidCompare(Uuid1, Uuid2, Status) == 0;
}

int RPC_ENTRY UuidIsNil(UUID* Uuid, RPC_STATUS* Status)
{
    return UuidCompare(Uuid, nullptr, Status) == 0;
}
