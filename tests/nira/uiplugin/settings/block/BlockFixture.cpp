#include "BlockFixture.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string.h>

namespace blockfixture {

namespace {

constexpr DWORD kWidths[9] = {0, 1, 2, 4, 4, 8, 4, 8, 8};
constexpr size_t kPayload = 888;

DWORD PresenceBytes(DWORD count)
{
    return (count + 7) / 8;
}

template <typename Map>
Bytes PresenceOf(const Map& entries, DWORD count)
{
    Bytes bits(PresenceBytes(count), 0);
    for (const auto& entry : entries) {
        bits[entry.first / 8] |= static_cast<BYTE>(1u << (entry.first % 8));
    }
    return bits;
}

template <typename Value>
void Append(Bytes& bytes, const Value& value)
{
    const BYTE* raw = reinterpret_cast<const BYTE*>(&value);
    bytes.insert(bytes.end(), raw, raw + sizeof(value));
}

template <typename Value>
Value Read(const Bytes& bytes, size_t offset)
{
    Value value;
    EXPECT_LE(offset + sizeof(value), bytes.size());
    if (offset + sizeof(value) > bytes.size()) {
        return Value();
    }
    memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

}  // namespace

bool Settings::operator==(const Settings& other) const
{
    return flags == other.flags && ints == other.ints && floats == other.floats && intRefs == other.intRefs &&
           strings == other.strings && blobs == other.blobs;
}

bool Settings::Empty() const
{
    return *this == Settings();
}

DWORD Get32(const Bytes& bytes, size_t offset)
{
    return Read<DWORD>(bytes, offset);
}

void Put32(Bytes& bytes, size_t offset, DWORD value)
{
    memcpy(bytes.data() + offset, &value, sizeof(value));
}

Bytes EncodeImage(const Settings& settings)
{
    // Per kind: presence bits and packed values, laid out in kind order.
    Bytes presence[9];
    Bytes values[9];
    DWORD present[9] = {};
    presence[0] = PresenceOf(settings.flags, kCounts[0]);
    presence[3] = PresenceOf(settings.ints, kCounts[3]);
    presence[4] = PresenceOf(settings.floats, kCounts[4]);
    presence[6] = PresenceOf(settings.intRefs, kCounts[6]);
    presence[7] = PresenceOf(settings.strings, kCounts[7]);
    presence[8] = PresenceOf(settings.blobs, kCounts[8]);

    values[0].assign(PresenceBytes(static_cast<DWORD>(settings.flags.size())), 0);
    for (const auto& flag : settings.flags) {
        if (flag.second) {
            values[0][present[0] / 8] |= static_cast<BYTE>(1u << (present[0] % 8));
        }
        ++present[0];
    }
    for (const auto& value : settings.ints) {
        Append(values[3], value.second);
        ++present[3];
    }
    for (const auto& value : settings.floats) {
        Append(values[4], value.second);
        ++present[4];
    }
    for (const auto& value : settings.intRefs) {
        Append(values[6], value.second);
        ++present[6];
    }
    present[7] = static_cast<DWORD>(settings.strings.size());
    present[8] = static_cast<DWORD>(settings.blobs.size());

    Bytes header(kHeaderSize, 0);
    Put32(header, 0, 0x10000000);
    DWORD offset = 0;
    for (DWORD kind = 0; kind < 9; ++kind) {
        Put32(header, 4 + 4 * kind, kCounts[kind]);
        Put32(header, DescriptorField(kind, 0), kCounts[kind]);
        Put32(header, DescriptorField(kind, 1), PresenceBytes(kCounts[kind]));
        if (!presence[kind].empty()) {
            Put32(header, DescriptorField(kind, 2), offset);
            offset += static_cast<DWORD>(presence[kind].size());
        }
        Put32(header, DescriptorField(kind, 3), present[kind]);
        const DWORD valueLength = kind == 0 ? PresenceBytes(present[0]) : present[kind] * kWidths[kind];
        Put32(header, DescriptorField(kind, 4), valueLength);
        if (present[kind] != 0) {
            Put32(header, DescriptorField(kind, 5), offset);
            offset += valueLength;
        }
    }
    const DWORD stringHeap = offset;
    Bytes heap;
    for (const auto& entry : settings.strings) {
        const DWORD length = static_cast<DWORD>((entry.second.size() + 1) * 2);
        Append(values[7], length);
        Append(values[7], static_cast<DWORD>(stringHeap + heap.size()));
        const BYTE* text = reinterpret_cast<const BYTE*>(entry.second.c_str());
        heap.insert(heap.end(), text, text + length);
    }
    const DWORD blobHeap = stringHeap + static_cast<DWORD>(heap.size());
    for (const auto& entry : settings.blobs) {
        Append(values[8], static_cast<DWORD>(entry.second.size()));
        Append(values[8], static_cast<DWORD>(stringHeap + heap.size()));
        heap.insert(heap.end(), entry.second.begin(), entry.second.end());
    }
    Put32(header, 256, stringHeap);
    Put32(header, 260, blobHeap);
    Put32(header, 264, stringHeap + static_cast<DWORD>(heap.size()));

    Bytes image = header;
    for (DWORD kind = 0; kind < 9; ++kind) {
        image.insert(image.end(), presence[kind].begin(), presence[kind].end());
        image.insert(image.end(), values[kind].begin(), values[kind].end());
    }
    image.insert(image.end(), heap.begin(), heap.end());
    return image;
}

DecodedImage DecodeImage(const Bytes& image)
{
    DecodedImage decoded;
    if (image.size() < kHeaderSize) {
        ADD_FAILURE() << "image shorter than its header";
        return decoded;
    }
    decoded.version = Get32(image, 0);
    for (DWORD kind = 0; kind < 9; ++kind) {
        decoded.counts[kind] = Get32(image, 4 + 4 * kind);
        Descriptor& d = decoded.arrays[kind];
        d.count = Get32(image, DescriptorField(kind, 0));
        d.presenceLength = Get32(image, DescriptorField(kind, 1));
        d.presenceOffset = Get32(image, DescriptorField(kind, 2));
        d.presentCount = Get32(image, DescriptorField(kind, 3));
        d.valueLength = Get32(image, DescriptorField(kind, 4));
        d.valueOffset = Get32(image, DescriptorField(kind, 5));
    }
    decoded.stringHeap = Get32(image, 256);
    decoded.blobHeap = Get32(image, 260);
    decoded.dataLength = Get32(image, 264);
    EXPECT_EQ(image.size(), kHeaderSize + decoded.dataLength);

    for (DWORD kind = 0; kind < 9; ++kind) {
        const Descriptor& d = decoded.arrays[kind];
        DWORD rank = 0;
        for (DWORD index = 0; index < d.count; ++index) {
            const BYTE bits = image[DataOffset(d.presenceOffset) + index / 8];
            if ((bits >> (index % 8) & 1) == 0) {
                continue;
            }
            const size_t at = DataOffset(d.valueOffset) + rank * kWidths[kind];
            const LONG key = static_cast<LONG>(index);
            switch (kind) {
            case 0:
                decoded.settings.flags[key] =
                    (image[DataOffset(d.valueOffset) + rank / 8] >> (rank % 8) & 1) != 0;
                break;
            case 3:
                decoded.settings.ints[key] = Read<LONG>(image, at);
                break;
            case 4:
                decoded.settings.floats[key] = Read<FLOAT>(image, at);
                break;
            case 6:
                decoded.settings.intRefs[key] = Read<LONG>(image, at);
                break;
            case 7: {
                const DWORD length = Read<DWORD>(image, at);
                const DWORD offset = Read<DWORD>(image, at + 4);
                WString text(length / 2 - 1, 0);
                memcpy(&text[0], image.data() + DataOffset(offset), text.size() * 2);
                EXPECT_EQ(Read<WORD>(image, DataOffset(offset) + length - 2), 0)
                    << "terminator of string " << index;
                decoded.settings.strings[key] = text;
                break;
            }
            case 8: {
                const DWORD length = Read<DWORD>(image, at);
                const DWORD offset = Read<DWORD>(image, at + 4);
                const BYTE* bytes = image.data() + DataOffset(offset);
                decoded.settings.blobs[key] = Bytes(bytes, bytes + length);
                break;
            }
            default:
                ADD_FAILURE() << "entry present in kind " << kind;
            }
            ++rank;
        }
        EXPECT_EQ(rank, d.presentCount) << "present count of kind " << kind;
    }
    return decoded;
}

Bytes Deflate(const Bytes& image)
{
    uLongf length = compressBound(static_cast<uLong>(image.size()));
    Bytes stream(length);
    EXPECT_EQ(compress2(stream.data(), &length, image.data(), static_cast<uLong>(image.size()), 9), Z_OK);
    stream.resize(length);
    return stream;
}

Bytes Inflate(const BYTE* stream, DWORD streamLength, DWORD imageLength)
{
    Bytes image(imageLength);
    uLongf length = imageLength;
    EXPECT_EQ(uncompress(image.data(), &length, stream, streamLength), Z_OK);
    EXPECT_EQ(length, imageLength);
    return image;
}

Section::Section() : m_bytes(kPrivateDevmodeSize, 0)
{
    const BYTE header[28] = {0xEC, 0x1A, 0x00, 0x00, 0x49, 0x55, 0x51, 0x5A, 0x01, 0x00,
                             0x12, 0x00, 0x1F, 0xA8, 0x33, 0x04, 0xC2, 0x2F, 0x4B, 0x43,
                             0xA0, 0x6A, 0x7D, 0x08, 0x28, 0xD0, 0xD3, 0x21};
    memcpy(m_bytes.data(), header, sizeof(header));
}

void Section::PutStream(const Bytes& stream, DWORD imageLength)
{
    ASSERT_LE(stream.size(), 5992u);
    Put32(m_bytes, kPayload, static_cast<DWORD>(stream.size()));
    Put32(m_bytes, kPayload + 4, imageLength);
    memcpy(m_bytes.data() + kPayload + 8, stream.data(), stream.size());
    Put32(m_bytes, 884, static_cast<DWORD>(stream.size()) + 8);
    Reseal();
}

DWORD Section::Checksum() const
{
    const DWORD n = Get32(m_bytes, 884);
    DWORD sum = n;
    for (DWORD i = 0; i < n && i < 6000; ++i) {
        sum += m_bytes[kPayload + i];
    }
    return sum;
}

void Section::Reseal()
{
    Put32(m_bytes, 100, Checksum());
    Put32(m_bytes, 6888, Checksum());
}

Bytes Section::Image() const
{
    const DWORD c = Get32(m_bytes, kPayload);
    const DWORD u = Get32(m_bytes, kPayload + 4);
    EXPECT_LE(c, 5992u);
    EXPECT_EQ(Get32(m_bytes, 884), c + 8);
    return Inflate(m_bytes.data() + kPayload + 8, c, u);
}

}  // namespace blockfixture
