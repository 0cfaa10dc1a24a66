// Byte buffers: sharing, copy on write, Base64 and hex text forms, file output.
#include "tsxmllib/BinaryData.h"
#include "tsxmllib/BinaryStream.h"
#include "tsxmllib/FileBinaryStream.h"
#include "tsxmllib/TsException.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

using namespace TsXmlLib16;

namespace {

std::string Text(const CBinaryData& d)
{
    return d.GetLength() ? std::string(reinterpret_cast<const char*>(d.GetData()), d.GetLength()) : std::string();
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string TempPath(const char* name) { return ::testing::TempDir() + name + std::to_string(getpid()); }

TEST(BinaryData, Base64Encoding)
{
    EXPECT_EQ(CBinaryData("M").GetAsBase64(), "TQ==");
    EXPECT_EQ(CBinaryData("Ma").GetAsBase64(), "TWE=");
    EXPECT_EQ(CBinaryData("Man").GetAsBase64(), "TWFu");
    EXPECT_EQ(CBinaryData().GetAsBase64(), "");
    unsigned char all[256];
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<unsigned char>(i);
    CBinaryData bytes(all, 256, false);
    CBinaryData back;
    back.SetAsBase64(bytes.GetAsBase64().c_str());
    EXPECT_EQ(back, bytes);
}

TEST(BinaryData, Base64DecodingSkipsAndRejects)
{
    CBinaryData d;
    d.SetAsBase64("TW E=\n");
    EXPECT_EQ(Text(d), "Ma");
    d.SetAsBase64("T=W=E=");
    EXPECT_EQ(Text(d), "Ma");
    d.SetAsBase64("TWE*");
    EXPECT_EQ(d.GetLength(), 0u);
    EXPECT_EQ(d.GetData(), nullptr);
    // A character with the high bit set decodes as its low seven bits ('T' | 0x80).
    d.SetAsBase64("\xD4WFu");
    EXPECT_EQ(Text(d), "Man");
    d.SetAsBase64("");
    EXPECT_EQ(d.GetLength(), 0u);
}

TEST(BinaryData, HexForms)
{
    const unsigned char raw[] = {0x00, 0xAB};
    EXPECT_EQ(CBinaryData(const_cast<unsigned char*>(raw), 2, false).GetAsHexString(), "00AB");
    EXPECT_EQ(CBinaryData::GetAsHexString(nullptr, 3), "");
    CBinaryData d;
    d.SetAsHexString("0aFf");
    ASSERT_EQ(d.GetLength(), 2u);
    EXPECT_EQ(d[0], 0x0A);
    EXPECT_EQ(d[1], 0xFF);
    try {
        d.SetAsHexString("ABC");
        FAIL();
    } catch (const CTsException& e) {
        EXPECT_EQ(e.GetMessage(), "Invalid length in hex string");
    }
    EXPECT_EQ(d.GetLength(), 0u);  // cleared before the check
    try {
        d.SetAsHexString("0G");
        FAIL();
    } catch (const CTsException& e) {
        EXPECT_EQ(e.GetMessage(), "Invalid char in hex string [G]");
    }
    try {
        d.SetAsHexString("00 1");
        FAIL();
    } catch (const CTsException& e) {
        EXPECT_EQ(e.GetMessage(), "Invalid char in hex string [ ]");
    }
}

TEST(BinaryData, CopiesShareUntilChanged)
{
    CBinaryData a("hello");
    CBinaryData b(a);
    EXPECT_EQ(a.GetData(), b.GetData());
    b.Append(" world");
    EXPECT_EQ(Text(a), "hello");
    EXPECT_EQ(Text(b), "hello world");

    CBinaryData c = a;
    c[0] = 'j';
    EXPECT_EQ(Text(a), "hello");
    EXPECT_EQ(Text(c), "jello");

    const CBinaryData& constA = a;
    EXPECT_EQ(constA[4], 'o');
    try {
        (void)constA[5];
        FAIL();
    } catch (const CTsException& e) {
        EXPECT_EQ(e.GetMessage(), "Index Out of range [5]");
    }
}

TEST(BinaryData, ReleaseDataLeavesOtherSharersAlone)
{
    CBinaryData a("shared");
    CBinaryData b(a);
    unsigned char* bytes = b.ReleaseData();
    EXPECT_EQ(b.GetLength(), 0u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), 6), "shared");
    EXPECT_NE(bytes, a.GetData());
    delete[] bytes;
    EXPECT_EQ(Text(a), "shared");
    EXPECT_EQ(CBinaryData().ReleaseData(), nullptr);
}

TEST(BinaryData, AppendForms)
{
    CBinaryData d;
    d.Append('a');
    d.Append(static_cast<unsigned char>('b'));
    d.Append("cd");
    d.Append(std::string("e\0f", 3));  // up to the first NUL
    d.Append(CBinaryData("g"));
    d.Append(static_cast<const char*>(nullptr));
    d.Append(d);  // itself
    EXPECT_EQ(Text(d), "abcdegabcdeg");
    // Growing byte by byte stays correct across reallocations.
    CBinaryData big;
    for (int i = 0; i < 20000; ++i)
        big.Append(static_cast<char>('0' + i % 10));
    ASSERT_EQ(big.GetLength(), 20000u);
    EXPECT_EQ(big[19999], '9');

    EXPECT_TRUE(CBinaryData() == CBinaryData(""));
    EXPECT_TRUE(CBinaryData("x") != CBinaryData("y"));
    EXPECT_TRUE(CBinaryData("x") != CBinaryData());
    d.SetBuffer("xyz");
    EXPECT_EQ(Text(d), "xyz");
    d.SetBuffer(nullptr, 0);
    EXPECT_EQ(d.GetData(), nullptr);
}

TEST(BinaryData, AdoptsCallerMemory)
{
    unsigned char* bytes = new unsigned char[3]{1, 2, 3};
    CBinaryData d(bytes, 3, true);
    EXPECT_EQ(d.GetData(), bytes);
    d.Append(static_cast<unsigned char>(4));
    EXPECT_EQ(d.GetLength(), 4u);
    EXPECT_EQ(d[3], 4);
}

TEST(BinaryStream, CollectsAndWritesFiles)
{
    CBinaryStream stream;
    stream.Write(static_cast<unsigned char>('<'));
    stream.Write(CBinaryData("a/"));
    stream.Write(reinterpret_cast<const unsigned char*>(">"), 1);
    EXPECT_EQ(Text(stream.GetData()), "<a/>");

    const std::string utf16 = TempPath("bin16");
    CFileBinaryStream(utf16.c_str(), 2, stream.GetData()).WriteToFile();
    EXPECT_EQ(ReadFile(utf16), "\xFF\xFE<a/>");
    const std::string utf8 = TempPath("bin8");
    CFileBinaryStream(utf8.c_str(), 1, stream.GetData()).WriteToFile();
    EXPECT_EQ(ReadFile(utf8), "<a/>");
    CFileBinaryStream empty(utf8.c_str(), 3);
    empty.WriteToFile();
    EXPECT_EQ(ReadFile(utf8), "\xFF\xFE");
    std::remove(utf16.c_str());
    std::remove(utf8.c_str());

    // Single bytes, short and long runs and whole data interleaved across
    // the stream's gathering block keep their order; a stream built on
    // shared data leaves the original alone.
    CBinaryStream mixed(CBinaryData("start:"));
    std::string expected = "start:";
    for (int i = 0; i < 3000; ++i) {
        const unsigned char byte = static_cast<unsigned char>('a' + i % 26);
        mixed.Write(byte);
        expected += static_cast<char>(byte);
        if (i % 500 == 0) {
            const std::string run(i % 1000 == 0 ? 5000 : 7, static_cast<char>('0' + i % 10));
            mixed.Write(reinterpret_cast<const unsigned char*>(run.data()), static_cast<unsigned long>(run.size()));
            expected += run;
        }
        if (i % 777 == 0) {
            mixed.Write(CBinaryData("|"));
            expected += "|";
        }
        if (i % 1111 == 0) {
            EXPECT_EQ(Text(mixed.GetData()), expected);
        }
    }
    EXPECT_EQ(Text(mixed.GetData()), expected);
    const std::string gathered = TempPath("gathered");
    CFileBinaryStream file(gathered.c_str(), 1);
    file.Write(reinterpret_cast<const unsigned char*>("xy"), 2);
    file.WriteToFile();
    EXPECT_EQ(ReadFile(gathered), "xy");
    std::remove(gathered.c_str());

    try {
        CFileBinaryStream("/nonexistent-dir/x.xml", 1, stream.GetData()).WriteToFile();
        FAIL();
    } catch (const CTsException& e) {
        EXPECT_EQ(e.GetMessage(), "Failed to write data to the file [/nonexistent-dir/x.xml] error [0x00000002]");
    }
}

} // namespace
