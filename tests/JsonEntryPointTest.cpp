// JSON through the object entry points and the document loads.
#include "tsxmllib/GlobalSettings.h"
#include "tsxmllib/JsonContext.h"
#include "tsxmllib/MemoryLeakHelp.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsZip.h"
#include "tsxmllib/XmlAttribute.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"
#include "tsxmllib/XmlObjectBase.h"
#include "tsxmllib/XmlWriter.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace TsXmlLib16;
using TestSupport::MessageOf;

namespace {

// <order id=".."><tag>..</tag>...<item sku=".."><qty>..</qty></item>...</order> in urn:order.
class Order : public CXmlObjectBase, private CInstanceMonitor {
public:
    Order() : TS_INSTANCE_MONITOR("COrder") { SetElementName("order"); }
    CXmlObjectBase* GetBase() override { return this; }
    std::string GetNamespace() override { return "urn:order"; }

    std::string id;
    std::vector<std::string> tags;
    std::vector<std::pair<std::string, std::string>> items;

    bool operator==(const Order& o) const { return id == o.id && tags == o.tags && items == o.items; }

protected:
    std::string GetTargetNamespace() override { return "urn:order"; }
    void ToXml_Int(CXmlWriter* w, bool, const char* ns, const CSerializationContext&, bool) const override
    {
        w->StartElement(GetElementName(), ns);
        w->WriteAttribute("id", "", id, ItemType_i4);
        w->SetCollectionState(1);
        for (const std::string& t : tags) {
            w->StartElement("tag", ns);
            w->WriteText(t, ItemType_string, false);
            w->EndElement();
        }
        w->SetCollectionState(3);
        w->SetCollectionState(1);
        for (const auto& item : items) {
            w->StartElement("item", ns);
            w->WriteAttribute("sku", "", item.first, ItemType_string);
            w->StartElement("qty", ns);
            w->WriteText(item.second, ItemType_i4, false);
            w->EndElement();
            w->EndElement();
        }
        w->SetCollectionState(3);
        w->EndElement();
    }
    CXmlElement* FromXml_Int(CXmlElement* element, CXmlElement* first, const CSerializationContext& ctx,
                             bool) override
    {
        tags.clear();
        items.clear();
        id = Attribute(element, "id");
        for (CXmlElement* e = first; e; e = e->GetNextSiblingElement()) {
            if (DoesElementNameMatch(ctx, e, "tag", "urn:order")) {
                tags.push_back(e->GetText());
            } else if (DoesElementNameMatch(ctx, e, "item", "urn:order")) {
                CXmlElement* qty = e->GetFirstElement();
                items.emplace_back(Attribute(e, "sku"), qty ? qty->GetText() : "");
            } else {
                throw CTsValidationException("Unexpected element", e->GetXPath());
            }
        }
        return nullptr;
    }
    static std::string Attribute(CXmlElement* e, const char* name)
    {
        for (const CXmlAttribute* a : e->GetAttributes())
            if (a->GetLocalName() == name)
                return a->GetValue();
        return "";
    }
};

class JsonEntryPoints : public ::testing::Test {
protected:
    void SetUp() override
    {
        original.id = "7";
        original.tags = {"red", "caf\xC3\xA9 \"A\""};
        original.items = {{"A-1", "2"}, {"B-2", "10"}};
    }
    void TearDown() override
    {
        AsyncToXmlFile(false);
        std::remove(path.c_str());
    }
    static std::string ReadFile(const std::string& name)
    {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    Order original;
    CSerializationContext ctx;
    std::string path = ::testing::TempDir() + "tsxmllib_json_" + std::to_string(getpid());
};

TEST_F(JsonEntryPoints, WritesTheDocumentObject)
{
    EXPECT_EQ(original.ToJson(false, EOLType_LF, ctx),
              "{\"AA:order\": {\"@xmlns:AA\": \"urn:order\",\"@id\": 7,\"AA:tag\": [\"red\",\"caf\xC3\xA9 \\\"A\\\"\"],"
              "\"AA:item\": [{\"@sku\": \"A-1\",\"AA:qty\": 2},{\"@sku\": \"B-2\",\"AA:qty\": 10}]}}");
    ctx.GetJsonContext().SetSupportRoundtrip(JsonRoundTrip_Standard);
    ctx.SetIndentChars("  ");
    EXPECT_EQ(original.ToJson(true, EOLType_CRLF, ctx),
              "{\r\n  \"order\": {\r\n    \"@id\": 7,\r\n    \"tag\": [\r\n      \"red\",\r\n      \"caf\xC3\xA9 \\\"A\\\"\""
              "\r\n    ],\r\n    \"item\": [\r\n      {\r\n        \"@sku\": \"A-1\",\r\n        \"qty\": 2\r\n      },"
              "\r\n      {\r\n        \"@sku\": \"B-2\",\r\n        \"qty\": 10\r\n      }\r\n    ]\r\n  }\r\n}");
}

TEST_F(JsonEntryPoints, RoundTripsInBothRoundTripModes)
{
    for (JsonRoundTrip mode : {JsonRoundTrip_Full, JsonRoundTrip_Standard}) {
        ctx.GetJsonContext().SetSupportRoundtrip(mode);
        Order copy;
        copy.FromJson(original.ToJson(true, EOLType_CRLF, ctx).c_str(), ctx);
        EXPECT_TRUE(copy == original) << mode;
        EXPECT_FALSE(ctx.GetIgnoreNamespaces());
    }
    for (CompressionType compression : {CompressionType_GZIP, CompressionType_ZLIB}) {
        Order copy;
        copy.FromJsonStream(original.ToJsonStream(false, XmlEncoding_UTF8, EOLType_LF, ctx, compression), ctx);
        EXPECT_TRUE(copy == original) << compression;
    }
    // Wide text, and UTF-8 bytes behind a byte order mark.
    Order wide;
    wide.FromJson(L"{\"order\": {\"@id\": 1, \"tag\": \"\u00e9\u20ac\"}}", ctx);
    EXPECT_EQ(wide.id, "1");
    EXPECT_EQ(wide.tags, std::vector<std::string>{"\xC3\xA9\xE2\x82\xAC"});
    std::string bom = "\xEF\xBB\xBF{\"order\": {\"tag\": \"x\"}}";
    Order marked;
    marked.FromJsonStream(reinterpret_cast<unsigned char*>(&bom[0]), static_cast<unsigned long>(bom.size()), ctx);
    EXPECT_EQ(marked.tags, std::vector<std::string>{"x"});
}

TEST_F(JsonEntryPoints, FilesDirectAndBuffered)
{
    AsyncToXmlFile(true);
    original.ToJsonFile(path.c_str(), false, XmlEncoding_UTF16, EOLType_LF, ctx, CompressionType_None);
    const std::string direct = ReadFile(path);
    ASSERT_GT(direct.size(), 4u);
    EXPECT_EQ(direct.substr(0, 4), std::string("\xFF\xFE{\0", 4));

    AsyncToXmlFile(false);
    original.ToJsonFile(path.c_str(), false, XmlEncoding_UTF16, EOLType_LF, ctx, CompressionType_None);
    EXPECT_EQ(ReadFile(path).substr(0, 2), std::string("{\0", 2));

    original.ToJsonFile(path.c_str(), true, XmlEncoding_UTF8, EOLType_LF, ctx, CompressionType_GZIP);
    Order copy;
    copy.FromJsonFile(path.c_str(), ctx);
    EXPECT_TRUE(copy == original);
    EXPECT_EQ(MessageOf([&] {
                  original.ToJsonFile(path.c_str(), true, XmlEncoding_UTF8, EOLType_LF, ctx, CompressionType_ZLIB);
              }),
              "ZLIB Compression only available for To Stream methods.");
    Order missing;
    EXPECT_THROW(missing.FromJsonFile((path + ".none").c_str(), ctx), CTsException);
}

TEST_F(JsonEntryPoints, FailuresKeepTheIntermediateXmlAndTheContext)
{
    ctx.GetJsonContext().SetSupportRoundtrip(JsonRoundTrip_Standard);
    Order copy;
    try {
        copy.FromJson("{\"order\": {\"other\": 1}}", ctx);
        ADD_FAILURE() << "no exception";
    } catch (const CTsException& e) {
        EXPECT_EQ(e.GetMessage(), "Error converting JSON to XML:\n<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<order>\n"
                                  "\t<other>1</other>\n</order>\n");
        ASSERT_NE(e.GetInnerException(), nullptr);
        EXPECT_EQ(e.GetInnerException()->GetMessage(), "Unexpected element\nPath: /order/other");
    }
    EXPECT_FALSE(ctx.GetIgnoreNamespaces());

    EXPECT_THROW(copy.FromJson("{\"order\": [}", ctx), CTsValidationException);
    EXPECT_EQ(MessageOf([&] { copy.FromJson("", ctx); }), "JSON String is empty!");
    EXPECT_EQ(MessageOf([&] { copy.FromJsonStream(CBinaryData(), ctx); }), "JSON Stream is empty!");
}

TEST(JsonDocumentLoads, ReturnXmlAndLeaveTheTreeEmpty)
{
    CSerializationContext ctx;
    ctx.GetJsonContext().SetRootElementName("Root");
    CXmlDocument doc(ctx);
    const CBinaryData xml = doc.LoadJson("[1, 2] // two items");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(xml.GetData()), xml.GetLength()),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Root>1</Root>\n<Root>2</Root>\n");
    EXPECT_EQ(doc.GetDocumentElement(), nullptr);

    // Comments are refused when the context says so.
    ctx.GetJsonContext().GetAllowComments(false);
    EXPECT_THROW(doc.LoadJson("[1] // no"), CTsValidationException);
    // Local text that is not UTF-8 reaches the XML as UTF-8.
    SetLocalCharEncoding(28591);
    const CBinaryData latin = doc.LoadJson("{\"a\": \"\xE9\"}");
    SetLocalCharEncoding(CodePage_UTF8);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(latin.GetData()), latin.GetLength()),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Root>\n\t<a>\xC3\xA9</a>\n</Root>\n");
}

} // namespace
