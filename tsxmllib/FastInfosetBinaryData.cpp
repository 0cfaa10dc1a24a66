#include "tsxmllib/FastInfosetBinaryData.h"

#include "tsxmllib/Conversions.h"
#include "tsxmllib/TsException.h"

#include <cstdint>
#include <cstring>

namespace TsXmlLib16 {

namespace {
const char kUnknownEncoding[] = "Unknown byte encoding.";
constexpr CConversions::WhitespaceRule kNoRule = CWhitespaceUtils::WhitespaceRule_None;

// Boolean octets: the first four bits count the unused bits at the end.
constexpr unsigned char kBooleanTrue = 0x38;
constexpr unsigned char kBooleanFalse = 0x30;

template <typename Unsigned>
void AppendBigEndian(CBinaryData& data, Unsigned value)
{
    for (int shift = static_cast<int>(sizeof(Unsigned) * 8) - 8; shift >= 0; shift -= 8)
        data.Append(static_cast<unsigned char>(value >> shift));
}

template <typename Unsigned>
Unsigned ReadBigEndian(const unsigned char* p)
{
    Unsigned value = 0;
    for (std::size_t i = 0; i < sizeof(Unsigned); ++i)
        value = static_cast<Unsigned>((value << 8) | p[i]);
    return value;
}

// Splits the bytes into groups of groupSize and joins the text of each.
template <typename ToText>
std::string JoinGroups(const CBinaryData& data, unsigned long groupSize, const char* invalidMessage, ToText toText)
{
    const unsigned long length = data.GetLength();
    if (length % groupSize != 0)
        throw CTsException(invalidMessage);
    std::string out;
    for (unsigned long offset = 0; offset < length; offset += groupSize) {
        if (offset)
            out += ' ';
        out += toText(data.GetData() + offset);
    }
    return out;
}

std::string BooleansToString(const CBinaryData& data)
{
    const unsigned long length = data.GetLength();
    if (length == 0)
        return std::string();
    const unsigned char* p = data.GetData();
    const unsigned long unused = p[0] >> 4;
    const unsigned long available = length * 8 - 4;
    const unsigned long count = unused < available ? available - unused : 0;
    std::string out;
    for (unsigned long i = 0; i < count; ++i) {
        const unsigned long bit = i + 4;
        const bool value = (p[bit / 8] >> (7 - bit % 8)) & 1;
        if (i)
            out += ' ';
        out += CConversions::booleanToString(value);
    }
    return out;
}
} // namespace

CFastInfosetBinaryData::CFastInfosetBinaryData() = default;
CFastInfosetBinaryData::CFastInfosetBinaryData(const CBinaryData& data) : CBinaryData(data) {}
CFastInfosetBinaryData::CFastInfosetBinaryData(unsigned char* data, unsigned long length, bool takeOwnership)
    : CBinaryData(data, length, takeOwnership)
{
}
CFastInfosetBinaryData::CFastInfosetBinaryData(const char* text) : CBinaryData(text) {}
CFastInfosetBinaryData::CFastInfosetBinaryData(const CFastInfosetBinaryData&) = default;
CFastInfosetBinaryData& CFastInfosetBinaryData::operator=(const CFastInfosetBinaryData&) = default;
CFastInfosetBinaryData::~CFastInfosetBinaryData() = default;

void CFastInfosetBinaryData::SetAsEncodedString(unsigned long algorithm, const char* text)
{
    const std::string value = text ? text : "";
    switch (algorithm) {
    case Algorithm_Hexadecimal:
    case Algorithm_Uuid:
        SetAsHexString(value.c_str());
        return;
    case Algorithm_Base64:
        SetAsBase64(value.c_str());
        return;
    case Algorithm_Cdata:
        SetBuffer(reinterpret_cast<const unsigned char*>(value.data()), static_cast<unsigned long>(value.size()));
        return;
    default:
        break;
    }

    // The conversions throw before anything of the old bytes is lost.
    CBinaryData bytes;
    switch (algorithm) {
    case Algorithm_Short:
        AppendBigEndian(bytes, static_cast<std::uint16_t>(CConversions::i2FromString(value, kNoRule)));
        break;
    case Algorithm_Int:
        AppendBigEndian(bytes, static_cast<std::uint32_t>(CConversions::i4FromString(value, kNoRule)));
        break;
    case Algorithm_Long:
        AppendBigEndian(bytes, static_cast<std::uint64_t>(CConversions::i8FromString(value, kNoRule)));
        break;
    case Algorithm_Boolean:
        bytes.Append(CConversions::booleanFromString(value, kNoRule) ? kBooleanTrue : kBooleanFalse);
        break;
    case Algorithm_Float: {
        const float f = CConversions::r4FromString(value, kNoRule);
        std::uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        AppendBigEndian(bytes, bits);
        break;
    }
    case Algorithm_Double: {
        const double d = CConversions::r8FromString(value, kNoRule);
        std::uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        AppendBigEndian(bytes, bits);
        break;
    }
    default:
        throw CTsException(kUnknownEncoding);
    }
    *static_cast<CBinaryData*>(this) = bytes;
}

std::string CFastInfosetBinaryData::GetAsString(unsigned long algorithm) const
{
    switch (algorithm) {
    case Algorithm_Hexadecimal:
        return GetAsHexString();
    case Algorithm_Base64:
        return GetAsBase64();
    case Algorithm_Short:
        return JoinGroups(*this, 2, "Invalid value for SHORT byte encoding.", [](const unsigned char* p) {
            return CConversions::i2ToString(static_cast<short>(ReadBigEndian<std::uint16_t>(p)));
        });
    case Algorithm_Int:
        return JoinGroups(*this, 4, "Invalid value for INT byte encoding.", [](const unsigned char* p) {
            return CConversions::i4ToString(static_cast<std::int32_t>(ReadBigEndian<std::uint32_t>(p)));
        });
    case Algorithm_Long:
        return JoinGroups(*this, 8, "Invalid value for LONG byte encoding.", [](const unsigned char* p) {
            return CConversions::i8ToString(static_cast<std::int64_t>(ReadBigEndian<std::uint64_t>(p)));
        });
    case Algorithm_Boolean:
        return BooleansToString(*this);
    case Algorithm_Float:
        return JoinGroups(*this, 4, "Invalid value for FLOAT byte encoding.", [](const unsigned char* p) {
            const std::uint32_t bits = ReadBigEndian<std::uint32_t>(p);
            float f;
            std::memcpy(&f, &bits, sizeof f);
            return CConversions::r4ToString(f);
        });
    case Algorithm_Double:
        return JoinGroups(*this, 8, "Invalid value for DOUBLE byte encoding.", [](const unsigned char* p) {
            const std::uint64_t bits = ReadBigEndian<std::uint64_t>(p);
            double d;
            std::memcpy(&d, &bits, sizeof d);
            return CConversions::r8ToString(d);
        });
    case Algorithm_Uuid:
        return JoinGroups(*this, 16, "Invalid value for UUID byte encoding.",
                          [](const unsigned char* p) { return CBinaryData::GetAsHexString(p, 16); });
    default:
        throw CTsException(kUnknownEncoding);
    }
}

} // namespace TsXmlLib16
