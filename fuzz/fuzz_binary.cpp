// Base64 and hex text of any content and length: decoding never writes past
// the bytes the text can hold, and whatever decodes encodes back to text that
// decodes to the same bytes.
#include "FuzzInput.h"

#include "tsxmllib/Base64.h"
#include "tsxmllib/BinaryData.h"
#include "tsxmllib/Conversions.h"
#include "tsxmllib/TsException.h"

#include <cstdlib>
#include <memory>

using namespace TsXmlLib16;

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    // The decoder's output buffer is exactly as long as the text: its promise.
    std::unique_ptr<unsigned char[]> out(new unsigned char[size ? size : 1]);
    CBase64 codec;
    const std::size_t written = codec.Decode(text.data(), text.size(), out.get());
    Check(written <= size * 3 / 4 + 1);
    if (written > 0) {
        const std::string encoded = codec.Encode(out.get(), written);
        std::unique_ptr<unsigned char[]> back(new unsigned char[encoded.size()]);
        Check(codec.Decode(encoded.data(), encoded.size(), back.get()) == written);
        Check(std::equal(out.get(), out.get() + written, back.get()));
    }

    CBinaryData binary;
    binary.SetAsBase64(text.c_str());
    CBinaryData again;
    again.SetAsBase64(binary.GetAsBase64().c_str());
    Check(again == binary);

    try {
        binary.SetAsHexString(text.c_str());
        CBinaryData hex;
        hex.SetAsHexString(binary.GetAsHexString().c_str());
        Check(hex == binary);
    } catch (const CTsException&) {
    }

    for (int rule = 0; rule < 4; ++rule) {
        const auto r = static_cast<CConversions::WhitespaceRule>(rule);
        try {
            const CBinaryData b = CConversions::hexBinaryFromString(text, r);
            Check(CConversions::hexBinaryFromString(CConversions::hexBinaryToString(b), r) == b);
        } catch (const CTsException&) {
        }
        try {
            const CBinaryData b = CConversions::base64BinaryFromString(text, r);
            Check(CConversions::base64BinaryFromString(CConversions::base64BinaryToString(b), r) == b);
        } catch (const CTsException&) {
        }
    }
    return 0;
}
