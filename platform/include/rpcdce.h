// UUIDs of the RPC runtime.
#pragma once

#include <guiddef.h>
#include <windef.h>
#include <winerror.h>

typedef LONG RPC_STATUS;
#define RPC_ENTRY
#define RPC_S_OK ERROR_SUCCESS

RPC_STATUS RPC_ENTRY UuidCreate(UUID* Uuid);
RPC_STATUS RPC_ENTRY UuidCreateNil(UUID* NilUuid);
// Orders two UUIDs field by field (-1, 0, 1); a null pointer counts as the nil UUID.
int RPC_ENTRY UuidCompare(UUID* Uuid1, UUID* Uuid2, RPC_STATUS* Status);
int RPC_ENTRY UuidEqual(UUID* Uuid1, UUID* Uuid2, RPC_STATUS* Status);
int RPC_ENTRY UuidIsNil(UUID* Uuid, RPC_STATUS* Status);

// Authentication and impersonation levels (CoInitializeSecurity).
#define RPC_C_AUTHN_LEVEL_DEFAULT 0
#define RPC_C_AUTHN_LEVEL_NONE 1
#define RPC_C_AUTHN_LEVEL_CONNECT 2
#define RPC_C_IMP_LEVEL_DEFAULT 0
#define RPC_C_IMP_LEVEL_ANONYMOUS 1
#define RPC_C_IMP_LEVEL_IDENTIFY 2
#define RPC_C_IMP_LEVEL_IMPERSONATE 3
#define EOAC_NONE 0
