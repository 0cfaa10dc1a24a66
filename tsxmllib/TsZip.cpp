#include "tsxmllib/TsZip.h"

#include "tsxmllib/FormatString.h"
#include "tsxmllib/TsException.h"

#include <zlib.h>

#include <climits>
#include <memory>

namespace TsXmlLib16 {

namespace {
constexpr int kLevel = 1;
constexpr int kGzipWindowBits = 15 + 16;
// Either wrapper is recognised from the stream header.
constexpr int kAutoWindowBits = 15 + 32;
constexpr int kMemLevel = 8;
constexpr unsigned kInflateWindow = 65536;

// zlib counts in uInt: longer buffers are handed over in pieces.
uInt Piece(unsigned long left) { return left > UINT_MAX ? UINT_MAX : static_cast<uInt>(left); }
} // namespace

CTsZip::CTsZip() : TS_INSTANCE_MONITOR("CTsZip") {}

CTsZip::~CTsZip() = default;

namespace {
// The size bytes at input compressed (gzip or zlib stream per type) into a new
// array of which the first `produced` bytes are used.
std::unique_ptr<unsigned char[]> Deflate(const unsigned char* input, unsigned long size, CompressionType type,
                                         unsigned long& produced)
{
    z_stream stream{};
    if (type == CompressionType_GZIP)
        deflateInit2(&stream, kLevel, Z_DEFLATED, kGzipWindowBits, kMemLevel, Z_DEFAULT_STRATEGY);
    else
        deflateInit(&stream, kLevel);

    // The compressed form has to fit in as many bytes as the input.
    std::unique_ptr<unsigned char[]> output(new unsigned char[size ? size : 1]);
    unsigned long inLeft = size;
    unsigned long outLeft = size;
    // zlib only reads the input, though its field is not const.
    stream.next_in = const_cast<unsigned char*>(input);
    stream.next_out = output.get();
    auto refill = [&]() {
        if (stream.avail_in == 0 && inLeft > 0) {
            stream.avail_in = Piece(inLeft);
            inLeft -= stream.avail_in;
        }
        if (stream.avail_out == 0 && outLeft > 0) {
            stream.avail_out = Piece(outLeft);
            outLeft -= stream.avail_out;
        }
    };
    // All input goes in without flushing; then the stream is finished, and only
    // the outcome of finishing counts.
    for (;;) {
        refill();
        deflate(&stream, Z_NO_FLUSH);
        const bool inputDone = stream.avail_in == 0 && inLeft == 0;
        const bool outputFull = stream.avail_out == 0 && outLeft == 0;
        if (inputDone || outputFull)
            break;
    }
    int result;
    do {
        refill();
        result = deflate(&stream, Z_FINISH);
    } while (result == Z_OK && stream.avail_out == 0 && outLeft > 0);
    produced = stream.total_out;
    deflateEnd(&stream);

    if (result != Z_STREAM_END)
        throw CTsException(FormatString("Failed to compress data. [Error Code: %d]", result));
    return output;
}
} // namespace

void CTsZip::Compress(unsigned char** data, unsigned long* length, CompressionType type)
{
    if ((type != CompressionType_GZIP && type != CompressionType_ZLIB) || !data || !length)
        return;
    unsigned long produced = 0;
    std::unique_ptr<unsigned char[]> output = Deflate(*data, *length, type, produced);
    delete[] *data;
    *data = output.release();
    *length = produced;
}

void CTsZip::Compress(CBinaryData& data, CompressionType type)
{
    if (data.GetLength() == 0 || (type != CompressionType_GZIP && type != CompressionType_ZLIB))
        return;
    // Compressed from where the bytes stand; on failure data is unchanged.
    unsigned long produced = 0;
    std::unique_ptr<unsigned char[]> output = Deflate(data.GetData(), data.GetLength(), type, produced);
    data = CBinaryData(output.release(), produced, true);
}

bool CTsZip::Decompress(unsigned char** data, unsigned long* length)
{
    if (!data || !length)
        return false;
    unsigned char* bytes = nullptr;
    unsigned long total = 0;
    if (!Decompress(*data, *length, &bytes, &total))
        return false;
    delete[] *data;
    *data = bytes;
    *length = total;
    return true;
}

bool CTsZip::Decompress(const unsigned char* data, unsigned long length, unsigned char** out, unsigned long* outLength)
{
    if (!data || length == 0 || !out || !outLength)
        return false;
    z_stream stream{};
    if (inflateInit2(&stream, kAutoWindowBits) != Z_OK)
        return false;
    CBinaryData output;
    std::unique_ptr<unsigned char[]> window(new unsigned char[kInflateWindow]);
    unsigned long inLeft = length;
    // zlib only reads the input, though its field is not const.
    stream.next_in = const_cast<unsigned char*>(data);
    int result;
    do {
        if (stream.avail_in == 0 && inLeft > 0) {
            stream.avail_in = Piece(inLeft);
            inLeft -= stream.avail_in;
        }
        stream.next_out = window.get();
        stream.avail_out = kInflateWindow;
        result = inflate(&stream, Z_NO_FLUSH);
        const unsigned long produced = kInflateWindow - stream.avail_out;
        if (produced > 0)
            output.Append(window.get(), produced);
    } while (result == Z_OK);
    inflateEnd(&stream);

    if (result != Z_STREAM_END)
        return false;
    const unsigned long total = output.GetLength();
    unsigned char* bytes = output.ReleaseData();
    // An empty stream still needs a buffer the caller can free.
    *out = bytes ? bytes : new unsigned char[1];
    *outLength = total;
    return true;
}

} // namespace TsXmlLib16
