#include "support/DevModeCorruptor.h"

#include "common/PrivateDevMode.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>

namespace {

// The fixed fields every reader needs before it can trust the sizes: up to dmDriverExtra.
constexpr size_t kFixedFieldsEnd = offsetof(DEVMODEW, dmDriverExtra) + sizeof(WORD);
constexpr size_t kIntactOneIn = 8;
constexpr int kDamageKinds = static_cast<int>(DevModeDamage::WildPublicFields);
constexpr size_t kMaxDamagedBytes = 4;
constexpr size_t kLargestForeignArea = 9000;
constexpr size_t kMaxWildFields = 4;

const char* const kDamageNames[] = {"intact",
                                    "bit flipped",
                                    "byte set",
                                    "dmSize bent",
                                    "dmDriverExtra bent",
                                    "section size bent",
                                    "section size bent and resealed",
                                    "settings damaged and resealed",
                                    "cut short",
                                    "another driver's private area",
                                    "another driver's signature",
                                    "another driver's GUID",
                                    "public fields out of range"};
static_assert(sizeof(kDamageNames) / sizeof(kDamageNames[0]) == kDamageKinds + 1, "a name per damage");

std::string Detail(const char* format, unsigned long a, unsigned long b = 0)
{
    char text[96];
    std::snprintf(text, sizeof(text), format, a, b);
    return text;
}

WORD ReadWord(const std::vector<BYTE>& bytes, size_t offset)
{
    WORD value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

void WriteWord(std::vector<BYTE>& bytes, size_t offset, WORD value)
{
    std::memcpy(bytes.data() + offset, &value, sizeof(value));
}

// The section that ends the private area, when the area is large enough to hold one.
PrivateDevMode* SectionAtEnd(std::vector<BYTE>& bytes)
{
    const size_t claimed = ClaimedDevModeSize(bytes);
    const WORD extra = ReadWord(bytes, offsetof(DEVMODEW, dmDriverExtra));
    if (claimed == 0 || claimed > bytes.size() || extra < kPrivateDevmodeSize) {
        return nullptr;
    }
    return reinterpret_cast<PrivateDevMode*>(bytes.data() + claimed - kPrivateDevmodeSize);
}

void Reseal(PrivateDevMode* section)
{
    const DWORD checksum = ComputeBlockChecksum(section);
    section->checksum = checksum;
    section->checksumCopy = checksum;
}

}  // namespace

const char* DevModeDamageName(DevModeDamage damage)
{
    const int index = static_cast<int>(damage);
    return index >= 0 && index <= kDamageKinds ? kDamageNames[index] : "unknown";
}

size_t ClaimedDevModeSize(const std::vector<BYTE>& bytes)
{
    if (bytes.size() < kFixedFieldsEnd) {
        return 0;
    }
    return static_cast<size_t>(ReadWord(bytes, offsetof(DEVMODEW, dmSize))) +
           ReadWord(bytes, offsetof(DEVMODEW, dmDriverExtra));
}

CDevModeCorruptor::CDevModeCorruptor(std::uint64_t seed) : m_random(seed) {}

size_t CDevModeCorruptor::Pick(size_t count)
{
    return std::uniform_int_distribution<size_t>(0, count - 1)(m_random);
}

DWORD CDevModeCorruptor::PickValue(const std::vector<DWORD>& interesting)
{
    // One pick in four is any value at all.
    if (Pick(4) == 0) {
        return static_cast<DWORD>(m_random());
    }
    return interesting[Pick(interesting.size())];
}

DamagedDevMode CDevModeCorruptor::Damage(const std::vector<BYTE>& valid)
{
    DamagedDevMode out;
    out.bytes = valid;
    if (out.bytes.size() < kFixedFieldsEnd || Pick(kIntactOneIn) == 0) {
        out.detail = "as it was";
        return out;
    }
    out.damage = static_cast<DevModeDamage>(1 + Pick(kDamageKinds));
    bool damaged = true;
    switch (out.damage) {
    case DevModeDamage::BitFlipped:
        FlipBit(out);
        break;
    case DevModeDamage::ByteSet:
        SetByte(out);
        break;
    case DevModeDamage::PublicSizeBent:
        BendPublicSize(out);
        break;
    case DevModeDamage::ExtraSizeBent:
        BendExtraSize(out);
        break;
    case DevModeDamage::SectionSizeBent:
    case DevModeDamage::SectionResealed:
        damaged = BendSectionSize(out);
        break;
    case DevModeDamage::ContentsResealed:
        damaged = DamageContents(out);
        break;
    case DevModeDamage::CutShort:
        CutShort(out);
        break;
    case DevModeDamage::ForeignArea:
        ReplaceArea(out);
        break;
    case DevModeDamage::ForeignSignature:
    case DevModeDamage::ForeignGuid:
        damaged = ForeignHeader(out, out.damage == DevModeDamage::ForeignSignature);
        break;
    case DevModeDamage::WildPublicFields:
        WildPublicFields(out);
        break;
    case DevModeDamage::None:
        break;
    }
    // No section to damage, or a value bent to what it was: a bit of the DEVMODE instead.
    if (!damaged || out.bytes == valid) {
        out.damage = DevModeDamage::BitFlipped;
        FlipBit(out);
    }
    // A bit or byte of the sizes may claim more than there is: the buffer grows to hold it.
    out.bytes.resize(std::max(ClaimedDevModeSize(out.bytes), out.bytes.size()), 0);
    return out;
}

void CDevModeCorruptor::FlipBit(DamagedDevMode& out)
{
    const size_t at = Pick(out.bytes.size());
    const unsigned bit = static_cast<unsigned>(Pick(8));
    out.bytes[at] ^= static_cast<BYTE>(1u << bit);
    out.detail = Detail("bit %lu of byte %lu", bit, at);
}

void CDevModeCorruptor::SetByte(DamagedDevMode& out)
{
    const size_t at = Pick(out.bytes.size());
    const BYTE value = static_cast<BYTE>(PickValue({0x00, 0xFF, 0x7F, 0x80, 0x01}));
    out.bytes[at] = value;
    out.detail = Detail("byte %lu set to 0x%02lX", at, value);
}

void CDevModeCorruptor::BendPublicSize(DamagedDevMode& out)
{
    const WORD size = ReadWord(out.bytes, offsetof(DEVMODEW, dmSize));
    const WORD bent = static_cast<WORD>(
        PickValue({0, 1, kFixedFieldsEnd - 1, kFixedFieldsEnd, 156, 188, sizeof(DEVMODEW) - 1u,
                   sizeof(DEVMODEW) + 1u, size - 2u, size + 2u, 0x7FFF, 0xFFFF}));
    WriteWord(out.bytes, offsetof(DEVMODEW, dmSize), bent);
    out.detail = Detail("dmSize %lu instead of %lu", bent, size);
}

void CDevModeCorruptor::BendExtraSize(DamagedDevMode& out)
{
    const WORD extra = ReadWord(out.bytes, offsetof(DEVMODEW, dmDriverExtra));
    const WORD bent = static_cast<WORD>(
        PickValue({0, 1, kPrivateDevmodeSize - 1u, kPrivateDevmodeSize, kPrivateDevmodeSize + 1u, extra - 1u,
                   extra + 1u, extra + 4u, 0x7FFF, 0xFFFF}));
    WriteWord(out.bytes, offsetof(DEVMODEW, dmDriverExtra), bent);
    out.detail = Detail("dmDriverExtra %lu instead of %lu", bent, extra);
}

bool CDevModeCorruptor::BendSectionSize(DamagedDevMode& out)
{
    PrivateDevMode* section = SectionAtEnd(out.bytes);
    if (section == nullptr) {
        return false;
    }
    struct Field {
        const char* name;
        size_t offset;
    };
    const Field fields[] = {
        {"section size", offsetof(PrivateDevMode, size)},
        {"packed length", offsetof(PrivateDevMode, packedLength)},
        {"stream length",
         offsetof(PrivateDevMode, payload) + offsetof(PackedSettingsPayload, compressedLength)},
        {"image length", offsetof(PrivateDevMode, payload) + offsetof(PackedSettingsPayload, imageLength)},
    };
    const Field& field = fields[Pick(sizeof(fields) / sizeof(fields[0]))];
    BYTE* at = reinterpret_cast<BYTE*>(section) + field.offset;
    DWORD value = 0;
    std::memcpy(&value, at, sizeof(value));
    const DWORD bent = PickValue({0, 1, 7, 8, kPackedStreamRoom, kPackedStreamRoom + 1, kPackedPayloadSize,
                                  kPackedPayloadSize + 1, kPackedPayloadSize + 8, kPrivateDevmodeSize,
                                  value - 1, value + 1, 0x7FFFFFFF, 0xFFFFFFFF});
    std::memcpy(at, &bent, sizeof(bent));
    if (out.damage == DevModeDamage::SectionResealed) {
        Reseal(section);
    }
    out.detail = std::string(field.name) + Detail(" %lu instead of %lu", bent, value);
    return true;
}

bool CDevModeCorruptor::DamageContents(DamagedDevMode& out)
{
    PrivateDevMode* section = SectionAtEnd(out.bytes);
    if (section == nullptr) {
        return false;
    }
    // Within the packed bytes when there are any, else anywhere in the payload.
    const DWORD packed = section->packedLength;
    const size_t span = packed > 0 && packed <= kPackedPayloadSize ? packed : kPackedPayloadSize;
    BYTE* payload = reinterpret_cast<BYTE*>(&section->payload);
    const size_t count = 1 + Pick(kMaxDamagedBytes);
    size_t first = span;
    for (size_t i = 0; i < count; ++i) {
        const size_t at = Pick(span);
        payload[at] = static_cast<BYTE>(m_random());
        first = std::min(first, at);
    }
    Reseal(section);
    out.detail = Detail("%lu bytes of the packed settings from %lu", count, first);
    return true;
}

void CDevModeCorruptor::CutShort(DamagedDevMode& out)
{
    const size_t claimed = std::min(ClaimedDevModeSize(out.bytes), out.bytes.size());
    if (claimed <= kFixedFieldsEnd) {
        FlipBit(out);
        return;
    }
    const size_t length = kFixedFieldsEnd + Pick(claimed - kFixedFieldsEnd);
    const WORD size = ReadWord(out.bytes, offsetof(DEVMODEW, dmSize));
    if (length <= size) {
        WriteWord(out.bytes, offsetof(DEVMODEW, dmSize), static_cast<WORD>(length));
        WriteWord(out.bytes, offsetof(DEVMODEW, dmDriverExtra), 0);
    } else {
        WriteWord(out.bytes, offsetof(DEVMODEW, dmDriverExtra), static_cast<WORD>(length - size));
    }
    out.bytes.resize(length);
    out.detail = Detail("%lu of %lu bytes", length, claimed);
}

void CDevModeCorruptor::ReplaceArea(DamagedDevMode& out)
{
    const WORD size = std::max<WORD>(ReadWord(out.bytes, offsetof(DEVMODEW, dmSize)), kFixedFieldsEnd);
    const size_t area = PickValue({0, 16, 100, kPrivateDevmodeSize - 1u, kPrivateDevmodeSize,
                                   kPrivateDevmodeSize + 8u, kLargestForeignArea}) %
                        (kLargestForeignArea + 1);
    out.bytes.resize(size + area);
    for (size_t i = size; i < out.bytes.size(); ++i) {
        out.bytes[i] = static_cast<BYTE>(m_random());
    }
    // Half of them end like a section of this driver, as another driver's copy of one would.
    if (area >= kPrivateDevmodeSize && Pick(2) == 0) {
        auto* section =
            reinterpret_cast<PrivateDevMode*>(out.bytes.data() + out.bytes.size() - kPrivateDevmodeSize);
        section->size = kPrivateDevmodeSize;
        section->signature = kPrivateDevmodeSignature;
        section->sectionGuid = kPrivateDevmodeGuid;
    }
    WriteWord(out.bytes, offsetof(DEVMODEW, dmSize), size);
    WriteWord(out.bytes, offsetof(DEVMODEW, dmDriverExtra), static_cast<WORD>(area));
    out.detail = Detail("%lu bytes", area);
}

bool CDevModeCorruptor::ForeignHeader(DamagedDevMode& out, bool signature)
{
    PrivateDevMode* section = SectionAtEnd(out.bytes);
    if (section == nullptr) {
        return false;
    }
    if (signature) {
        section->signature = PickValue({0, 0x5A515548, 0x49555158, 0xFFFFFFFF});
        out.detail = Detail("signature 0x%08lX", section->signature);
    } else {
        const size_t at = Pick(sizeof(GUID));
        reinterpret_cast<BYTE*>(&section->sectionGuid)[at] ^= static_cast<BYTE>(1 + Pick(255));
        out.detail = Detail("GUID byte %lu changed", at);
    }
    return true;
}

void CDevModeCorruptor::WildPublicFields(DamagedDevMode& out)
{
    struct Field {
        const char* name;
        size_t offset;
        size_t size;
        std::vector<DWORD> values;
        bool anyValue = true;  // also a value from the whole range
    };
    const std::vector<Field> fields = {
        {"dmSpecVersion", offsetof(DEVMODEW, dmSpecVersion), 2, {0, 0x0300, 0x0402, 0xFFFF}},
        {"dmFields",
         offsetof(DEVMODEW, dmFields),
         4,
         {0, 0xFFFFFFFF, DM_PAPERSIZE, DM_PAPERLENGTH | DM_PAPERWIDTH}},
        {"dmOrientation", offsetof(DEVMODEW, dmOrientation), 2, {0, 3, 0xFFFF, 0x7FFF}},
        {"dmPaperSize", offsetof(DEVMODEW, dmPaperSize), 2, {0, 0xFFFF, 0x7FFF, 256, 1000, 118, 119}},
        {"dmPaperLength", offsetof(DEVMODEW, dmPaperLength), 2, {0, 1, 0xFFFF, 0x7FFF}},
        {"dmPaperWidth", offsetof(DEVMODEW, dmPaperWidth), 2, {0, 1, 0xFFFF, 0x7FFF}},
        {"dmScale", offsetof(DEVMODEW, dmScale), 2, {0, 0xFFFF, 1000, 0x7FFF}},
        // Negative and zero copies only: many copies are a long job, not a damage.
        {"dmCopies", offsetof(DEVMODEW, dmCopies), 2, {0, 0xFFFF, 0x8000}, false},
        {"dmDefaultSource", offsetof(DEVMODEW, dmDefaultSource), 2, {0, 0xFFFF, 256, 0x7FFF}},
        {"dmPrintQuality", offsetof(DEVMODEW, dmPrintQuality), 2, {0, 0xFFFB, 0xFFFF, 0x7FFF, 1}},
        {"dmColor", offsetof(DEVMODEW, dmColor), 2, {0, 3, 0xFFFF}},
        {"dmDuplex", offsetof(DEVMODEW, dmDuplex), 2, {0, 4, 0xFFFF}},
        {"dmYResolution", offsetof(DEVMODEW, dmYResolution), 2, {0, 0xFFFF, 0x7FFF}},
        {"dmCollate", offsetof(DEVMODEW, dmCollate), 2, {2, 0xFFFF}},
        {"dmFormName", offsetof(DEVMODEW, dmFormName), CCHFORMNAME * sizeof(WCHAR), {'A', 0xFFFF, 0xD800}},
        {"dmDeviceName", offsetof(DEVMODEW, dmDeviceName), CCHDEVICENAME * sizeof(WCHAR), {'Z', 0xDC00}},
        {"dmNup", offsetof(DEVMODEW, dmNup), 4, {0, 3, 0xFFFFFFFF}},
        {"dmICMMethod", offsetof(DEVMODEW, dmICMMethod), 4, {0, 5, 0xFFFFFFFF, 256}},
        {"dmICMIntent", offsetof(DEVMODEW, dmICMIntent), 4, {0, 5, 0xFFFFFFFF, 256}},
        {"dmMediaType", offsetof(DEVMODEW, dmMediaType), 4, {0, 4, 0xFFFFFFFF, 256, 0x7FFFFFFF}},
        {"dmDitherType", offsetof(DEVMODEW, dmDitherType), 4, {0, 10, 0xFFFFFFFF, 256}},
    };
    const size_t count = 1 + Pick(kMaxWildFields);
    out.detail.clear();
    for (size_t i = 0; i < count; ++i) {
        const Field& field = fields[Pick(fields.size())];
        if (field.offset + field.size > out.bytes.size()) {
            continue;
        }
        const DWORD value =
            field.anyValue ? PickValue(field.values) : field.values[Pick(field.values.size())];
        if (field.size > sizeof(DWORD)) {  // a name filled to its end, without a terminating zero
            const WORD unit = static_cast<WORD>(value == 0 ? 1 : value);
            for (size_t at = field.offset; at < field.offset + field.size; at += sizeof(WORD)) {
                WriteWord(out.bytes, at, unit);
            }
        } else {
            std::memcpy(out.bytes.data() + field.offset, &value, field.size);
        }
        out.detail += (out.detail.empty() ? "" : ", ") + std::string(field.name) + Detail(" 0x%lX", value);
    }
    if (out.detail.empty()) {
        FlipBit(out);
    }
}
