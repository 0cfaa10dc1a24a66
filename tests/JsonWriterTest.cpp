// The JSON text writer, driven through the writer interface as the generated
// classes and the metadata drive it.
#include "tsxmllib/JsonReaderToXmlHandler.h"
#include "tsxmllib/JsonTextWriter.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TextStream.h"
#include "tsxmllib/TsException.h"

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

Settings Mode(JsonRoundTrip mode, bool pretty = true)
{
    Settings settings;
    settings.mode = mode;
    settings.pretty = pretty;
    return settings;
}

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
    EXPECT_EQ(Json(AttributeAndChild, Mode(JsonRoundTrip_Standard)),
              "{\n\t\"r\": {\n\t\t\"@a\": \"1\",\n\t\t\"c\": \"x\"\n\t}\n}");
    EXPECT_EQ(Json(AttributeAndChild, Mode(JsonRoundTrip_None)),
              "{\n\t\"r\": {\n\t\t\"a\": \"1\",\n\t\t\"c\": \"x\"\n\t}\n}");
    EXPECT_EQ(Json(AttributeAndChild, Mode(JsonRoundTrip_Full, false)), "{\"r\": {\"@a\": \"1\",\"c\": \"x\"}}");

    // Text beside attributes is a member of its own.
    const auto textBeside = [](CJsonTextWriter& w) {
        w.StartElement("a", "");
        w.WriteAttribute("x", "", "1", ItemType_string);
        w.WriteText("hi", ItemType_string, true);
        w.EndElement();
    };
    EXPECT_EQ(Json(textBeside, Mode(JsonRoundTrip_Standard, false)), "{\"a\": {\"@x\": \"1\",\"#text\": \"hi\"}}");
    EXPECT_EQ(Json(textBeside, Mode(JsonRoundTrip_None, false)), "{\"a\": {\"x\": \"1\",\"\": \"hi\"}}");

    // Comments, processing instructions, in-line schemas and nil markers.
    const auto extras = [](CJsonTextWriter& w) {
        w.WriteProcessingInstruction("<?pi x?>");
        w.StartElement("a", "");
        w.WriteInlineSchema("<xs:schema/>");
        w.WriteNil();
        w.WriteComment("c \"1\"");
        w.EndElement();
    };
    EXPECT_EQ(Json(extras, Mode(JsonRoundTrip_Full, false)), "{\"a\": /* c \\\"1\\\" */\nnull}");
}

TEST(JsonWriter, ValuesAreQuotedByTypeAndEscaped)
{
    const auto values = [](CJsonTextWriter& w) {
        w.StartElement("r", "");
        const std::pair<ItemType, const char*> items[] = {
            {ItemType_i4, "5"},          {ItemType_string, "5"},      {ItemType_r8, "1.5E3"},
            {ItemType_boolean, "true"},  {ItemType_decimal, "-0.1"},  {ItemType_integer, "12"},
            {ItemType_date, "2020-01-01"}, {ItemType_hexBinary, "0A"}, {ItemType_ui8, "7"},
        };
        for (const auto& item : items)
            w.WriteAttribute("v", "", item.second, item.first);
        w.EndElement();
    };
    EXPECT_EQ(Json(values, Mode(JsonRoundTrip_Full, false)),
              "{\"r\": {\"@v\": 5,\"@v\": \"5\",\"@v\": 1.5E3,\"@v\": true,\"@v\": -0.1,\"@v\": 12,"
              "\"@v\": \"2020-01-01\",\"@v\": \"0A\",\"@v\": 7}}");

    const auto escaped = [](CJsonTextWriter& w) {
        w.StartElement("s", "");
        w.WriteText("q\"b\\t\tx\x01\b\f/\r\n\xC3\xA9", ItemType_string, false);
        w.EndElement();
    };
    EXPECT_EQ(Json(escaped, Mode(JsonRoundTrip_Full, false)),
              "{\"s\": \"q\\\"b\\\\t\\tx\\u0001\\b\\f/\n\xC3\xA9\"}");
    Settings crlf;
    crlf.eol = EOLType_CRLF;
    EXPECT_EQ(Json(escaped, crlf), "{\r\n\t\"s\": \"q\\\"b\\\\t\\tx\\u0001\\b\\f/\r\n\xC3\xA9\"\r\n}");
}

// A holder with a collection of two items, each written by the callback.
void Collection(CJsonTextWriter& w, const std::function<void(CJsonTextWriter&, int)>& item, bool sibling)
{
    w.StartElement("R", "");
    w.SetCollectionState(1);
    for (int i = 1; i <= 2; ++i) {
        w.StartElement("item", "");
        item(w, i);
        w.EndElement();
    }
    w.SetCollectionState(3);
    if (sibling) {
        w.StartElement("next", "");
        w.WriteText("1", ItemType_i4, false);
        w.EndElement();
    }
    w.EndElement();
}

TEST(JsonWriter, CollectionsBecomeArrays)
{
    const auto objects = [](CJsonTextWriter& w, int i) {
        w.WriteAttribute("a", "", std::to_string(i), ItemType_string);
    };
    EXPECT_EQ(Json([&](CJsonTextWriter& w) { Collection(w, objects, false); }),
              "{\n\t\"R\": {\n\t\t\"item\": [\n\t\t\t{\n\t\t\t\t\"@a\": \"1\"\n\t\t\t},\n\t\t\t{\n\t\t\t\t\"@a\": "
              "\"2\"\n\t\t\t}\n\t\t]\n\t}\n}");
    EXPECT_EQ(Json([&](CJsonTextWriter& w) { Collection(w, objects, true); }, Mode(JsonRoundTrip_Full, false)),
              "{\"R\": {\"item\": [{\"@a\": \"1\"},{\"@a\": \"2\"}],\"next\": 1}}");

    // Items that hold only a value form an array of values.
    const auto values = [](CJsonTextWriter& w, int i) { w.WriteText(std::to_string(i), ItemType_i4, false); };
    EXPECT_EQ(Json([&](CJsonTextWriter& w) { Collection(w, values, false); }),
              "{\n\t\"R\": {\n\t\t\"item\": [\n\t\t\t1,\n\t\t\t2\n\t\t]\n\t}\n}");
    EXPECT_EQ(Json([&](CJsonTextWriter& w) { Collection(w, values, true); }, Mode(JsonRoundTrip_Full, false)),
              "{\"R\": {\"item\": [1,2],\"next\": 1}}");
    // Items without any content are null.
    const auto empty = [](CJsonTextWriter&, int) {};
    EXPECT_EQ(Json([&](CJsonTextWriter& w) { Collection(w, empty, false); }, Mode(JsonRoundTrip_Full, false)),
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
    EXPECT_EQ(Json(twoCollections, Mode(JsonRoundTrip_Full, false)),
              "{\"R\": {\"a\": [\"a\",\"a\"],\"b\": [\"b\",\"b\"]}}");
    EXPECT_EQ(Json(twoCollections),
              "{\n\t\"R\": {\n\t\t\"a\": [\n\t\t\t\"a\",\n\t\t\t\"a\"\n\t\t],\n\t\t\"b\": [\n\t\t\t\"b\",\n\t\t\t\"b\"\n"
              "\t\t]\n\t}\n}");
}

TEST(JsonWriter, NamespacesInFullRoundTrip)
{
    // The document element in an undeclared namespace gets a generated prefix.
    EXPECT_EQ(Json([](CJsonTextWriter& w) {
                  w.StartElement("a", "urn:u");
                  w.EndElement();
              }),
              "{\n\t\"AA:a\": {\n\t\t\"@xmlns:AA\": \"urn:u\"\n\t}\n}");
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
    EXPECT_EQ(Json(declared, Mode(JsonRoundTrip_Full, false)),
              "{\"a\": {\"@xmlns\": \"urn:d\",\"@xmlns:xsi\": \"http://www.w3.org/2001/XMLSchema-instance\","
              "\"@xmlns:p\": \"urn:p\",\"@xsi:type\": \"p:T\",\"@p:x\": \"1\",\"p:b\": \"t\"}}");
    // Without round-trip names namespaces are ignored, and so is the type attribute.
    EXPECT_EQ(Json(declared, Mode(JsonRoundTrip_Standard, false)), "{\"a\": {\"@x\": \"1\",\"b\": \"t\"}}");

    const auto unknown = [](const std::function<void(CJsonTextWriter&)>& inner) {
        try {
            Json([&](CJsonTextWriter& w) {
                w.StartElement("r", "");
                inner(w);
            });
        } catch (const CTsException& e) {
            return e.GetMessage();
        }
        return std::string();
    };
    EXPECT_EQ(unknown([](CJsonTextWriter& w) { w.StartElement("c", "urn:x"); }), "Unknown Namespace: c.");
    EXPECT_EQ(unknown([](CJsonTextWriter& w) { w.WriteAttribute("at", "urn:x", "1", ItemType_string); }),
              "Unknown Namespace: at.");
    EXPECT_EQ(unknown([](CJsonTextWriter& w) { w.WriteXsiType("urn:x", "T", ItemType_string); }),
              "Unknown Namespace: T.");
}

TEST(JsonWriter, MisuseIsRefused)
{
    CTextStream stream(XmlEncoding_Unknown);
    CJsonTextWriter writer(&stream);
    try {
        writer.SetEOLType(static_cast<EOLType>(2));
        ADD_FAILURE() << "no exception";
    } catch (const CTsException& e) {
        EXPECT_EQ(e.GetMessage(), "Invalid EOL type.");
    }
    EXPECT_EQ(writer.GetEOLType(), EOLType_LF);
    writer.Open();
    writer.StartElement("a", "");
    try {
        writer.Close();
        ADD_FAILURE() << "no exception";
    } catch (const CTsException& e) {
        EXPECT_EQ(e.GetMessage(), "An Element has not been closed.");
    }
}

// What the writer produces for collections reads back into the same elements.
TEST(JsonWriter, OutputConvertsBackToTheSameXml)
{
    const std::string json = Json([](CJsonTextWriter& w) {
        w.StartElement("R", "");
        w.WriteAttribute("id", "", "7", ItemType_i4);
        w.SetCollectionState(1);
        for (const char* v : {"x", "y z"}) {
            w.StartElement("s", "");
            w.WriteText(v, ItemType_string, false);
            w.EndElement();
        }
        w.SetCollectionState(3);
        w.SetCollectionState(1);
        for (int i = 0; i < 2; ++i) {
            w.StartElement("o", "");
            w.WriteAttribute("k", "", std::to_string(i), ItemType_i4);
            w.WriteText("t", ItemType_string, false);
            w.EndElement();
        }
        w.SetCollectionState(3);
        w.StartElement("e", "");
        w.EndElement();
        w.EndElement();
    });
    CSerializationContext ctx;
    const CBinaryData xml = ConvertJsonToXml(json, ctx);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(xml.GetData()), xml.GetLength()),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<R id=\"7\">\n\t<s>x</s>\n\t<s>y z</s>\n\t<o k=\"0\">t</o>\n"
              "\t<o k=\"1\">t</o>\n\t<e/>\n</R>\n");
}

} // namespace
