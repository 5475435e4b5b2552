// Pointer-sized and fixed-size integer types with their Windows x64 sizes.
#pragma once

#include <stddef.h>
#include <stdint.h>

typedef int64_t LONG_PTR, *PLONG_PTR;
typedef uint64_t ULONG_PTR, *PULONG_PTR;
typedef int64_t INT_PTR, *PINT_PTR;
typedef uint64_t UINT_PTR, *PUINT_PTR;
typedef ULONG_PTR DWORD_PTR, *PDWORD_PTR;
typedef ULONG_PTR SIZE_T, *PSIZE_T;
typedef LONG_PTR SSIZE_T, *PSSIZE_T;

typedef int32_t INT32, *PINT32;
typedef uint32_t UINT32, *PUINT32;
typedef int64_t INT64, *PINT64;
typedef uint64_t UINT64, *PUINT64;
typedef uint64_t DWORD64, *PDWORD64;
typedef int64_t LONG64, *PLONG64;
typedef uint64_t ULONG64, *PULONG64;
typedef int32_t LONG32, *PLONG32;
typedef uint32_t ULONG32, *PULONG32;
typedef uint32_t DWORD32, *PDWORD32;

static_assert(sizeof(LONG_PTR) == sizeof(void*), "LONG_PTR is pointer-sized");
