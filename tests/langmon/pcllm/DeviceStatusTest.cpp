#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include <winspool.h>

#include "langmon/pcllm/DeviceStatus.h"
#include "langmon/pcllm/PortStatus.h"

namespace {

struct Pen {
    LONG colour, kind, condition, flag, level;
};

void ExpectPen(const PenStatus& pen, const Pen& expected, const std::string& label)
{
    EXPECT_EQ(pen.colour, expected.colour) << label;
    EXPECT_EQ(pen.kind, expected.kind) << label;
    EXPECT_EQ(pen.condition, expected.condition) << label;
    EXPECT_EQ(pen.flag, expected.flag) << label;
    EXPECT_EQ(pen.level, expected.level) << label;
}

TEST(DeviceStatusText, ReadsBothLayoutsWithTheirPens)
{
    struct Case {
        const char* value;
        int groups;
        LONG cover, state, cutter;
        Pen pen1, pen2;
    } cases[] = {
        {"$AC2$FC1,ff,DN,IDLE,CUT,K1,C2,SM",
         2,
         kCoverClosed,
         DEVICE_STATE_IDLE,
         8,
         {2, 0, 5, 1, 20},
         {2, 3, 6, 1, 16}},
        {"$AU0,ff,UP,PAJM,CUT,K0,C0,SM", 1, kCoverOpen, DEVICE_STATE_PAJM, 8, {0, 0, 0, 0, 100}, {}},
        // The older layout without a cover: the fields after the state stay where they were, so
        // the cutter reads as absent and pen 2 reads the letter M as its level digit.
        {"$AU0$AU0,ff,PAJM,CUT,K0,C0,SM",
         2,
         kCoverClosed,
         DEVICE_STATE_PAJM,
         9,
         {0, 0, 0, 0, 100},
         {0, 0, 4, 0, 25}},
        {"$HB1$NDF,ff,DN,OOPA,CUT,KF,C0,SM",
         2,
         kCoverClosed,
         DEVICE_STATE_OOPA,
         8,
         {1, 2, 19, 1, 5},
         {3, 1, 0, 1, 100}},
    };
    for (const Case& c : cases) {
        DeviceStatus status;
        EXPECT_EQ(ParseVStatus(c.value, &status), c.groups) << c.value;
        EXPECT_EQ(status.version, 0) << c.value;
        EXPECT_EQ(status.penLayout, c.groups) << c.value;
        EXPECT_EQ(status.header[0], c.cover) << c.value;
        EXPECT_EQ(status.header[6], c.cutter) << c.value;
        EXPECT_EQ(status.state, c.state) << c.value;
        ExpectPen(status.pens[0], c.pen1, std::string(c.value) + " pen 1");
        if (c.groups == 2) {
            ExpectPen(status.pens[1], c.pen2, std::string(c.value) + " pen 2");
        }
    }
}

TEST(DeviceStatusText, FieldsAndWordsOutsideTheTemplate)
{
    DeviceStatus status;
    ParseVStatus("$AU0,ff,DN,WXYZ,CUT,K0,C0,SM", &status);
    EXPECT_EQ(status.state, DEVICE_STATE_IDLE);
    // A short value keeps the template's fields.
    ParseVStatus("$AU0,ff,UP", &status);
    EXPECT_EQ(status.header[0], kCoverOpen);
    EXPECT_EQ(status.state, DEVICE_STATE_IDLE);
    EXPECT_EQ(status.header[2], 0);  // "SM": no duplex unit
    ParseVStatus("$AU0,ff,DN,IDLE,CUT,K0,C0,DU", &status);
    EXPECT_EQ(status.header[2], 8);
    // A pen field far longer than its room: nine characters are read, the rest skipped.
    const std::string longField = "$CB1" + std::string(196, 'X') + ",ff,DN,BNEJ,CUT,K2,C0,SM";
    EXPECT_EQ(ParseVStatus(longField.c_str(), &status), 1);
    EXPECT_EQ(status.state, DEVICE_STATE_BNEJ);
    ExpectPen(status.pens[0], {1, 5, 6, 1, 16}, "long field");
    const std::string longUnended(200, '$');
    EXPECT_EQ(ParseVStatus(longUnended.c_str(), &status), 2);
    EXPECT_EQ(status.state, DEVICE_STATE_IDLE);
}

TEST(DeviceStatusHex, PensByVersion)
{
    // 32-bit word 0xC2A9A5F0: class 3, colour 2, kind 21, condition 1, two-bit 2, flag 1,
    // five-bit 5, level 0xF0.
    const std::string header = "812345678ABCD";  // digits 1 to 12 after the version byte
    const std::string wide = "C2A9A5F0";
    struct Case {
        std::string value;
        LONG version, state, layout;
        int pens;
    } cases[] = {
        {"01" + header.substr(1) + "0E" + "6" + wide + wide + wide + wide + wide + wide, 1, 14, 6, 6},
        {"03" + header.substr(1) + "00" + "15" + "2" + wide + wide, 3, 0x15, 2, 2},
        {"04" + header.substr(1) + "000000" + "09" + "2" + wide + wide, 4, 9, 2, 2},
        {"07" + header.substr(1) + "12" + "2" + wide + wide, 7, 0x12, 2, 2},
    };
    for (const Case& c : cases) {
        DeviceStatus status;
        EXPECT_EQ(ParseHexStatus(c.value.c_str(), &status), 1);
        EXPECT_EQ(status.version, c.version) << c.value;
        EXPECT_EQ(status.header[0], 1) << c.value;
        EXPECT_EQ(status.header[11], 0xD) << c.value;
        EXPECT_EQ(status.state, c.state) << c.value;
        EXPECT_EQ(status.penLayout, c.layout) << c.value;
        for (int pen = 0; pen < kPenCount; ++pen) {
            const PenStatus& read = status.pens[pen];
            if (pen < c.pens) {
                EXPECT_EQ(read.penClass, 3);
                EXPECT_EQ(read.colour, 2);
                EXPECT_EQ(read.kind, 21);
                EXPECT_EQ(read.condition, 1);
                EXPECT_EQ(read.twoBitField, 2);
                EXPECT_EQ(read.flag, 1);
                EXPECT_EQ(read.fiveBitField, 5);
                EXPECT_EQ(read.level, 0xF0) << c.value << " pen " << pen;
            } else {
                EXPECT_EQ(read.penClass, 0) << c.value << " pen " << pen;
            }
        }
    }
}

TEST(DeviceStatusHex, VersionTwoReadsSixteenBitWordsFromPosition17)
{
    // 0x5A32: class 5, condition 5, two-bit 0, level 0x32; the second word 0x1E14.
    const std::string value = "02" + std::string(12, '0') + "00" + "8" + "5A32" + "1E14" + "zz";
    DeviceStatus status;
    ParseHexStatus(value.c_str(), &status);
    EXPECT_EQ(status.penLayout, 8);
    EXPECT_EQ(status.pens[0].penClass, 5);
    EXPECT_EQ(status.pens[0].condition, 5);
    EXPECT_EQ(status.pens[0].level, 0x32);
    EXPECT_EQ(status.pens[0].colour, 0);
    EXPECT_EQ(status.pens[1].penClass, 1);
    EXPECT_EQ(status.pens[1].condition, 7);
    EXPECT_EQ(status.pens[1].twoBitField, 0);
    EXPECT_EQ(status.pens[1].level, 0x14);
    EXPECT_EQ(status.pens[2].penClass, 0);  // "zz" reads as 0, then the text ends
    EXPECT_EQ(status.pens[7].penClass, 0);
}

TEST(DeviceId, SplitsKeysInPlace)
{
    char id[] = "MFG:NIRA;MDL:Inkjet 500;CMD:PCL;S:0100;VSTATUS:$AU0,ff,DN,IDLE;mdl:other;CLS:PRINTER";
    LPSTR model = nullptr;
    LPSTR status = SplitDeviceId(id, &model);
    ASSERT_NE(status, nullptr);
    EXPECT_STREQ(status, "$AU0,ff,DN,IDLE");  // the later status key wins
    ASSERT_NE(model, nullptr);
    EXPECT_STREQ(model, "Inkjet 500");  // keys compare with case

    char noStatus[] = "MFG:NIRA;MODEL:X";
    EXPECT_EQ(SplitDeviceId(noStatus, &model), nullptr);
    EXPECT_STREQ(model, "X");
}

TEST(PortStatusRules, FirstMatchingRuleDecides)
{
    struct Case {
        const char* name;
        LONG cover, state, layout;
        LONG conditions[8];
        LONG levels[8];
        DWORD status, severity;
    } cases[] = {
        {"door open wins over jam", kCoverOpen, DEVICE_STATE_PAJM, 1, {}, {}, PORT_STATUS_DOOR_OPEN, 1},
        {"cleaning", kCoverClosed, DEVICE_STATE_CLNO, 1, {}, {}, PORT_STATUS_DOOR_OPEN, 1},
        {"out of paper", kCoverClosed, DEVICE_STATE_OOPA, 1, {}, {}, PORT_STATUS_PAPER_OUT, 1},
        {"carriage", kCoverClosed, DEVICE_STATE_CARS, 1, {}, {}, PORT_STATUS_PAPER_JAM, 1},
        {"power down", kCoverClosed, DEVICE_STATE_PWDN, 1, {}, {}, PORT_STATUS_OFFLINE, 1},
        {"media", kCoverClosed, DEVICE_STATE_DPMZ, 1, {}, {}, PORT_STATUS_PAPER_PROBLEM, 2},
        {"eject", kCoverClosed, DEVICE_STATE_BNEJ, 1, {}, {}, PORT_STATUS_USER_INTERVENTION, 2},
        {"cancel", kCoverClosed, DEVICE_STATE_CNCL, 1, {}, {}, PORT_STATUS_OFFLINE, 2},
        {"jam hides an empty pen", kCoverClosed, DEVICE_STATE_PAJM, 2, {7}, {}, PORT_STATUS_PAPER_JAM, 1},
        {"empty second pen", kCoverClosed, DEVICE_STATE_PRNT, 2, {0, 7}, {}, PORT_STATUS_NO_TONER, 2},
        {"empty pen needs two groups", kCoverClosed, DEVICE_STATE_IDLE, 1, {0, 7}, {}, 0, 0},
        {"missing extra pen",
         kCoverClosed,
         DEVICE_STATE_BUSY,
         8,
         {0, 0, 0, 0, 0, 0, 3},
         {},
         PORT_STATUS_NO_TONER,
         2},
        {"low first pen", kCoverClosed, DEVICE_STATE_DRYW, 1, {5}, {}, PORT_STATUS_TONER_LOW, 2},
        {"low second pen", kCoverClosed, DEVICE_STATE_IDLE, 2, {0, 6}, {}, PORT_STATUS_TONER_LOW, 2},
        {"six pens, level 10",
         kCoverClosed,
         DEVICE_STATE_IDLE,
         6,
         {},
         {0, 0, 0, 0, 10},
         PORT_STATUS_TONER_LOW,
         2},
        {"six pens, level 20",
         kCoverClosed,
         DEVICE_STATE_IDLE,
         6,
         {},
         {0, 0, 0, 0, 50, 20},
         PORT_STATUS_TONER_LOW,
         2},
        {"six pens, level 21", kCoverClosed, DEVICE_STATE_IDLE, 6, {}, {0, 0, 0, 0, 21, 9}, 0, 0},
        {"eight pens, warning",
         kCoverClosed,
         DEVICE_STATE_IDLE,
         8,
         {0, 0, 0, 0, 0, 0, 0, 2},
         {},
         PORT_STATUS_TONER_LOW,
         2},
        {"eight pens, first four ignored", kCoverClosed, DEVICE_STATE_IDLE, 8, {0, 0, 0, 2}, {}, 0, 0},
        {"idle", kCoverClosed, DEVICE_STATE_IDLE, 2, {}, {100, 100}, 0, 0},
    };
    for (const Case& c : cases) {
        DeviceStatus status{};
        status.header[0] = c.cover;
        status.state = c.state;
        status.penLayout = c.layout;
        for (int pen = 0; pen < kPenCount; ++pen) {
            status.pens[pen].condition = c.conditions[pen];
            status.pens[pen].level = c.levels[pen];
        }
        DWORD portStatus = 99, severity = 99;
        ComputePortStatus(status, &portStatus, &severity);
        EXPECT_EQ(portStatus, c.status) << c.name;
        EXPECT_EQ(severity, c.severity) << c.name;
    }
}

}  // namespace
