// Byte-level fixtures of the private section and its settings image, written here from the
// format itself (not with the code under test): an encoder and a decoder of images, and a
// section builder that compresses with zlib directly.
#pragma once

#include "common/PrivateDevMode.h"

#include <map>
#include <string>
#include <vector>

namespace blockfixture {

using Bytes = std::vector<BYTE>;
using WString = std::basic_string<WCHAR>;

// Array sizes of the nine kinds, as every image of this build carries them.
constexpr DWORD kCounts[9] = {338, 0, 0, 2052, 24, 0, 136, 82, 51};
constexpr DWORD kHeaderSize = 268;

// Present entries and their values, by kind.
struct Settings {
    std::map<LONG, bool> flags;
    std::map<LONG, LONG> ints;
    std::map<LONG, FLOAT> floats;
    std::map<LONG, LONG> intRefs;
    std::map<LONG, WString> strings;
    std::map<LONG, Bytes> blobs;

    bool operator==(const Settings& other) const;
    bool Empty() const;
};

// The header of an image as the decoder read it.
struct Descriptor {
    DWORD count, presenceLength, presenceOffset, presentCount, valueLength, valueOffset;
};
struct DecodedImage {
    DWORD version = 0;
    DWORD counts[9] = {};
    Descriptor arrays[9] = {};
    DWORD stringHeap = 0, blobHeap = 0, dataLength = 0;
    Settings settings;
};

Bytes EncodeImage(const Settings& settings);
DecodedImage DecodeImage(const Bytes& image);  // fails the test on a malformed image

DWORD Get32(const Bytes& bytes, size_t offset);
void Put32(Bytes& bytes, size_t offset, DWORD value);
// Offsets inside an image.
inline size_t DescriptorField(DWORD kind, DWORD field)
{
    return 40 + 24 * kind + 4 * field;
}
inline size_t DataOffset(DWORD offset)
{
    return kHeaderSize + offset;
}

Bytes Deflate(const Bytes& image);
Bytes Inflate(const BYTE* stream, DWORD streamLength, DWORD imageLength);

// One 6892-byte section.
class Section {
public:
    Section();  // as the default handler makes it: four header fields, zero from +28 on

    PrivateDevMode* Get() { return reinterpret_cast<PrivateDevMode*>(m_bytes.data()); }
    Bytes& Raw() { return m_bytes; }

    // Writes C, U and the stream at +888, N at +884 and both checksums.
    void PutStream(const Bytes& stream, DWORD imageLength);
    void PutImage(const Bytes& image) { PutStream(Deflate(image), static_cast<DWORD>(image.size())); }
    // Recomputes both checksum copies after a test changed the payload.
    void Reseal();
    DWORD Checksum() const;

    // The image the payload holds, inflated here.
    Bytes Image() const;
    DecodedImage Decode() const { return DecodeImage(Image()); }

private:
    Bytes m_bytes;
};

}  // namespace blockfixture
