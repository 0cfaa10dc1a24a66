// gzip and zlib compression of byte output and decompression of byte input.
#include "tsxmllib/BinaryData.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsZip.h"

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

// Decompresses a copy of the bytes; returns whether they were replaced.
bool Inflate(const CBinaryData& in, std::string& out)
{
    unsigned long length = in.GetLength();
    unsigned char* bytes = new unsigned char[length ? length : 1];
    std::copy(in.GetData(), in.GetData() + length, bytes);
    const bool replaced = CTsZip().Decompress(&bytes, &length);
    out.assign(reinterpret_cast<const char*>(bytes), length);
    delete[] bytes;
    return replaced;
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
    CTsZip zip;
    CBinaryData gz = Data(xml);
    zip.Compress(gz, CompressionType_GZIP);
    ASSERT_GE(gz.GetLength(), 2u);
    EXPECT_EQ(gz[0], 0x1F);
    EXPECT_EQ(gz[1], 0x8B);
    CBinaryData zl = Data(xml);
    zip.Compress(zl, CompressionType_ZLIB);
    EXPECT_EQ(zl[0], 0x78);
    EXPECT_EQ(zl[1], 0x01);
    EXPECT_LT(zl.GetLength(), xml.size() / 4);

    std::string back;
    EXPECT_TRUE(Inflate(gz, back));
    EXPECT_EQ(back, xml);
    EXPECT_TRUE(Inflate(zl, back));
    EXPECT_EQ(back, xml);

    // Output larger than one inflate window, and an empty compressed payload.
    const std::string big(300000, 'q');
    CBinaryData large = Data(big);
    zip.Compress(large, CompressionType_ZLIB);
    EXPECT_TRUE(Inflate(large, back));
    EXPECT_EQ(back, big);
}

TEST(TsZip, OtherTypesAndEmptyDataChangeNothing)
{
    CTsZip zip;
    const std::string xml = Document();
    CBinaryData data = Data(xml);
    zip.Compress(data, CompressionType_None);
    zip.Compress(data, static_cast<CompressionType>(7));
    EXPECT_EQ(Text(data), xml);
    CBinaryData empty;
    zip.Compress(empty, CompressionType_GZIP);
    EXPECT_EQ(empty.GetLength(), 0u);
}

TEST(TsZip, OutputThatDoesNotShrinkIsRefusedAndLeavesTheData)
{
    CTsZip zip;
    CBinaryData tiny = Data("<a/>");
    try {
        zip.Compress(tiny, CompressionType_GZIP);
        ADD_FAILURE() << "no exception";
    } catch (const CTsException& e) {
        EXPECT_EQ(e.GetMessage(), "Failed to compress data. [Error Code: -5]");
    }
    EXPECT_EQ(Text(tiny), "<a/>");

    unsigned long length = 5;
    unsigned char* raw = new unsigned char[length]{'<', 'a', '/', '>', ' '};
    unsigned char* const before = raw;
    EXPECT_THROW(zip.Compress(&raw, &length, CompressionType_ZLIB), CTsException);
    EXPECT_EQ(raw, before);
    EXPECT_EQ(length, 5u);
    delete[] raw;
}

TEST(TsZip, PlainTruncatedAndCorruptInputPassesThrough)
{
    const std::string xml = Document();
    std::string back;
    EXPECT_FALSE(Inflate(Data(xml), back));
    EXPECT_EQ(back, xml);

    CBinaryData gz = Data(xml);
    CTsZip().Compress(gz, CompressionType_GZIP);
    const std::string whole = Text(gz);
    // Cut short, or damaged in its body or its checksum: left for the parser to reject.
    EXPECT_FALSE(Inflate(Data(whole.substr(0, whole.size() - 5)), back));
    EXPECT_EQ(back, whole.substr(0, whole.size() - 5));
    std::string damaged = whole;
    damaged[damaged.size() / 2] ^= 0x55;
    EXPECT_FALSE(Inflate(Data(damaged), back));
    std::string badSum = whole;
    badSum[badSum.size() - 6] ^= 0x01;
    EXPECT_FALSE(Inflate(Data(badSum), back));
    EXPECT_FALSE(Inflate(Data(std::string("\x1F\x8B", 2)), back));
}
