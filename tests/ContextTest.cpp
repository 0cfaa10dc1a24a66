// Serialization options and the namespace alias table.
#include "tsxmllib/FastInfosetContext.h"
#include "tsxmllib/JsonContext.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"

#include <gtest/gtest.h>

using namespace TsXmlLib16;

namespace {

TEST(SerializationContext, Defaults)
{
    const CSerializationContext ctx;
    EXPECT_TRUE(ctx.GetWriteTypeAttribute());
    EXPECT_TRUE(ctx.GetStripCDATA());
    EXPECT_FALSE(ctx.GetIgnoreInvalidCollectionCounts());
    EXPECT_FALSE(ctx.GetIgnoreMissingChoice());
    EXPECT_FALSE(ctx.GetIgnoreMissingMandatoryElements());
    EXPECT_FALSE(ctx.GetIgnoreUnknownElements());
    EXPECT_FALSE(ctx.GetIgnoreUnknownAttributes());
    EXPECT_FALSE(ctx.GetIgnoreNamespaces());
    EXPECT_FALSE(ctx.GetNoOptionalAttributeDefaultOutput());
    EXPECT_FALSE(ctx.GetWriteDefaultElementValues());
    EXPECT_EQ(ctx.GetIndentChars(), "\t");
    EXPECT_EQ(ctx.GetSchemaType(), SchemaType_Default);
    EXPECT_EQ(ctx.GetNamespaceAliases().GetNamespaceCount(), 0);
    EXPECT_TRUE(ctx.GetProcessingInstructions().empty());
    EXPECT_EQ(ctx.GetDefaultNamespaceURI(), "");
    EXPECT_EQ(ctx.GetInLineSchema(), "");
    EXPECT_EQ(ctx.GetJsonContext().GetSupportRoundtrip(), JsonRoundTrip_Full);
    EXPECT_TRUE(ctx.GetJsonContext().GetAllowComments());
    EXPECT_EQ(&ctx.GetJsonContext(), &ctx.GetJsonContext());
    EXPECT_EQ(&ctx.GetFIContext(), &ctx.GetFIContext());
}

TEST(SerializationContext, SchemaTypeTwoIgnoresNamespaces)
{
    CSerializationContext ctx;
    ctx.SetSchemaType(SchemaType_NoNamespaces);
    EXPECT_TRUE(ctx.GetIgnoreNamespaces());
    ctx.SetSchemaType(SchemaType_Namespaces);
    EXPECT_FALSE(ctx.GetIgnoreNamespaces());
    ctx.SetIgnoreNamespaces(true);
    EXPECT_TRUE(ctx.GetIgnoreNamespaces());
}

TEST(SerializationContext, ToleranceExclusion)
{
    const std::string first = "The parser can only ignore additional elements, or ignore the fact that some required "
                               "ones are missing, you can not ignore both\n";
    CSerializationContext ctx;
    ctx.SetIgnoreUnknownElements(true);
    try {
        ctx.SetIgnoreMissingMandatoryElements(true);
        FAIL();
    } catch (const CTsInvalidStateException& e) {
        EXPECT_EQ(e.GetMessage(),
                  first + "Set IgnoreUnknownElements to false before setting IgnoreMissingMandatoryElements to true");
    }
    EXPECT_FALSE(ctx.GetIgnoreMissingMandatoryElements());
    EXPECT_TRUE(ctx.GetIgnoreUnknownElements());
    ctx.SetIgnoreUnknownElements(false);
    ctx.SetIgnoreMissingMandatoryElements(true);
    ctx.SetIgnoreMissingMandatoryElements(true);  // again, while the other is off
    try {
        ctx.SetIgnoreUnknownElements(true);
        FAIL();
    } catch (const CTsInvalidStateException& e) {
        EXPECT_EQ(e.GetMessage(),
                  first + "Set IgnoreMissingMandatoryElements to false before setting IgnoreUnknownElements to true");
    }
    ctx.SetIgnoreUnknownElements(false);  // turning off always succeeds
    EXPECT_FALSE(ctx.GetIgnoreUnknownElements());
}

TEST(SerializationContext, IndentValidation)
{
    CSerializationContext ctx;
    ctx.SetIndentChars("  \t");
    EXPECT_EQ(ctx.GetIndentChars(), "  \t");
    try {
        ctx.SetIndentChars(" x");
        FAIL();
    } catch (const CTsInvalidParamException& e) {
        EXPECT_EQ(e.GetMessage(), "IndentChars can only contain Whitespace characters, i.e. \\t or spaces");
    }
    EXPECT_EQ(ctx.GetIndentChars(), "  \t");
    ctx.SetIndentChars(nullptr);
    EXPECT_EQ(ctx.GetIndentChars(), "");
    ctx.SetIndentChars("");
    EXPECT_EQ(ctx.GetIndentChars(), "");
}

TEST(SerializationContext, CopiesOwnTheirSubContexts)
{
    CSerializationContext original;
    original.SetIndentChars("  ");
    original.GetNamespaceAliases().Add("p", "urn:p");
    original.GetProcessingInstructions().push_back("pi");
    original.GetJsonContext().SetSupportRoundtrip(JsonRoundTrip_None);
    original.SetIgnoreUnknownElements(true);

    CSerializationContext copy(original);
    EXPECT_EQ(copy.GetIndentChars(), "  ");
    EXPECT_TRUE(copy.GetIgnoreUnknownElements());
    EXPECT_EQ(copy.GetNamespaceAliases().GetAliasFromNamespace("urn:p"), "p");
    EXPECT_EQ(copy.GetProcessingInstructions().size(), 1u);
    EXPECT_EQ(copy.GetJsonContext().GetSupportRoundtrip(), JsonRoundTrip_None);
    EXPECT_NE(&copy.GetJsonContext(), &original.GetJsonContext());

    CSerializationContext assigned;
    assigned.GetJsonContext();
    assigned = original;
    EXPECT_EQ(assigned.GetJsonContext().GetSupportRoundtrip(), JsonRoundTrip_None);
    CSerializationContext& alias = assigned;
    assigned = alias;  // self-assignment keeps the settings
    EXPECT_EQ(assigned.GetIndentChars(), "  ");
}

TEST(SerializationContext, DefaultContextIsShared)
{
    CSerializationContext& a = CSerializationContext::GetDefaultContext();
    EXPECT_EQ(&a, &CSerializationContext::GetDefaultContext());
    EXPECT_EQ(a.GetIndentChars(), "\t");
}

TEST(NamespaceAliasMap, LookupsAndOrder)
{
    CNamespaceAliasMap map;
    map.Add("z", "urn:c");
    map.Add("a", "urn:a");
    map.Add("b", "urn:b");
    map.Add("shared", "urn:y");
    map.Add("shared", "urn:x");
    ASSERT_EQ(map.GetNamespaceCount(), 5);
    EXPECT_EQ(map.GetNamespaceAt(0), "urn:a");
    EXPECT_EQ(map.GetNamespaceAt(2), "urn:c");
    EXPECT_EQ(map.GetNamespaceAt(4), "urn:y");
    // An alias held by two URIs resolves to the one that sorts first.
    EXPECT_EQ(map.GetNamespaceFromAlias("shared"), "urn:x");
    EXPECT_TRUE(map.DoesAliasExist("z"));
    EXPECT_FALSE(map.DoesAliasExist("q"));

    map.Add("c2", "urn:c");  // replaces the alias
    EXPECT_EQ(map.GetAliasFromNamespace("urn:c"), "c2");
    EXPECT_EQ(map.GetNamespaceCount(), 5);

    // An unknown URI is added with an empty alias.
    EXPECT_EQ(map.GetAliasFromNamespace("urn:new"), "");
    EXPECT_EQ(map.GetNamespaceCount(), 6);
    EXPECT_TRUE(map.DoesNamespaceExist("urn:new"));

    map.RemoveNamespace("urn:new");
    map.RemoveNamespace("urn:absent");
    EXPECT_EQ(map.GetNamespaceCount(), 5);
    try {
        map.GetNamespaceFromAlias("nope");
        FAIL();
    } catch (const CTsException& e) {
        EXPECT_EQ(e.GetMessage(), "Namespace alias [nope] not found");
    }
    const CNamespaceAliasMap copy(map);
    EXPECT_EQ(copy.GetNamespaceCount(), 5);
}

} // namespace
