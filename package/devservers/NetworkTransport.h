// The SNMP transport of the device servers: how a get request reaches the device on a printer's
// network port, and whether a device answers there.
#pragma once

#include <windows.h>

// One object id's answer: error 0 and the value (type byte, bytes allocated with CoTaskMemAlloc),
// or the device's error.
struct SnmpAnswer {
    int error;
    BYTE type;
    BYTE* data;
    DWORD length;
};

constexpr int kSnmpErrorNoSuchName = 2;
constexpr int kSnmpErrorGeneral = 5;

// TRUE when a device answers on the port; *supported tells whether it reports device status.
BOOL TransportFindDevice(LPCWSTR port, BOOL* supported);
// Sends one get request for `count` object ids and fills one answer per id; FALSE when the
// request could not be sent or an answer could not be taken in (each id then has an error).
BOOL TransportGet(LPCWSTR port, int count, const LPCWSTR* objectIds, SnmpAnswer* answers);
