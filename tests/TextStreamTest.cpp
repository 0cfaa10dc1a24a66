// The block string buffer, the text streams and the character conversions under them.
#include "tsxmllib/Encoder.h"
#include "tsxmllib/FileTextStream.h"
#include "tsxmllib/GlobalSettings.h"
#include "tsxmllib/StringBuffer.h"
#include "tsxmllib/TextStream.h"
#include "tsxmllib/TsException.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

using namespace TsXmlLib16;

namespace {

std::string Bytes(const CBinaryData& data)
{
    return std::string(reinterpret_cast<const char*>(data.GetData()), data.GetLength());
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class TextStreamEncoding : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_codePage = GetLocalCharEncoding();
        m_asciiOnly = IsASCIIOnly();
    }
    void TearDown() override
    {
        SetLocalCharEncoding(m_codePage);
        ASCIIOnly(m_asciiOnly);
    }

private:
    unsigned int m_codePage = CodePage_UTF8;
    bool m_asciiOnly = false;
};

} // namespace

TEST(StringBuffer, LargeAppendFillsBlocksAndGetDataJoinsThemOnce)
{
    CStringBuffer buffer;
    std::string text;
    for (int i = 0; i < 10000; ++i)
        text += static_cast<char>('a' + i % 26);
    buffer.Append(text);
    EXPECT_EQ(buffer.GetLength(), 10000u);
    ASSERT_EQ(buffer.GetBlockCount(), 3u);
    EXPECT_EQ(buffer.GetBlockCapacity(2), 4095u);

    const char* data = buffer.GetData();
    EXPECT_EQ(std::string(data), text);
    EXPECT_EQ(data[10000], '\0');
    ASSERT_EQ(buffer.GetBlockCount(), 1u);
    EXPECT_EQ(buffer.GetData(), data);  // asking again does not copy again

    // The joined block is full, so the next character starts a new block.
    buffer.Append('!');
    ASSERT_EQ(buffer.GetBlockCount(), 2u);
    EXPECT_EQ(std::string(buffer.GetData()), text + "!");
}

TEST(StringBuffer, BlockBoundariesResetAndClear)
{
    CStringBuffer exact;
    exact.Append(std::string(4095, 'x'));
    EXPECT_EQ(exact.GetBlockCount(), 1u);
    exact.Append('y');
    EXPECT_EQ(exact.GetBlockCount(), 2u);

    // A block size of n keeps n - 1 characters per block; degenerate sizes still make progress.
    CStringBuffer small(8);
    for (char c = 'a'; c <= 'o'; ++c)
        small.Append(c);
    small.Append("0123");
    small.Append(static_cast<const char*>(nullptr));
    EXPECT_EQ(small.GetBlockCount(), 3u);
    EXPECT_EQ(small.GetBlockCapacity(0), 7u);
    EXPECT_EQ(std::string(small.GetData()), "abcdefghijklmno0123");
    CStringBuffer tiny(0);
    tiny.Append("abc");
    EXPECT_STREQ(tiny.GetData(), "abc");

    CStringBuffer buffer;
    EXPECT_STREQ(buffer.GetData(), "");
    EXPECT_EQ(buffer.GetBlockCount(), 0u);  // nothing allocated for the empty text
    // Reset keeps a single block for reuse (a shorter text written into it
    // ends where it ends); with several blocks it frees them all.
    buffer.Append("hello");
    buffer.Reset();
    EXPECT_EQ(buffer.GetBlockCount(), 1u);
    EXPECT_STREQ(buffer.GetData(), "");
    buffer.Append("hi", 2);
    EXPECT_STREQ(buffer.GetData(), "hi");
    buffer.Reset();
    buffer.Append(std::string(5000, 'z'));
    buffer.Reset();
    EXPECT_EQ(buffer.GetBlockCount(), 0u);
    buffer.Assign("new");
    buffer.Clear();
    EXPECT_EQ(buffer.GetBlockCount(), 0u);
    EXPECT_EQ(buffer.GetLength(), 0u);
    // The buffer holds zero-terminated text: a string is taken up to its first zero.
    buffer.Append(std::string("ab\0cd", 5));
    EXPECT_EQ(buffer.GetLength(), 2u);
    // An append with a length takes every character, across block ends too.
    CStringBuffer counted(4);
    counted.Append("x\0yz", 4);
    counted.Append("0123456", 7);
    EXPECT_EQ(counted.GetLength(), 11u);
    std::string copied(11, ' ');
    counted.CopyTo(&copied[0]);
    EXPECT_EQ(copied, std::string("x\0yz0123456", 11));
}

TEST(StringBuffer, ReservedRoomBecomesTextOnCommit)
{
    // Blocks of 15 characters: room is only handed out where it fits whole.
    CStringBuffer buffer(16);
    buffer.Append("abc");
    char* room = buffer.Reserve(5);
    ASSERT_NE(room, nullptr);
    std::memcpy(room, "defgh", 5);
    EXPECT_EQ(buffer.GetLength(), 3u); // nothing counts before the commit
    buffer.Commit(5);
    EXPECT_EQ(buffer.Reserve(8), nullptr);
    EXPECT_EQ(buffer.Reserve(0), nullptr);
    room = buffer.Reserve(7);
    ASSERT_NE(room, nullptr);
    std::memcpy(room, "ijklmno", 7);
    buffer.Commit(7);
    EXPECT_EQ(buffer.Reserve(1), nullptr); // the block is full: appends take a new one
    buffer.Append('p');
    EXPECT_EQ(buffer.GetBlockCount(), 2u);
    EXPECT_STREQ(buffer.GetData(), "abcdefghijklmnop");
}

TEST_F(TextStreamEncoding, TextStreamBytesFollowTheEncoding)
{
    SetLocalCharEncoding(CodePage_UTF8);
    ASCIIOnly(false);
    const char* text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // a, e acute, euro sign, U+1F600

    CTextStream none;
    none.Write(text);
    EXPECT_STREQ(none.GetText(), text);
    EXPECT_EQ(TestSupport::MessageOf([&] { none.GetBytes(); }),
              "Unknown Encoding, select UTF-8 (contact our support team)");

    CTextStream utf8(XmlEncoding_UTF8);
    utf8.Write(text);
    EXPECT_EQ(Bytes(utf8.GetBytes()), text);

    // Text over many buffer blocks comes out whole and in order, in UTF-8
    // and in a non-UTF-8 local encoding alike; an empty stream has no bytes.
    CTextStream big(XmlEncoding_UTF8);
    std::string written;
    for (int i = 0; i < 5000; ++i) {
        const std::string piece = "<e" + std::to_string(i) + ">";
        big.Write(piece);
        written += piece;
    }
    EXPECT_EQ(Bytes(big.GetBytes()), written);
    SetLocalCharEncoding(28591);  // ISO-8859-1: ASCII text converts to itself
    EXPECT_EQ(Bytes(big.GetBytes()), written);
    SetLocalCharEncoding(CodePage_UTF8);
    EXPECT_EQ(CTextStream(XmlEncoding_UTF8).GetBytes().GetLength(), 0u);

    const std::string utf16le("a\0\xE9\0\xAC\x20\x3D\xD8\x00\xDE", 10);
    for (XmlEncoding encoding : {XmlEncoding_UTF16, XmlEncoding_UTF16NoDecl}) {
        CTextStream utf16(encoding);
        utf16.Write('x');
        utf16.Open();  // starts over
        utf16.Write(std::string(text));
        EXPECT_EQ(utf16.GetBufferedLength(), 10u);
        EXPECT_EQ(Bytes(utf16.GetBytes()), utf16le);
    }
}

TEST_F(TextStreamEncoding, ConversionEdgeCases)
{
    SetLocalCharEncoding(CodePage_UTF8);
    ASCIIOnly(false);
    EXPECT_EQ(Utf8ToLocal("ab\0cd", 5), "ab");  // taken up to the first zero
    EXPECT_EQ(Utf8ToLocal("", 0), "");

    const wchar_t unpaired[] = {0xD800, L'a', 0};
    EXPECT_EQ(Utf16ToUtf8(unpaired).GetLength(), 0u);
    const wchar_t lowFirst[] = {L'a', 0xDC00, 0};
    EXPECT_EQ(Utf16ToUtf8(lowFirst).GetLength(), 0u);
    const wchar_t pair[] = {L'a', 0xD83D, 0xDE00, 0};
    EXPECT_EQ(Bytes(Utf16ToUtf8(pair)), "a\xF0\x9F\x98\x80");
    const wchar_t astral[] = {0x1F600, 0};
    EXPECT_EQ(Bytes(Utf16ToUtf8(astral)), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf16ToLocal(pair, 3), "a\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf16ToLocal(L"", 0), "");

    // A single-byte local encoding goes through the character set conversion.
    SetLocalCharEncoding(28591);
    EXPECT_EQ(Bytes(LocalToUtf8("caf\xE9")), "caf\xC3\xA9");
    EXPECT_EQ(Utf8ToLocal("caf\xC3\xA9", 5), "caf\xE9");

    // In ASCII-only mode bytes pass unchanged, one character per byte.
    ASCIIOnly(true);
    EXPECT_EQ(Bytes(LocalToUtf8("\xE9\xC3")), "\xE9\xC3");
    EXPECT_EQ(Bytes(LocalToUtf16("\xC3\xA9")), std::string("\xC3\0\xA9\0", 4));
}

TEST_F(TextStreamEncoding, FileStreamMarksUtf16AndWritesInOrder)
{
    SetLocalCharEncoding(CodePage_UTF8);
    ASCIIOnly(false);
    const std::string path = ::testing::TempDir() + "tsxml_" + std::to_string(::getpid()) + "_stream.txt";
    {
        CFileTextStream stream(path.c_str(), XmlEncoding_UTF16);
        stream.Open();
        EXPECT_EQ(stream.GetFilePosition(), 2u);
        stream.Write("ab");
        stream.Flush();
        stream.Flush();  // nothing buffered: nothing written
        stream.Write("\xC3\xA9");
        stream.Close();
        EXPECT_EQ(stream.GetFilePosition(), 8u);
        EXPECT_EQ(stream.GetBufferedLength(), 0u);
    }
    EXPECT_EQ(ReadFile(path), std::string("\xFF\xFE" "a\0b\0\xE9\0", 8));

    // No mark for UTF-8, and reopening replaces the file.
    {
        CFileTextStream stream(path.c_str(), XmlEncoding_UTF8);
        stream.Open();
        stream.Write(std::string(5000, 'a'));
        stream.Flush();
        stream.Write("b");
        stream.Close();
    }
    EXPECT_EQ(ReadFile(path), std::string(5000, 'a') + "b");

    // Encoding 0 has no bytes: the file stays empty and the stream refuses.
    {
        CFileTextStream stream(path.c_str(), XmlEncoding_Unknown);
        stream.Open();
        stream.Write("x");
        EXPECT_EQ(TestSupport::MessageOf([&] { stream.Close(); }),
                  "Unknown Encoding, select UTF-8 (contact our support team)");
    }
    EXPECT_EQ(ReadFile(path), "");
    std::remove(path.c_str());
}

TEST(FileTextStream, FailuresNameTheFileAndTheErrorCode)
{
    const std::string missing = ::testing::TempDir() + "no_such_dir_tsxml/out.xml";
    CFileTextStream unopenable(missing.c_str(), XmlEncoding_UTF8);
    EXPECT_EQ(TestSupport::MessageOf([&] { unopenable.Open(); }),
              "Failed to write data to the file [" + missing + "] error [0x00000002]");

    if (::access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "/dev/full is not available";
    // The mark is the first write, so a UTF-16 stream fails while opening.
    CFileTextStream full16("/dev/full", XmlEncoding_UTF16);
    EXPECT_EQ(TestSupport::MessageOf([&] { full16.Open(); }),
              "Failed to write data to the file [/dev/full] error [0x0000001C]");

    CFileTextStream full8("/dev/full", XmlEncoding_UTF8);
    full8.Open();
    full8.Write("text");
    EXPECT_EQ(TestSupport::MessageOf([&] { full8.Flush(); }), "Failed to write data to the file. Error [0x0000001C]");
    // The file was closed by the failure; a later write fails the same way.
    full8.Write("more");
    EXPECT_EQ(TestSupport::MessageOf([&] { full8.Close(); }), "Failed to write data to the file. Error [0x00000009]");
}
