// Kernel services, gathered from the API-set headers as the Windows SDK does.
#pragma once

#include <windef.h>
#include <winerror.h>
#include <errhandlingapi.h>
#include <debugapi.h>
#include <heapapi.h>
#include <handleapi.h>
#include <fileapi.h>
#include <libloaderapi.h>
#include <processthreadsapi.h>
#include <processenv.h>
#include <synchapi.h>
#include <sysinfoapi.h>
#include <securitybaseapi.h>
#include <memoryapi.h>
