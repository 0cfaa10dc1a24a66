// Input built to hurt a parser. Every case ends in a tree that frees itself or
// in a CTsException, within the stack and memory it was given.
#include "TestSupport.h"

#include "tsxmllib/BinaryData.h"
#include "tsxmllib/JsonContext.h"
#include "tsxmllib/Conversions.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsZip.h"
#include "tsxmllib/XmlAttribute.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <pthread.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using namespace TsXmlLib16;
using TestSupport::MessageOf;

namespace {

std::string Repeat(const std::string& s, std::size_t n)
{
    std::string out;
    out.reserve(s.size() * n);
    for (std::size_t i = 0; i < n; ++i)
        out += s;
    return out;
}

// Runs f on a thread with a small stack: anything that recurses per element or
// per nesting level overflows it.
void OnSmallStack(const std::function<void()>& f)
{
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, 256 * 1024);
    pthread_t thread;
    auto run = [](void* arg) -> void* {
        (*static_cast<const std::function<void()>*>(arg))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attr, run, const_cast<std::function<void()>*>(&f)), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
}

std::vector<unsigned char> Compressed(const std::string& s, CompressionType type)
{
    unsigned long length = static_cast<unsigned long>(s.size());
    unsigned char* data = new unsigned char[length];
    std::copy(s.begin(), s.end(), data);
    CTsZip().Compress(&data, &length, type);
    std::vector<unsigned char> out(data, data + length);
    delete[] data;
    return out;
}

std::string LoadStreamError(std::vector<unsigned char> bytes)
{
    CXmlDocument doc;
    return MessageOf([&] { doc.LoadXmlStream(bytes.data(), static_cast<unsigned long>(bytes.size())); });
}

} // namespace

TEST(HostileXml, MillionSiblingsAndHundredThousandLevels)
{
    const std::string wide = "<r>" + Repeat("<a/>", 1000000) + "</r>";
    const std::string deep = Repeat("<d>", 100000) + "x" + Repeat("</d>", 100000);
    std::size_t siblings = 0;
    std::size_t levels = 0;
    std::string innermostText, error;
    OnSmallStack([&] {
        CXmlDocument doc;
        doc.LoadXml(wide.c_str());
        for (const CXmlElement* e = doc.GetDocumentElement()->GetFirstElement(); e; e = e->GetNextSiblingElement())
            ++siblings;
        doc.LoadXml(deep.c_str());
        const CXmlElement* e = doc.GetDocumentElement();
        for (levels = 1; e->GetFirstElement(); ++levels)
            e = e->GetFirstElement();
        innermostText = e->GetText();
        // A parse that fails with 100,000 elements open frees the half-built tree.
        error = MessageOf([&] { doc.LoadXml((Repeat("<d>", 100000) + "<broken").c_str()); });
    });
    EXPECT_EQ(error, "unclosed token at line 1");
    EXPECT_EQ(siblings, 1000000u);
    EXPECT_EQ(levels, 100000u);
    EXPECT_EQ(innermostText, "x");
}

TEST(HostileXml, EntityExpansionIsStoppedWithAClearError)
{
    const char kBreached[] = "limit on input amplification factor (from DTD and entities) breached at line 1";
    // Nested expansion ("billion laughs"), in text and in an attribute value.
    std::string nested = "<!ENTITY l0 'lol'>";
    for (int i = 1; i <= 9; ++i)
        nested += "<!ENTITY l" + std::to_string(i) + " '" + Repeat("&l" + std::to_string(i - 1) + ";", 10) + "'>";
    // One large entity referenced many times (quadratic blow-up).
    const std::string flat = "<!ENTITY big '" + std::string(50000, 'q') + "'>";
    const std::string flatRefs = Repeat("&big;", 400);
    const struct {
        const char* name;
        std::string xml;
    } cases[] = {
        {"nested in text", "<!DOCTYPE a [" + nested + "]><a>&l9;</a>"},
        {"nested in attribute", "<!DOCTYPE a [" + nested + "]><a v='&l9;'/>"},
        {"flat in text", "<!DOCTYPE a [" + flat + "]><a>" + flatRefs + "</a>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CXmlDocument doc;
        EXPECT_EQ(MessageOf([&] { doc.LoadXml(c.xml.c_str()); }), kBreached);
    }
}

TEST(HostileXml, ExternalEntitiesAndDtdsAreNeverRead)
{
    const std::string secretPath = ::testing::TempDir() + "tsxmllib_secret_" + std::to_string(getpid());
    std::ofstream(secretPath) << "SECRET";
    const std::string url = "file://" + secretPath;
    const struct {
        const char* name;
        std::string xml;
        std::string text;
    } cases[] = {
        {"general entity", "<!DOCTYPE a [<!ENTITY e SYSTEM '" + url + "'>]><a>[&e;]</a>", "[]"},
        {"external subset", "<!DOCTYPE a SYSTEM '" + url + "'><a>t</a>", "t"},
        {"parameter entity", "<!DOCTYPE a [<!ENTITY % p SYSTEM '" + url + "'>%p;]><a>t</a>", "t"},
        {"public id", "<!DOCTYPE a PUBLIC '-//x//y' '" + url + "'><a>t</a>", "t"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CXmlDocument doc;
        doc.LoadXml(c.xml.c_str());
        EXPECT_EQ(doc.GetDocumentElement()->GetText(), c.text);
    }
    // An external entity cannot stand in an attribute value at all.
    CXmlDocument doc;
    EXPECT_EQ(MessageOf([&] {
                  doc.LoadXml(("<!DOCTYPE a [<!ENTITY e SYSTEM '" + url + "'>]><a v='&e;'/>").c_str());
              }),
              "reference to external entity in attribute at line 1");
    std::remove(secretPath.c_str());
}

TEST(HostileXml, HundredMegabyteAttributeAndTextValues)
{
    const std::size_t kSize = 100u * 1024 * 1024;
    std::string xml;
    xml.reserve(kSize + 32);
    xml = "<a v='";
    xml.append(kSize, 'v');
    xml += "'/>";
    {
        CXmlDocument doc;
        doc.LoadXml(xml.c_str());
        const std::string& value = doc.GetDocumentElement()->GetAttribute("v", "");
        EXPECT_EQ(value.size(), kSize);
        EXPECT_EQ(value.find_first_not_of('v'), std::string::npos);
    }
    // The same buffer, rewritten in place as element text with a line end
    // every few bytes: the parser turns each CR LF into one LF.
    xml.replace(0, 6, "<a>");
    xml.replace(xml.size() - 3, 3, "</a>");
    std::size_t lineEnds = 0;
    for (std::size_t i = 1000; i + 1 < xml.size() - 4; i += 1000, ++lineEnds) {
        xml[i] = '\r';
        xml[i + 1] = '\n';
    }
    CXmlDocument doc;
    doc.LoadXmlStream(reinterpret_cast<unsigned char*>(&xml[0]), static_cast<unsigned long>(xml.size()));
    const std::string& text = doc.GetDocumentElement()->GetText();
    EXPECT_EQ(text.size(), xml.size() - 7 - lineEnds);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_EQ(text.substr(993, 8), "vvvv\nvvv");
}

TEST(HostileXml, TruncatedAndCorruptCompressedStreamsReachTheParser)
{
    const std::string xml = "<r>" + Repeat("<item n='1'>payload</item>", 200) + "</r>";
    for (CompressionType type : {CompressionType_GZIP, CompressionType_ZLIB}) {
        const std::vector<unsigned char> whole = Compressed(xml, type);
        ASSERT_GT(whole.size(), 20u);
        // Whole streams load; a cut one (in the header, data or trailer) is
        // left as it is and refused by the parser as the binary it is.
        EXPECT_EQ(LoadStreamError(whole), "<no exception>");
        for (std::size_t keep : {std::size_t(1), std::size_t(2), std::size_t(5), whole.size() / 2, whole.size() - 4,
                                 whole.size() - 1}) {
            SCOPED_TRACE(std::to_string(type) + " kept " + std::to_string(keep));
            const std::vector<unsigned char> cut(whole.begin(), whole.begin() + static_cast<long>(keep));
            unsigned char* data = new unsigned char[cut.size()];
            std::copy(cut.begin(), cut.end(), data);
            unsigned long length = static_cast<unsigned long>(cut.size());
            EXPECT_FALSE(CTsZip().Decompress(&data, &length));
            EXPECT_EQ(std::vector<unsigned char>(data, data + length), cut);
            delete[] data;
            const std::string error = LoadStreamError(cut);
            EXPECT_NE(error, "<no exception>");
            EXPECT_NE(error.find(" at line "), std::string::npos) << error;
        }
        // A flipped byte in the trailer (checksum or length) is corruption too.
        std::vector<unsigned char> corrupt = whole;
        corrupt[corrupt.size() - 2] ^= 0x55;
        EXPECT_NE(LoadStreamError(corrupt), "<no exception>");
    }
}

TEST(HostileValues, HexAndBase64OfOddSizes)
{
    using C = CConversions;
    const auto rule = CWhitespaceUtils::WhitespaceRule_Collapse;
    // Hex: an odd number of digits is refused; an even one of any size decodes.
    for (std::size_t digits : {1u, 3u, 7u, 1000001u}) {
        SCOPED_TRACE(digits);
        EXPECT_EQ(MessageOf([&] { C::hexBinaryFromString(std::string(digits, 'a'), rule); }),
                  "Invalid length in hex string");
    }
    EXPECT_EQ(C::hexBinaryFromString(std::string(1000002, 'F'), rule).GetLength(), 500001u);

    // Base64: every length of unpadded text decodes to the whole bytes its bits hold.
    const std::string full = C::base64BinaryToString(CBinaryData("abcdefghi"));
    ASSERT_EQ(full, "YWJjZGVmZ2hp");
    const unsigned long expected[] = {0, 0, 1, 2, 3, 3, 4, 5, 6, 6, 7, 8, 9};
    for (std::size_t n = 0; n <= full.size(); ++n) {
        SCOPED_TRACE(n);
        const CBinaryData b = C::base64BinaryFromString(full.substr(0, n), rule);
        ASSERT_EQ(b.GetLength(), expected[n]);
        if (b.GetLength() > 0) {
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(b.GetData()), b.GetLength()),
                      std::string("abcdefghi").substr(0, b.GetLength()));
        }
    }
    // Padding in odd places, and a long text one character short of a group.
    EXPECT_EQ(C::base64BinaryFromString("Y=W=J=j", rule).GetLength(), 3u);
    EXPECT_EQ(C::base64BinaryFromString(std::string(4000003, 'A'), rule).GetLength(), 3000002u);
    EXPECT_EQ(C::base64BinaryFromString("YWJj!", rule).GetLength(), 0u);
}

TEST(HostileJson, NestingFarBeyondTheLimitFailsAtLevel101)
{
    const std::size_t kLevels = 1000000;
    // Arrays at the top need an element name to become XML.
    CSerializationContext ctx;
    ctx.GetJsonContext().SetRootElementName("root");
    const struct {
        const char* name;
        std::string json, error; // the error starts with this text
    } cases[] = {
        // The position is that of the opening character of level 101.
        {"arrays", std::string(kLevels, '['), "JSON exceeded depth limit at line 1, position 101."},
        {"objects", Repeat("{\"a\":", kLevels), "JSON exceeded depth limit at line 1, position "},
        {"mixed", Repeat("[{\"b\":", kLevels / 2), "JSON exceeded depth limit at line 1, position "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        OnSmallStack([&] {
            CXmlDocument doc(ctx);
            error = MessageOf([&] { doc.LoadJson(c.json.c_str()); });
        });
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << error.substr(0, 200);
    }
    // Exactly 100 levels are still read.
    CXmlDocument doc(ctx);
    EXPECT_GT(doc.LoadJson((std::string(100, '[') + std::string(100, ']')).c_str()).GetLength(), 0u);
}

// Each file under regress/xml and regress/json loads or fails with CTsException.
TEST(HostileReplay, KeptInputsLoadOrFailCleanly)
{
    std::size_t replayed = 0;
    for (const char* kind : {"xml", "json"}) {
        const std::string folder = std::string(TSXMLLIB_TEST_DATA_DIR) + "/regress/" + kind;
        DIR* dir = opendir(folder.c_str());
        ASSERT_NE(dir, nullptr) << folder;
        while (const dirent* entry = readdir(dir)) {
            if (entry->d_name[0] == '.')
                continue;
            SCOPED_TRACE(folder + "/" + entry->d_name);
            std::ifstream in(folder + "/" + entry->d_name, std::ios::binary);
            std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            ASSERT_FALSE(bytes.empty());
            CXmlDocument doc;
            const unsigned long length = static_cast<unsigned long>(bytes.size());
            if (kind[0] == 'x')
                MessageOf([&] { doc.LoadXmlStream(bytes.data(), length); });
            else
                MessageOf([&] { doc.LoadJsonStream(bytes.data(), length); });
            ++replayed;
        }
        closedir(dir);
    }
    EXPECT_GE(replayed, 5u);
}
