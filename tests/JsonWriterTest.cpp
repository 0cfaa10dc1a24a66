// The JSON text writer, driven through the writer interface as the generated
// classes and the metadata drive it.
#include "tsxmllib/JsonTextWriter.h"
#include "tsxmllib/TextStream.h"
#include "tsxmllib/TsException.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace TsXmlLib16;

namespace {

struct Settings {
    JsonRoundTrip mode = JsonRoundTrip_Full;
    bool pretty = true;
    EOLType eol = EOLType_LF;
};

std::string Json(const std::function<void(CJsonTextWriter&)>& body, const Settings& settings = {})
{
    CTextStream stream(XmlEncoding_Unknown);
    CJsonTextWriter writer(&stream);
    writer.Open();
    writer.SetPrettyPrint(settings.pretty);
    writer.SetEOLType(settings.eol);
    writer.SetSupportRoundtrip(settings.mode);
    writer.StartDocument();
    body(writer);
    writer.EndDocument();
    writer.Close();
    return stream.GetText();
}

const Settings kCompact{JsonRoundTrip_Full, false};

// r with attribute a="1" and a child c holding x.
void AttributeAndChild(CJsonTextWriter& w)
{
    w.StartElement("r", "");
    w.WriteAttribute("a", "", "1", ItemType_string);
    w.StartElement("c", "");
    w.WriteText("x", ItemType_string, false);
    w.EndElement();
    w.EndElement();
}

TEST(JsonWriter, ElementsAttributesAndTextInEachMode)
{
    EXPECT_EQ(Json(AttributeAndChild), "{\n\t\"r\": {\n\t\t\"@a\": \"1\",\n\t\t\"c\": \"x\"\n\t}\n}");
    EXPECT_EQ(Json(AttributeAndChild, Settings{JsonRoundTrip_None, true}),
              "{\n\t\"r\": {\n\t\t\"a\": \"1\",\n\t\t\"c\": \"x\"\n\t}\n}");
    EXPECT_EQ(Json(AttributeAndChild, kCompact), "{\"r\": {\"@a\": \"1\",\"c\": \"x\"}}");

    // Text beside attributes is a member of its own.
    const auto textBeside = [](CJsonTextWriter& w) {
        w.StartElement("a", "");
        w.WriteAttribute("x", "", "1", ItemType_string);
        w.WriteText("hi", ItemType_string, true);
        w.EndElement();
    };
    EXPECT_EQ(Json(textBeside, Settings{JsonRoundTrip_Standard, false}), "{\"a\": {\"@x\": \"1\",\"#text\": \"hi\"}}");
    EXPECT_EQ(Json(textBeside, Settings{JsonRoundTrip_None, false}), "{\"a\": {\"x\": \"1\",\"\": \"hi\"}}");

    // Comments, processing instructions, in-line schemas and nil markers.
    const auto extras = [](CJsonTextWriter& w) {
        w.WriteProcessingInstruction("<?pi x?>");
        w.StartElement("a", "");
        w.WriteInlineSchema("<xs:schema/>");
        w.WriteNil();
        w.WriteComment("c \"1\"");
        w.EndElement();
    };
    EXPECT_EQ(Json(extras, kCompact), "{\"a\": /* c \\\"1\\\" */\nnull}");
}

TEST(JsonWriter, ValuesAreQuotedByTypeAndEscaped)
{
    const auto values = [](CJsonTextWriter& w) {
        w.StartElement("r", "");
        const std::pair<ItemType, const char*> items[] = {
            {ItemType_i4, "5"},      {ItemType_string, "5"},        {ItemType_r8, "1.5E3"},
            {ItemType_boolean, "true"}, {ItemType_date, "2020-01-01"},
        };
        for (const auto& item : items)
            w.WriteAttribute("v", "", item.second, item.first);
        w.EndElement();
    };
    EXPECT_EQ(Json(values, kCompact),
              "{\"r\": {\"@v\": 5,\"@v\": \"5\",\"@v\": 1.5E3,\"@v\": true,\"@v\": \"2020-01-01\"}}");

    const auto escaped = [](CJsonTextWriter& w) {
        w.StartElement("s", "");
        w.WriteText("q\"b\\t\tx\x01\b\f/\r\n\xC3\xA9", ItemType_string, false);
        w.EndElement();
    };
    EXPECT_EQ(Json(escaped, kCompact),
              "{\"s\": \"q\\\"b\\\\t\\tx\\u0001\\b\\f/\n\xC3\xA9\"}");
    EXPECT_EQ(Json(escaped, Settings{JsonRoundTrip_Full, true, EOLType_CRLF}),
              "{\r\n\t\"s\": \"q\\\"b\\\\t\\tx\\u0001\\b\\f/\r\n\xC3\xA9\"\r\n}");
}

TEST(JsonWriter, EscapesAreFoundAtEveryPlaceOfALongText)
{
    // Strings are searched eight bytes at a time; every place of a word and
    // the bytes after the last whole word must be looked at.
    const auto reference = [](const std::string& text) {
        std::string out;
        for (const char c : text) {
            switch (c) {
            case '\0': return out;
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\x01': out += "\\u0001"; break;
            default: out += c;
            }
        }
        return out;
    };
    const std::string base = "abcdefghijklmnopqrstu";
    for (const char special : {'"', '\\', '\t', '\x01', '\0', '\xC3'}) {
        for (std::size_t at = 0; at < base.size(); ++at) {
            std::string text = base;
            text[at] = special;
            const std::string json = Json(
                [&](CJsonTextWriter& w) {
                    w.StartElement("s", "");
                    w.WriteText(text, ItemType_string, false);
                    w.EndElement();
                },
                kCompact);
            EXPECT_EQ(json, "{\"s\": \"" + reference(text) + "\"}") << "character " << static_cast<int>(special)
                                                                  << " at " << at;
        }
    }
}

// Arrays of objects and of values are checked through the object entry points.
TEST(JsonWriter, CollectionEdgeCases)
{
    // Items without any content are null.
    EXPECT_EQ(Json(
                  [](CJsonTextWriter& w) {
                      w.StartElement("R", "");
                      w.SetCollectionState(1);
                      for (int i = 0; i < 2; ++i) {
                          w.StartElement("item", "");
                          w.EndElement();
                      }
                      w.SetCollectionState(3);
                      w.EndElement();
                  },
                  kCompact),
              "{\"R\": {\"item\": [null,null]}}");

    // Two collections in a row, the second starting before the first was ended.
    const auto twoCollections = [](CJsonTextWriter& w) {
        w.StartElement("R", "");
        for (const char* name : {"a", "b"}) {
            w.SetCollectionState(1);
            for (int i = 0; i < 2; ++i) {
                w.StartElement(name, "");
                w.WriteText(name, ItemType_string, false);
                w.EndElement();
            }
        }
        w.SetCollectionState(3);
        w.EndElement();
    };
    EXPECT_EQ(Json(twoCollections, kCompact),
              "{\"R\": {\"a\": [\"a\",\"a\"],\"b\": [\"b\",\"b\"]}}");
}

TEST(JsonWriter, NamespacesInFullRoundTrip)
{
    // Declared namespaces (in URI order) and the default namespace are members of the document element.
    const auto declared = [](CJsonTextWriter& w) {
        w.AddNamespace("p", "urn:p");
        w.AddNamespace("xsi", XmlSchemaInstanceNamespaceUri);
        w.SetDefaultNamespace("urn:d");
        w.StartElement("a", "urn:d");
        w.WriteXsiType("urn:p", "T", ItemType_string);
        w.WriteAttribute("x", "urn:p", "1", ItemType_string);
        w.StartElement("b", "urn:p");
        w.WriteText("t", ItemType_string, false);
        w.EndElement();
        w.EndElement();
    };
    EXPECT_EQ(Json(declared, kCompact),
              "{\"a\": {\"@xmlns\": \"urn:d\",\"@xmlns:xsi\": \"http://www.w3.org/2001/XMLSchema-instance\","
              "\"@xmlns:p\": \"urn:p\",\"@xsi:type\": \"p:T\",\"@p:x\": \"1\",\"p:b\": \"t\"}}");
    // Without round-trip names namespaces are ignored, and so is the type attribute.
    EXPECT_EQ(Json(declared, Settings{JsonRoundTrip_Standard, false}), "{\"a\": {\"@x\": \"1\",\"b\": \"t\"}}");

    EXPECT_EQ(TestSupport::MessageOf([] {
                  Json([](CJsonTextWriter& w) {
                      w.StartElement("r", "");
                      w.WriteAttribute("at", "urn:x", "1", ItemType_string);
                  });
              }),
              "Unknown Namespace: at.");
}

TEST(JsonWriter, MisuseIsRefused)
{
    CTextStream stream(XmlEncoding_Unknown);
    CJsonTextWriter writer(&stream);
    EXPECT_EQ(TestSupport::MessageOf([&] { writer.SetEOLType(static_cast<EOLType>(2)); }), "Invalid EOL type.");
    EXPECT_EQ(writer.GetEOLType(), EOLType_LF);
    writer.Open();
    writer.StartElement("a", "");
    EXPECT_EQ(TestSupport::MessageOf([&] { writer.Close(); }), "An Element has not been closed.");
}

} // namespace
