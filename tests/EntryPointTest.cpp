// The entry points end to end: an object written in every byte form (plain,
// gzip, zlib; UTF-8 and UTF-16) reads back the same.
#include "tsxmllib/MemoryLeakHelp.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlElement.h"
#include "tsxmllib/XmlObjectBase.h"
#include "tsxmllib/XmlWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace TsXmlLib16;

namespace {

class ValueList : public CXmlObjectBase, private CInstanceMonitor {
public:
    ValueList() : TS_INSTANCE_MONITOR("CValueList") { SetElementName("list"); }
    CXmlObjectBase* GetBase() override { return this; }
    std::string GetNamespace() override { return "urn:list"; }
    std::vector<std::string> values;
    std::string rootName;

protected:
    std::string GetTargetNamespace() override { return "urn:list"; }
    void ToXml_Int(CXmlWriter* writer, bool, const char* ns, const CSerializationContext&, bool) const override
    {
        writer->StartElement(GetElementName(), ns);
        for (const std::string& v : values) {
            writer->StartElement("value", ns);
            writer->WriteText(v, ItemType_string, false);
            writer->EndElement();
        }
        writer->EndElement();
    }
    CXmlElement* FromXml_Int(CXmlElement* element, CXmlElement* first, const CSerializationContext& ctx,
                             bool) override
    {
        rootName = element->GetLocalName();
        values.clear();
        for (CXmlElement* e = first; e; e = e->GetNextSiblingElement()) {
            if (!DoesElementNameMatch(ctx, e, "value", "urn:list"))
                throw CTsValidationException("Unexpected element", e->GetXPath());
            values.push_back(e->GetText());
        }
        return nullptr;
    }
};

class EntryPoints : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 200; ++i)
            original.values.push_back("value " + std::to_string(i) + " <&> \xC3\xA9\xE2\x82\xAC");
    }
    void ExpectRead(const ValueList& copy) const
    {
        EXPECT_EQ(copy.values, original.values);
        EXPECT_EQ(copy.rootName, "list");
    }
    ValueList original;
    CSerializationContext ctx;
};

TEST_F(EntryPoints, StreamsInEveryEncodingAndCompression)
{
    for (XmlEncoding encoding : {XmlEncoding_UTF8, XmlEncoding_UTF16, XmlEncoding_UTF16NoDecl}) {
        for (CompressionType compression : {CompressionType_None, CompressionType_GZIP, CompressionType_ZLIB}) {
            SCOPED_TRACE(std::to_string(encoding) + "/" + std::to_string(compression));
            const CBinaryData bytes = original.ToXmlStream(true, true, encoding, EOLType_CRLF, ctx, compression);
            if (compression == CompressionType_GZIP) {
                EXPECT_EQ(bytes[0], 0x1F);
                EXPECT_EQ(bytes[1], 0x8B);
            } else if (compression == CompressionType_ZLIB) {
                EXPECT_EQ(bytes[0], 0x78);
                EXPECT_EQ(bytes[1], 0x01);
            }
            ValueList copy;
            copy.FromXmlStream(bytes, ctx);
            ExpectRead(copy);
        }
    }
}

TEST_F(EntryPoints, StringsAndWideText)
{
    ValueList copy;
    copy.FromXml(original.ToXml(true, false, EOLType_LF, ctx).c_str(), ctx);
    ExpectRead(copy);
    ValueList wide;
    wide.FromXml(L"<list xmlns='urn:list'><value>\u00e9\U0001F600</value></list>", ctx);
    ASSERT_EQ(wide.values.size(), 1u);
    EXPECT_EQ(wide.values[0], "\xC3\xA9\xF0\x9F\x98\x80");
}

TEST_F(EntryPoints, ReadFailuresCarryThePath)
{
    ValueList copy;
    try {
        copy.FromXml("<list xmlns='urn:list'><value>1</value><other/></list>", ctx);
        ADD_FAILURE() << "no exception";
    } catch (const CTsValidationException& e) {
        EXPECT_EQ(e.GetPath(), "/list/other");
    }
    // The root's name is not checked.
    copy.FromXml("<other xmlns='urn:list'><value>x</value></other>", ctx);
    EXPECT_EQ(copy.rootName, "other");
}

} // namespace
