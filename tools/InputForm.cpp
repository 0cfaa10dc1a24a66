#include "tools/InputForm.h"

#include "tsxmllib/Enums.h"
#include "tsxmllib/FastInfosetContext.h"
#include "tsxmllib/TsZip.h"

#include <cstring>

namespace TsXmlTool {

namespace {

const unsigned char kFiIdentification[] = {0xE0, 0x00, 0x00, 0x01};

bool StartsWith(const unsigned char* bytes, std::size_t length, const char* prefix)
{
    const std::size_t n = std::strlen(prefix);
    return length >= n && std::memcmp(bytes, prefix, n) == 0;
}

std::string TextEncodingOf(const unsigned char* bytes, std::size_t length)
{
    if (length >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
        return "UTF-16LE";
    if (length >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF)
        return "UTF-16BE";
    // Without a mark, the first character of XML or JSON text is ASCII.
    if (length >= 2 && bytes[0] != 0 && bytes[1] == 0)
        return "UTF-16LE";
    if (length >= 2 && bytes[0] == 0 && bytes[1] != 0)
        return "UTF-16BE";
    return "UTF-8";
}

} // namespace

bool IsGzip(const unsigned char* bytes, std::size_t length)
{
    return length >= 2 && bytes[0] == 0x1F && bytes[1] == 0x8B;
}

bool IsZlib(const unsigned char* bytes, std::size_t length)
{
    // Deflate with a window of at most 32 KiB, and the header check.
    return length >= 2 && (bytes[0] & 0x0F) == 8 && (bytes[0] >> 4) <= 7 && ((bytes[0] << 8) | bytes[1]) % 31 == 0;
}

bool IsFastInfoset(const unsigned char* bytes, std::size_t length)
{
    const auto identificationAt = [&](std::size_t offset) {
        return length >= offset + sizeof kFiIdentification &&
               std::memcmp(bytes + offset, kFiIdentification, sizeof kFiIdentification) == 0;
    };
    if (identificationAt(0))
        return true;
    // The reader accepts exactly the declarations the writer puts in front.
    for (int decl = TsXmlLib16::FInfoDecl_Encoding; decl <= TsXmlLib16::FInfoDecl_Version11StandaloneNo; ++decl) {
        const char* declaration = TsXmlLib16::CFastInfosetContext::GetDeclarationText(decl);
        if (declaration && StartsWith(bytes, length, declaration))
            return identificationAt(std::strlen(declaration));
    }
    return false;
}

bool HasJsonName(const std::string& name)
{
    for (const char* suffix : {".json", ".json.gz", ".json.z"}) {
        const std::size_t n = std::strlen(suffix);
        if (name.size() > n && name.compare(name.size() - n, n, suffix) == 0)
            return true;
    }
    return false;
}

InputKind DetectInput(const unsigned char* bytes, std::size_t length, bool jsonInput)
{
    InputKind kind;
    kind.contentSize = length;
    // A byte order mark may stand in front of a compressed stream.
    const std::size_t skip = length >= 4 && bytes[0] == 0xFF && bytes[1] == 0xFE &&
                                     (IsGzip(bytes + 2, length - 2) || IsZlib(bytes + 2, length - 2))
                                 ? 2
                                 : 0;
    const unsigned char* content = bytes + skip;
    std::size_t contentLength = length - skip;
    unsigned char* inflated = nullptr;
    if (IsGzip(content, contentLength) || IsZlib(content, contentLength)) {
        kind.packing = IsGzip(content, contentLength) ? Packing::Gzip : Packing::Zlib;
        unsigned long size = static_cast<unsigned long>(contentLength);
        inflated = new unsigned char[size];
        std::memcpy(inflated, content, size);
        // A truncated stream stays as it is; the reader will refuse it.
        TsXmlLib16::CTsZip().Decompress(&inflated, &size);
        content = inflated;
        contentLength = size;
        kind.contentSize = size;
    }
    if (jsonInput)
        kind.form = Form::Json;
    else if (IsFastInfoset(content, contentLength))
        kind.form = Form::FastInfoset;
    if (kind.form != Form::FastInfoset)
        kind.textEncoding = skip ? "UTF-16LE" : TextEncodingOf(content, contentLength);
    delete[] inflated;
    return kind;
}

std::string Describe(const InputKind& kind)
{
    std::string text;
    if (kind.packing == Packing::Gzip)
        text = "gzip-compressed ";
    else if (kind.packing == Packing::Zlib)
        text = "zlib-compressed ";
    switch (kind.form) {
    case Form::XmlText:
        text += "XML text";
        break;
    case Form::Json:
        text += "JSON";
        break;
    case Form::FastInfoset:
        text += "Fast Infoset";
        break;
    }
    if (!kind.textEncoding.empty())
        text += " (" + kind.textEncoding + ")";
    return text;
}

} // namespace TsXmlTool
