// The printer's status inside its IEEE 1284 device ID: the ID's keys, and the status value in its
// text form ("VSTATUS:$...") or its hexadecimal form ("S:...") read into a DeviceStatus record.
#pragma once

#include <windows.h>

enum DeviceState : LONG {
    DEVICE_STATE_IDLE = 0,
    DEVICE_STATE_BUSY = 1,
    DEVICE_STATE_PRNT = 2,
    DEVICE_STATE_OFFF = 3,
    DEVICE_STATE_RPRT = 4,
    DEVICE_STATE_CNCL = 5,
    DEVICE_STATE_IOST = 6,
    DEVICE_STATE_DRYW = 7,
    DEVICE_STATE_PENC = 8,
    DEVICE_STATE_OOPA = 9,
    DEVICE_STATE_BNEJ = 10,
    DEVICE_STATE_BNMZ = 11,
    DEVICE_STATE_PHMZ = 12,
    DEVICE_STATE_DPMZ = 13,
    DEVICE_STATE_PAJM = 14,
    DEVICE_STATE_CARS = 15,
    DEVICE_STATE_PAPS = 16,
    DEVICE_STATE_PENF = 17,
    DEVICE_STATE_ERRO = 18,
    DEVICE_STATE_PWDN = 19,
    DEVICE_STATE_FPTS = 20,
    DEVICE_STATE_CLNO = 21,
};

constexpr int kPenCount = 8;

// A pen's members in order.
struct PenStatus {
    LONG penClass;
    LONG colour;
    LONG kind;
    LONG condition;
    LONG twoBitField;
    LONG flag;
    LONG fiveBitField;
    LONG level;
};

// 79 signed 32-bit members: version, header digits 1 to 12, state, pen layout, eight pens.
struct DeviceStatus {
    LONG version;
    LONG header[12];  // header[k - 1] is header digit k
    LONG state;
    LONG penLayout;
    PenStatus pens[kPenCount];
};

static_assert(sizeof(DeviceStatus) == 79 * sizeof(LONG) &&
                  offsetof(DeviceStatus, state) == 13 * sizeof(LONG) &&
                  offsetof(DeviceStatus, pens) == 15 * sizeof(LONG),
              "DeviceStatus record of 79 members");

constexpr LONG kCoverClosed = 8;
constexpr LONG kCoverOpen = 9;

// Walks the ID's key:value; pairs, terminating each value in place. Answers the status value (the
// last "VSTATUS:" or "S:") or null; the model ("MDL:" or "MODEL:") goes to *model when given.
LPSTR SplitDeviceId(LPSTR deviceId, LPSTR* model);
// The text form; answers the number of pen groups (1 or 2).
int ParseVStatus(LPCSTR value, DeviceStatus* status);
// The hexadecimal form; answers 1.
int ParseHexStatus(LPCSTR value, DeviceStatus* status);
