#include "tsxmllib/ComposedText.h"
#include "tsxmllib/ShortCopy.h"
#include "tsxmllib/WordScan.h"

#include <gtest/gtest.h>

#include <string>

using namespace TsXmlLib16;

namespace {
// Distinct bytes, so that a byte copied from the wrong place shows.
std::string Sample(std::size_t length)
{
    std::string text;
    for (std::size_t i = 0; i < length; ++i)
        text += static_cast<char>('A' + i % 50);
    return text;
}
} // namespace

TEST(ShortCopy, EveryLengthCopiesExactlyItsBytes)
{
    // The copy switches between word sizes at 2, 4, 8 and 16 bytes; the
    // guard bytes around the target must stay as they are.
    for (std::size_t length = 0; length <= 40; ++length) {
        const std::string from = Sample(length);
        std::string to(length + 2, '#');
        CopyShort(&to[1], from.data(), length);
        EXPECT_EQ(to, "#" + from + "#") << "length " << length;
    }
}

TEST(ShortCopy, ComposedPiecesFollowEachOther)
{
    CComposedText text;
    std::string expected;
    char* out = text.Data();
    for (std::size_t length = 0; length <= 17; ++length) {
        out = Composed::Put(Composed::Put(out, Sample(length)), '|');
        expected += Sample(length) + "|";
    }
    EXPECT_EQ(std::string(text.Data(), static_cast<std::size_t>(out - text.Data())), expected);
    EXPECT_TRUE(CComposedText::Fits(CComposedText::kCapacity));
    EXPECT_FALSE(CComposedText::Fits(CComposedText::kCapacity + 1));
}

TEST(WordScan, ShortLoadsHoldOnlyTheirOwnBytes)
{
    // Every byte of the word comes from the piece, so a byte is in the word
    // exactly when it is in the piece, wherever it stands.
    for (std::size_t length = 1; length <= 8; ++length) {
        const std::string plain(length, 'a');
        EXPECT_EQ(WordScan::AnyByteIs(WordScan::LoadShort(plain.data(), length), '<'), 0u) << "length " << length;
        for (std::size_t at = 0; at < length; ++at) {
            std::string marked = plain;
            marked[at] = '<';
            EXPECT_NE(WordScan::AnyByteIs(WordScan::LoadShort(marked.data(), length), '<'), 0u)
                << "length " << length << " at " << at;
        }
    }
}

TEST(WordScan, SameBytesSeesADifferenceAnywhere)
{
    for (std::size_t length = 0; length <= 40; ++length) {
        const std::string a = Sample(length);
        EXPECT_TRUE(WordScan::SameBytes(a, std::string(a))) << "length " << length;
        EXPECT_FALSE(WordScan::SameBytes(a, a + "x")) << "length " << length;
        for (std::size_t at = 0; at < length; ++at) {
            std::string b = a;
            b[at] = static_cast<char>(b[at] ^ 0x20);
            EXPECT_FALSE(WordScan::SameBytes(a, b)) << "length " << length << " at " << at;
        }
    }
}
