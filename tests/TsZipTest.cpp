// gzip and zlib compression of byte output and decompression of byte input.
#include "tsxmllib/BinaryData.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsZip.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace TsXmlLib16;

namespace {

CBinaryData Data(const std::string& s)
{
    return CBinaryData(reinterpret_cast<unsigned char*>(const_cast<char*>(s.data())),
                       static_cast<unsigned long>(s.size()), false);
}

std::string Text(const CBinaryData& d) { return std::string(reinterpret_cast<const char*>(d.GetData()), d.GetLength()); }

// Returns whether the bytes were replaced by their decompressed form.
bool Inflate(const std::string& in, std::string& out)
{
    unsigned long length = static_cast<unsigned long>(in.size());
    unsigned char* bytes = new unsigned char[length ? length : 1];
    std::copy(in.begin(), in.end(), bytes);
    const bool replaced = CTsZip().Decompress(&bytes, &length);
    out.assign(reinterpret_cast<const char*>(bytes), length);
    delete[] bytes;
    return replaced;
}

std::string Compressed(const std::string& text, CompressionType type)
{
    CBinaryData data = Data(text);
    CTsZip().Compress(data, type);
    return Text(data);
}

std::string Document()
{
    std::string xml = "<?xml version=\"1.0\"?><list>";
    for (int i = 0; i < 5000; ++i)
        xml += "<item n=\"" + std::to_string(i) + "\">value</item>";
    return xml + "</list>";
}

} // namespace

TEST(TsZip, BothFormatsRoundTrip)
{
    const std::string xml = Document();
    const std::string gz = Compressed(xml, CompressionType_GZIP);
    EXPECT_EQ(gz.substr(0, 2), "\x1F\x8B");
    EXPECT_EQ(Compressed(xml, CompressionType_ZLIB).substr(0, 2), "\x78\x01");

    std::string back;
    EXPECT_TRUE(Inflate(gz, back));
    EXPECT_EQ(back, xml);
    // Output larger than one inflate window.
    const std::string big(300000, 'q');
    EXPECT_TRUE(Inflate(Compressed(big, CompressionType_ZLIB), back));
    EXPECT_EQ(back, big);

    // Other types and empty data change nothing.
    EXPECT_EQ(Compressed(xml, static_cast<CompressionType>(7)), xml);
    EXPECT_EQ(Compressed("", CompressionType_GZIP), "");
}

TEST(TsZip, OutputThatDoesNotShrinkIsRefusedAndLeavesTheData)
{
    CBinaryData tiny = Data("<a/>");
    EXPECT_EQ(TestSupport::MessageOf([&] { CTsZip().Compress(tiny, CompressionType_GZIP); }),
              "Failed to compress data. [Error Code: -5]");
    EXPECT_EQ(Text(tiny), "<a/>");

    unsigned long length = 5;
    unsigned char* raw = new unsigned char[length]{'<', 'a', '/', '>', ' '};
    unsigned char* const before = raw;
    EXPECT_THROW(CTsZip().Compress(&raw, &length, CompressionType_ZLIB), CTsException);
    EXPECT_EQ(raw, before);
    EXPECT_EQ(length, 5u);
    delete[] raw;
}

TEST(TsZip, PlainTruncatedAndCorruptInputPassesThrough)
{
    const std::string xml = Document();
    std::string back;
    EXPECT_FALSE(Inflate(xml, back));
    EXPECT_EQ(back, xml);

    const std::string whole = Compressed(xml, CompressionType_GZIP);
    // Cut short, or damaged in its body or its checksum: left for the parser to reject.
    EXPECT_FALSE(Inflate(whole.substr(0, whole.size() - 5), back));
    EXPECT_EQ(back, whole.substr(0, whole.size() - 5));
    std::string damaged = whole;
    damaged[damaged.size() / 2] ^= 0x55;
    EXPECT_FALSE(Inflate(damaged, back));
    std::string badSum = whole;
    badSum[badSum.size() - 6] ^= 0x01;
    EXPECT_FALSE(Inflate(badSum, back));
    EXPECT_FALSE(Inflate(std::string("\x1F\x8B", 2), back));
}
