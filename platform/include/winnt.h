// Basic Windows types with their Windows (LLP64) sizes. WCHAR is a 16-bit UTF-16 unit.
#pragma once

#include <basetsd.h>

#ifndef UNICODE
#define UNICODE 1
#endif
#ifndef _UNICODE
#define _UNICODE 1
#endif

#define WINAPI
#define APIENTRY
#define CALLBACK
#define WINAPIV
#define STDAPICALLTYPE
#define STDMETHODCALLTYPE
#define __stdcall
#define __cdecl
#define CONST const
#define VOID void
#define IN
#define OUT
#define OPTIONAL
#define FAR
#define NEAR
#define UNALIGNED
#define ANYSIZE_ARRAY 1

// __declspec as the Windows compilers know it: only what the sources use.
#define __declspec(x) __NIRA_DECLSPEC_##x
#define __NIRA_DECLSPEC_dllexport __attribute__((visibility("default")))
#define __NIRA_DECLSPEC_dllimport
#define __NIRA_DECLSPEC_novtable
#define __NIRA_DECLSPEC_noinline __attribute__((noinline))
#define __NIRA_DECLSPEC_selectany __attribute__((weak))
#define __NIRA_DECLSPEC_uuid(x)
#define DECLSPEC_NOVTABLE
#define DECLSPEC_UUID(x)
#define DECLSPEC_SELECTANY __attribute__((weak))

typedef void* PVOID;
typedef void* LPVOID;
typedef const void* LPCVOID;

typedef char CHAR, *PCHAR, *LPCH, *PCH;
typedef unsigned char UCHAR, *PUCHAR;
typedef short SHORT, *PSHORT;
typedef unsigned short USHORT, *PUSHORT;
typedef int32_t LONG, *PLONG, *LPLONG;
typedef uint32_t ULONG, *PULONG;
typedef int64_t LONGLONG, *PLONGLONG;
typedef uint64_t ULONGLONG, *PULONGLONG;

typedef char16_t WCHAR, *PWCHAR, *LPWCH, *PWCH;
typedef WCHAR *LPWSTR, *PWSTR, *NWPSTR;
typedef const WCHAR *LPCWSTR, *PCWSTR, *LPCWCH, *PCWCH;
typedef CHAR *LPSTR, *PSTR, *NPSTR;
typedef const CHAR *LPCSTR, *PCSTR, *LPCCH, *PCCH;

typedef WCHAR TCHAR, *PTCHAR, TBYTE, *PTBYTE;
typedef LPWSTR LPTSTR, PTSTR;
typedef LPCWSTR LPCTSTR, PCTSTR;
#define __TEXT(quote) u##quote
#define TEXT(quote) __TEXT(quote)

typedef unsigned char BOOLEAN, *PBOOLEAN;
typedef LONG HRESULT;
typedef void* HANDLE;
typedef HANDLE *PHANDLE, *LPHANDLE;
typedef uint32_t LCID;
typedef uint16_t LANGID;
typedef uint64_t DWORDLONG;

#define DECLARE_HANDLE(name) \
    struct name##__ {        \
        int unused;          \
    };                       \
    typedef struct name##__* name

#define MAKELANGID(p, s) ((((WORD)(s)) << 10) | (WORD)(p))
#define PRIMARYLANGID(lgid) ((WORD)(lgid)&0x3ff)
#define SUBLANGID(lgid) ((WORD)(lgid) >> 10)
#define LANG_NEUTRAL 0x00
#define LANG_ENGLISH 0x09
#define LANG_GERMAN 0x07
#define LANG_JAPANESE 0x11
#define LANG_HEBREW 0x0d
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define LANG_USER_DEFAULT 0x0400
#define LANG_SYSTEM_DEFAULT 0x0800

typedef union _LARGE_INTEGER {
    struct {
        uint32_t LowPart;
        LONG HighPart;
    } u;
    LONGLONG QuadPart;
} LARGE_INTEGER, *PLARGE_INTEGER;

typedef union _ULARGE_INTEGER {
    struct {
        uint32_t LowPart;
        uint32_t HighPart;
    } u;
    ULONGLONG QuadPart;
} ULARGE_INTEGER, *PULARGE_INTEGER;

#define MAXDWORD 0xffffffffu
#define MAXLONG 0x7fffffff
#define MAXULONG 0xffffffffu
#define MAXWORD 0xffffu
#define MAXBYTE 0xffu

#define FIELD_OFFSET(type, field) ((LONG)offsetof(type, field))
#define RTL_NUMBER_OF(a) (sizeof(a) / sizeof((a)[0]))
#define ARRAYSIZE(a) RTL_NUMBER_OF(a)
#define _countof(a) RTL_NUMBER_OF(a)
#define UNREFERENCED_PARAMETER(p) ((void)(p))

// Interlocked operations on 32-bit values (full barriers); each answers the value before.
inline LONG InterlockedOr(volatile LONG* target, LONG bits)
{
    return __atomic_fetch_or(target, bits, __ATOMIC_SEQ_CST);
}
inline LONG InterlockedAnd(volatile LONG* target, LONG bits)
{
    return __atomic_fetch_and(target, bits, __ATOMIC_SEQ_CST);
}
inline LONG InterlockedCompareExchange(volatile LONG* target, LONG exchange, LONG comparand)
{
    __atomic_compare_exchange_n(target, &comparand, exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
    return comparand;
}

#define ZeroMemory(d, n) memset((d), 0, (n))
#define CopyMemory(d, s, n) memcpy((d), (s), (n))
#define MoveMemory(d, s, n) memmove((d), (s), (n))
#define FillMemory(d, n, v) memset((d), (v), (n))
#define SecureZeroMemory(d, n) memset((d), 0, (n))
#define RtlZeroMemory ZeroMemory
#define RtlCopyMemory CopyMemory

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_WOW64_64KEY 0x0100
#define KEY_WOW64_32KEY 0x0200
#define DELETE 0x00010000L
#define READ_CONTROL 0x00020000L
#define WRITE_DAC 0x00040000L
#define WRITE_OWNER 0x00080000L
#define SYNCHRONIZE 0x00100000L
#define STANDARD_RIGHTS_REQUIRED 0x000F0000L
#define STANDARD_RIGHTS_READ READ_CONTROL
#define STANDARD_RIGHTS_WRITE READ_CONTROL
#define STANDARD_RIGHTS_EXECUTE READ_CONTROL
#define STANDARD_RIGHTS_ALL 0x001F0000L
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define GENERIC_EXECUTE 0x20000000u
#define GENERIC_ALL 0x10000000u
#define KEY_READ \
    ((STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY) & (~SYNCHRONIZE))
#define KEY_WRITE ((STANDARD_RIGHTS_WRITE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY) & (~SYNCHRONIZE))
#define KEY_EXECUTE ((KEY_READ) & (~SYNCHRONIZE))
#define KEY_ALL_ACCESS                                                                                      \
    ((STANDARD_RIGHTS_ALL | KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS | \
      KEY_NOTIFY | KEY_CREATE_LINK) &                                                                       \
     (~SYNCHRONIZE))

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_DWORD_LITTLE_ENDIAN 4
#define REG_DWORD_BIG_ENDIAN 5
#define REG_LINK 6
#define REG_MULTI_SZ 7
#define REG_QWORD 11

#define REG_OPTION_NON_VOLATILE 0x00000000L
#define REG_OPTION_VOLATILE 0x00000001L
#define REG_CREATED_NEW_KEY 0x00000001L
#define REG_OPENED_EXISTING_KEY 0x00000002L

#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100
#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define FILE_SHARE_DELETE 0x00000004

// Interlocked operations on 32-bit counters; increment and decrement answer the new value.
inline LONG InterlockedIncrement(LONG volatile* addend)
{
    return __atomic_add_fetch(addend, 1, __ATOMIC_SEQ_CST);
}
inline LONG InterlockedDecrement(LONG volatile* addend)
{
    return __atomic_sub_fetch(addend, 1, __ATOMIC_SEQ_CST);
}
// Sets the counter and answers its previous value.
inline LONG InterlockedExchange(LONG volatile* target, LONG value)
{
    return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}
