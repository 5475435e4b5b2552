// Packing and unpacking the private settings block, with a full block set and with a few settings,
// beside zlib alone deflating and inflating the same settings image with the same parameters.
#include "nira/uiplugin/foundation/strings/NiraString.h"
#include "nira/uiplugin/settings/block/PackedSettingsBlock.h"
#include "nira/uiplugin/settings/block/SettingsLibrary.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <string>
#include <vector>

namespace {

void FillLetterPage(INiraSettingsAccess& owner);

// Every setting of the block set, with values of their own, and a letter page.
void FillFullBlockSet(INiraSettingsAccess& owner)
{
    LONG n = 0;
    for (const BlockSettingsRow& row : BlockSettingsTable) {
        ++n;
        switch (row.kind) {
        case SETTING_ARRAY_FLAG:
            owner.SetFlag(row.index, n % 3 != 0 ? 1 : 0, 0);
            break;
        case SETTING_ARRAY_INT:
            owner.SetInt(row.index, n * 1000 - 7, 0);
            break;
        case SETTING_ARRAY_FLOAT:
            owner.SetFloat(row.index, static_cast<FLOAT>(n) / 8.0f, 0);
            break;
        case SETTING_ARRAY_INT_REF: {
            const LONG value = -n;
            owner.SetIntRef(row.index, &value, 0);
            break;
        }
        case SETTING_ARRAY_STRING: {
            std::basic_string<WCHAR> text(static_cast<size_t>(n % 40), static_cast<WCHAR>('A' + n % 26));
            CNiraString value(text.c_str());
            owner.SetString(row.index, &value, 0);
            break;
        }
        case SETTING_ARRAY_BLOB: {
            std::vector<BYTE> bytes(static_cast<size_t>(1 + n * 3), static_cast<BYTE>(n));
            owner.SetBlob(row.index, bytes.data(), static_cast<DWORD>(bytes.size()), 0);
            break;
        }
        default:
            break;
        }
    }
    ForEachBlockRangeIndex([&owner](LONG index) { owner.SetInt(index, index % 97, 0); });
    FillLetterPage(owner);
}

// A letter page at 600 dots per inch: what a section carries when little else was chosen.
void FillLetterPage(INiraSettingsAccess& owner)
{
    const LONG portrait = 1;
    owner.SetIntRef(5, &portrait, 0);
    const FLOAT page[6] = {8.5f, 11.0f, 0.125f, 0.125f, 0.125f, 0.5f};
    for (LONG i = 0; i < 6; ++i) {
        owner.SetFloat(10 + i, page[i], 0);
    }
    owner.SetInt(1920, 600, 0);
    owner.SetInt(1921, 600, 0);
}

typedef void (*FillOwner)(INiraSettingsAccess& owner);

// One simulated machine serves both sets.
CSettingsLibrary& Library()
{
    static CSettingsLibrary library;
    return library;
}

struct PackedSet {
    CSettingsLibrary& library = Library();
    INiraSettingsAccess* owner = nullptr;
    CNiraBlockPacker* packer = nullptr;
    std::vector<BYTE> section = std::vector<BYTE>(kPrivateDevmodeSize, 0);
    std::vector<BYTE> image;

    explicit PackedSet(FillOwner fill)
    {
        owner = library.NewOwner();
        fill(*owner);
        packer = library.NewPacker();
        packer->Attach(owner);
        packer->SetTarget(Section());
        if (packer->UpdateAll() != TRUE) {
            return;
        }
        const PackedSettingsPayload& payload = Section()->payload;
        image.resize(payload.imageLength);
        uLongf length = payload.imageLength;
        uncompress(image.data(), &length, payload.stream, payload.compressedLength);
    }
    ~PackedSet()
    {
        packer->Release();
        owner->Release();
    }
    PrivateDevMode* Section() { return reinterpret_cast<PrivateDevMode*>(section.data()); }
};

enum SetSize { FULL_BLOCK_SET, FEW_SETTINGS };

PackedSet& Shared(SetSize size)
{
    static PackedSet full(FillFullBlockSet);
    static PackedSet few(FillLetterPage);
    return size == FULL_BLOCK_SET ? full : few;
}

void BM_Pack(benchmark::State& state, SetSize size)
{
    PackedSet& set = Shared(size);
    for (auto _ : state) {
        if (set.packer->UpdateAll() != TRUE) {
            state.SkipWithError("pack failed");
            break;
        }
    }
    state.counters["image_bytes"] = static_cast<double>(set.image.size());
    state.counters["stream_bytes"] = static_cast<double>(set.Section()->payload.compressedLength);
}

void BM_Unpack(benchmark::State& state, SetSize size)
{
    PackedSet& set = Shared(size);
    INiraSettingsAccess* owner = set.library.NewOwner();
    CNiraBlockUnpacker* unpacker = set.library.NewUnpacker();
    unpacker->Attach(owner);
    for (auto _ : state) {
        if (unpacker->SetTarget(set.Section()) != TRUE || unpacker->UpdateAll() != TRUE) {
            state.SkipWithError("unpack failed");
            break;
        }
    }
    unpacker->Release();
    owner->Release();
}

// zlib alone: the image deflated with the packer's parameters into the same room.
void BM_ZlibDeflate(benchmark::State& state, SetSize size)
{
    const std::vector<BYTE>& image = Shared(size).image;
    std::vector<BYTE> stream(kPackedStreamRoom);
    for (auto _ : state) {
        z_stream z{};
        deflateInit(&z, 9);
        z.next_in = const_cast<Bytef*>(image.data());
        z.avail_in = static_cast<uInt>(image.size());
        z.next_out = stream.data();
        z.avail_out = static_cast<uInt>(stream.size());
        if (deflate(&z, Z_FINISH) != Z_STREAM_END) {
            state.SkipWithError("deflate failed");
        }
        deflateEnd(&z);
        benchmark::DoNotOptimize(stream.data());
    }
}

void BM_ZlibInflate(benchmark::State& state, SetSize size)
{
    PackedSet& set = Shared(size);
    const PackedSettingsPayload& payload = set.Section()->payload;
    std::vector<BYTE> image(payload.imageLength);
    for (auto _ : state) {
        uLongf length = payload.imageLength;
        if (uncompress(image.data(), &length, payload.stream, payload.compressedLength) != Z_OK) {
            state.SkipWithError("inflate failed");
        }
        benchmark::DoNotOptimize(image.data());
    }
}

}  // namespace

BENCHMARK_CAPTURE(BM_Pack, FullBlockSet, FULL_BLOCK_SET);
BENCHMARK_CAPTURE(BM_ZlibDeflate, FullBlockSet, FULL_BLOCK_SET);
BENCHMARK_CAPTURE(BM_Unpack, FullBlockSet, FULL_BLOCK_SET);
BENCHMARK_CAPTURE(BM_ZlibInflate, FullBlockSet, FULL_BLOCK_SET);
BENCHMARK_CAPTURE(BM_Pack, FewSettings, FEW_SETTINGS);
BENCHMARK_CAPTURE(BM_ZlibDeflate, FewSettings, FEW_SETTINGS);
BENCHMARK_CAPTURE(BM_Unpack, FewSettings, FEW_SETTINGS);
BENCHMARK_CAPTURE(BM_ZlibInflate, FewSettings, FEW_SETTINGS);

BENCHMARK_MAIN();
