// Compression of byte output in the gzip or zlib format, and transparent
// decompression of byte input in either format.
#ifndef TSXMLLIB_TSZIP_H
#define TSXMLLIB_TSZIP_H

#include "tsxmllib/BinaryData.h"
#include "tsxmllib/Enums.h"
#include "tsxmllib/Export.h"
#include "tsxmllib/MemoryLeakHelp.h"

namespace TsXmlLib16 {

class TSXMLLIB_EXPORT CTsZip : private CInstanceMonitor {
public:
    CTsZip();
    virtual ~CTsZip();
    CTsZip(const CTsZip&) = delete;
    CTsZip& operator=(const CTsZip&) = delete;

    // Replaces the new[]-allocated buffer and its length by the compressed form
    // (fastest level). Types other than GZIP and ZLIB leave both unchanged. When
    // the compressed form would not be smaller than the input, or zlib fails,
    // throws CTsException and leaves the buffer as it was.
    void Compress(unsigned char** data, unsigned long* length, CompressionType type);
    // The same for a byte buffer; empty data is left unchanged.
    void Compress(CBinaryData& data, CompressionType type);
    // Replaces the buffer and length by the decompressed bytes when they hold a
    // complete zlib or gzip stream, and returns true. Anything else (plain input,
    // a truncated or corrupt stream) is left unchanged for the parser to judge.
    bool Decompress(unsigned char** data, unsigned long* length);
    // The same without touching the input: on success *out is a new[] buffer
    // of *outLength decompressed bytes.
    bool Decompress(const unsigned char* data, unsigned long length, unsigned char** out, unsigned long* outLength);
};

} // namespace TsXmlLib16

#endif
