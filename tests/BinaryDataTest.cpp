// Byte buffers: sharing, copy on write, Base64 and hex text forms, file output.
#include "tsxmllib/BinaryData.h"
#include "tsxmllib/BinaryStream.h"
#include "tsxmllib/FileBinaryStream.h"
#include "tsxmllib/TsException.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <unistd.h>

using namespace TsXmlLib16;
using TestSupport::MessageOf;

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

TEST(BinaryData, Base64Encoding)
{
    for (const auto& [text, base64] : {std::pair<const char*, const char*>{"M", "TQ=="}, {"Ma", "TWE="},
                                        {"Man", "TWFu"}, {"", ""}})
        EXPECT_EQ(CBinaryData(text).GetAsBase64(), base64) << text;
    unsigned char all[256];
    for (int i = 0; i < 256; ++i) all[i] = static_cast<unsigned char>(i);
    CBinaryData bytes(all, 256, false), back;
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
    EXPECT_EQ(MessageOf([&] { d.SetAsHexString("ABC"); }), "Invalid length in hex string");
    EXPECT_EQ(d.GetLength(), 0u); // cleared before the check
    EXPECT_EQ(MessageOf([&] { d.SetAsHexString("0G"); }), "Invalid char in hex string [G]");
}

TEST(BinaryData, CopiesShareUntilChanged)
{
    CBinaryData a("hello"), b(a);
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
    EXPECT_EQ(MessageOf([&] { (void)constA[5]; }), "Index Out of range [5]");
}

TEST(BinaryData, ReleaseDataLeavesOtherSharersAlone)
{
    CBinaryData a("shared"), b(a);
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
    for (int i = 0; i < 20000; ++i) big.Append(static_cast<char>('0' + i % 10));
    ASSERT_EQ(big.GetLength(), 20000u);
    EXPECT_EQ(big[19999], '9');

    EXPECT_TRUE(CBinaryData() == CBinaryData(""));
    EXPECT_TRUE(CBinaryData("x") != CBinaryData("y"));
    EXPECT_TRUE(CBinaryData("x") != CBinaryData());
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

std::string Text(const COctetRun& run) { return std::string(reinterpret_cast<const char*>(run.Data()), run.Size()); }

TEST(OctetRun, PiecesOfEveryLengthKeepTheirOctetsAcrossGrowth)
{
    // Lengths on both sides of each way of copying (octets, 4- and 8-octet
    // words, memcpy), repeated until the run has grown several times.
    COctetRun run;
    std::string expected;
    for (int round = 0; round < 40; ++round) {
        for (std::size_t length : {0, 1, 3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 300}) {
            std::string piece;
            for (std::size_t i = 0; i < length; ++i)
                piece += static_cast<char>('A' + (round * 7 + i) % 50);
            run.Put(reinterpret_cast<const unsigned char*>(piece.data()), piece.size());
            run.Put(static_cast<unsigned char>('|'));
            expected += piece + '|';
        }
    }
    ASSERT_EQ(run.Size(), expected.size());
    EXPECT_EQ(Text(run), expected);

    const COctetRun copy(run);
    run.Truncate(5);
    EXPECT_EQ(Text(run), expected.substr(0, 5));
    run.Put(reinterpret_cast<const unsigned char*>("xyz"), 3);
    EXPECT_EQ(Text(run), expected.substr(0, 5) + "xyz");
    COctetRun assigned;
    assigned = copy;
    EXPECT_EQ(Text(assigned), expected);
    assigned = run;
    EXPECT_EQ(Text(assigned), expected.substr(0, 5) + "xyz");
    run.Clear();
    EXPECT_TRUE(run.Empty());
    EXPECT_EQ(Text(copy), expected); // copies own their octets

    COctetRun empty;
    const COctetRun emptyCopy(empty);
    EXPECT_TRUE(emptyCopy.Empty());
    empty.Put(reinterpret_cast<const unsigned char*>(""), 0);
    EXPECT_TRUE(empty.Empty());
}

TEST(BinaryStream, CollectsAndWritesFiles)
{
    CBinaryStream stream;
    stream.Write(static_cast<unsigned char>('<'));
    stream.Write(CBinaryData("a/"));
    stream.Write(reinterpret_cast<const unsigned char*>(">"), 1);
    EXPECT_EQ(Text(stream.GetData()), "<a/>");

    const std::string path = ::testing::TempDir() + "bin" + std::to_string(getpid());
    CFileBinaryStream(path.c_str(), 2, stream.GetData()).WriteToFile();
    EXPECT_EQ(ReadFile(path), "\xFF\xFE<a/>");
    CFileBinaryStream(path.c_str(), 1, stream.GetData()).WriteToFile();
    EXPECT_EQ(ReadFile(path), "<a/>");
    CFileBinaryStream(path.c_str(), 3).WriteToFile();
    EXPECT_EQ(ReadFile(path), "\xFF\xFE");

    // Bytes, short and long runs, whole data and reads interleaved keep their
    // order, whether the data holds bytes already (here from the start) or
    // takes over the gathered run when it is read first.
    for (const bool startsWithData : {true, false}) {
        CBinaryStream mixed = startsWithData ? CBinaryStream(CBinaryData("start:")) : CBinaryStream();
        std::string expected = startsWithData ? "start:" : "";
        for (int i = 0; i < 3000; ++i) {
            const std::string run = i % 500 ? std::string(1, static_cast<char>('a' + i % 26))
                                            : std::string(i % 1000 ? 30000 : 70000, static_cast<char>('0' + i % 10));
            if (i == 1700 || i == 2400) {
                EXPECT_EQ(Text(mixed.GetData()), expected);
            }
            if (run.size() == 1)
                mixed.Write(static_cast<unsigned char>(run[0]));
            else
                mixed.Write(reinterpret_cast<const unsigned char*>(run.data()), static_cast<unsigned long>(run.size()));
            if (i % 777 == 0)
                mixed.Write(CBinaryData("|"));
            expected += run + (i % 777 ? "" : "|");
        }
        EXPECT_EQ(Text(mixed.GetData()), expected);
    }

    // A writer appending to the gathered run directly: the data takes the run
    // over when read, and a copy of it handed out earlier keeps its bytes
    // while the stream goes on.
    CBinaryStream direct;
    direct.Gathered().Put(reinterpret_cast<const unsigned char*>("ab"), 2);
    const CBinaryData early = direct.GetData();
    EXPECT_TRUE(direct.Gathered().Empty());
    const std::string block(200 * 1024, 'z');
    direct.Gathered().Put(reinterpret_cast<const unsigned char*>(block.data()), block.size());
    direct.Write(static_cast<unsigned char>('!'));
    EXPECT_EQ(Text(direct.GetData()), "ab" + block + "!");
    EXPECT_EQ(Text(early), "ab");

    // Data taken over from a stream grows like any other, and hands out
    // bytes that delete[] frees.
    CBinaryData adopted;
    {
        CBinaryStream grown;
        grown.Write(reinterpret_cast<const unsigned char*>(block.data()), static_cast<unsigned long>(block.size()));
        adopted = grown.GetData();
    }
    for (int i = 0; i < 5; ++i)
        adopted.Append(reinterpret_cast<const unsigned char*>(block.data()), static_cast<unsigned long>(block.size()));
    ASSERT_EQ(adopted.GetLength(), 6 * block.size());
    EXPECT_EQ(adopted[6 * block.size() - 1], 'z');
    const unsigned long adoptedLength = adopted.GetLength();
    std::unique_ptr<unsigned char[]> released(adopted.ReleaseData());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(released.get()), adoptedLength), std::string(6 * block.size(), 'z'));

    CFileBinaryStream file(path.c_str(), 1);
    file.Write(reinterpret_cast<const unsigned char*>("xy"), 2);
    file.WriteToFile();
    EXPECT_EQ(ReadFile(path), "xy");
    std::remove(path.c_str());

    EXPECT_EQ(MessageOf([&] { CFileBinaryStream("/nonexistent-dir/x.xml", 1, stream.GetData()).WriteToFile(); }),
              "Failed to write data to the file [/nonexistent-dir/x.xml] error [0x00000002]");
}

} // namespace
