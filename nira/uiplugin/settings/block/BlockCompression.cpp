#include "nira/uiplugin/settings/block/BlockCompression.h"

#include "common/NiraException.h"

#include <zlib.h>

#include <new>

namespace {

// The zlib version the block format was written with; zlib accepts any 1.x caller.
const char* const kBlockZlibVersion = "1.1.3";
constexpr int kBlockCompressionLevel = 9;

// A zlib stream record on the heap, ended and freed on every path.
class CZlibStream {
public:
    explicit CZlibStream(bool deflating) : m_stream(new(std::nothrow) z_stream()), m_deflating(deflating)
    {
        if (m_stream == nullptr) {
            throw CNiraException(ERROR_NOT_ENOUGH_MEMORY);
        }
        m_stream->zalloc = Z_NULL;
        m_stream->zfree = Z_NULL;
        m_stream->opaque = Z_NULL;
    }
    ~CZlibStream()
    {
        if (m_started) {
            if (m_deflating) {
                deflateEnd(m_stream);
            } else {
                inflateEnd(m_stream);
            }
        }
        delete m_stream;
    }
    CZlibStream(const CZlibStream&) = delete;
    CZlibStream& operator=(const CZlibStream&) = delete;

    z_stream* Get() { return m_stream; }
    void Started() { m_started = true; }

private:
    z_stream* m_stream;
    bool m_deflating;
    bool m_started = false;
};

}  // namespace

DWORD DeflateSettingsImage(const BYTE* image, DWORD imageLength, BYTE* stream, DWORD room)
{
    CZlibStream record(true);
    z_stream* z = record.Get();
    if (deflateInit_(z, kBlockCompressionLevel, kBlockZlibVersion, static_cast<int>(sizeof(z_stream))) !=
        Z_OK) {
        throw CNiraException(ERROR_INVALID_DATA);
    }
    record.Started();
    z->next_in = const_cast<Bytef*>(image);
    z->avail_in = imageLength;
    z->next_out = stream;
    z->avail_out = room;
    const int result = deflate(z, Z_FINISH);
    if (result != Z_STREAM_END) {
        throw CNiraException(ERROR_INVALID_DATA);  // a zlib failure, or the stream does not fit
    }
    if (z->avail_in != 0) {
        throw CNiraException(ERROR_NOT_ENOUGH_MEMORY);
    }
    return room - z->avail_out;
}

void InflateSettingsImage(const BYTE* stream, DWORD streamLength, BYTE* image, DWORD imageLength)
{
    CZlibStream record(false);
    z_stream* z = record.Get();
    if (inflateInit_(z, kBlockZlibVersion, static_cast<int>(sizeof(z_stream))) != Z_OK) {
        throw CNiraException(ERROR_INVALID_DATA);
    }
    record.Started();
    z->next_in = const_cast<Bytef*>(stream);
    z->avail_in = streamLength;
    z->next_out = image;
    z->avail_out = imageLength;
    // The whole stream must end within this one call and fill the image exactly.
    if (inflate(z, Z_NO_FLUSH) != Z_STREAM_END || z->avail_out != 0) {
        throw CNiraException(ERROR_INVALID_DATA);
    }
}
