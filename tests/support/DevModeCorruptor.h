// Damaged DEVMODEs for the stress runs: each starts from a valid DEVMODE of the sample printer and
// gets one damage chosen by a seeded generator, so that a seed always gives the same sequence. The
// buffer handed out always holds exactly the dmSize + dmDriverExtra bytes it claims (at least the
// fixed fields up to dmDriverExtra): a caller that lies about its buffer cannot be served by any
// driver, so only what the bytes say is damaged.
#pragma once

#include <windows.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

enum class DevModeDamage {
    None,              // handed on intact
    BitFlipped,        // one bit anywhere
    ByteSet,           // one byte anywhere set to a chosen value
    PublicSizeBent,    // dmSize too small, too large or odd
    ExtraSizeBent,     // dmDriverExtra too small, too large or odd
    SectionSizeBent,   // a size inside the private section (its own, packed, stream, image)
    SectionResealed,   // a section size bent, both checksums made to match again
    ContentsResealed,  // packed settings damaged, both checksums made to match again
    CutShort,          // the buffer cut, its sizes claiming just what is left
    ForeignArea,       // the private area replaced by another driver's bytes
    ForeignSignature,  // the section's signature of another driver
    ForeignGuid,       // the section's GUID of another driver
    WildPublicFields,  // public fields set to values out of their ranges
};

const char* DevModeDamageName(DevModeDamage damage);

struct DamagedDevMode {
    std::vector<BYTE> bytes;
    DevModeDamage damage = DevModeDamage::None;
    std::string detail;  // where and how, e.g. "byte 1200 set to 0xFF"
};

class CDevModeCorruptor {
public:
    explicit CDevModeCorruptor(std::uint64_t seed);

    // One damaged copy of a valid DEVMODE (dmSize + dmDriverExtra bytes); about one in eight is
    // handed on intact.
    DamagedDevMode Damage(const std::vector<BYTE>& valid);
    // A number below count from the same generator (count > 0).
    size_t Pick(size_t count);

private:
    void FlipBit(DamagedDevMode& out);
    void SetByte(DamagedDevMode& out);
    void BendPublicSize(DamagedDevMode& out);
    void BendExtraSize(DamagedDevMode& out);
    bool BendSectionSize(DamagedDevMode& out);
    bool DamageContents(DamagedDevMode& out);
    void CutShort(DamagedDevMode& out);
    void ReplaceArea(DamagedDevMode& out);
    bool ForeignHeader(DamagedDevMode& out, bool signature);
    void WildPublicFields(DamagedDevMode& out);
    DWORD PickValue(const std::vector<DWORD>& interesting);

    std::mt19937_64 m_random;
};

// The size a DEVMODE's bytes claim, dmSize + dmDriverExtra; 0 when fewer bytes than the fixed
// fields up to dmDriverExtra.
size_t ClaimedDevModeSize(const std::vector<BYTE>& bytes);
