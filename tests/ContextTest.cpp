// Serialization options and the namespace alias table.
#include "tsxmllib/FastInfosetContext.h"
#include "tsxmllib/JsonContext.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace TsXmlLib16;
using TestSupport::MessageOf;

namespace {

TEST(SerializationContext, Defaults)
{
    const CSerializationContext ctx;
    EXPECT_TRUE(ctx.GetWriteTypeAttribute());
    EXPECT_TRUE(ctx.GetStripCDATA());
    EXPECT_FALSE(ctx.GetIgnoreInvalidCollectionCounts() || ctx.GetIgnoreMissingChoice() ||
                 ctx.GetIgnoreMissingMandatoryElements() || ctx.GetIgnoreUnknownElements() ||
                 ctx.GetIgnoreUnknownAttributes() || ctx.GetIgnoreNamespaces() ||
                 ctx.GetNoOptionalAttributeDefaultOutput() || ctx.GetWriteDefaultElementValues());
    EXPECT_EQ(ctx.GetIndentChars(), "\t");
    EXPECT_EQ(ctx.GetJsonContext().GetSupportRoundtrip(), JsonRoundTrip_Full);
    EXPECT_TRUE(ctx.GetJsonContext().GetAllowComments());
}

TEST(SerializationContext, SchemaTypeTwoIgnoresNamespaces)
{
    CSerializationContext ctx;
    ctx.SetSchemaType(SchemaType_NoNamespaces);
    EXPECT_TRUE(ctx.GetIgnoreNamespaces());
    ctx.SetSchemaType(SchemaType_Namespaces);
    EXPECT_FALSE(ctx.GetIgnoreNamespaces());
}

TEST(SerializationContext, ToleranceExclusion)
{
    const std::string first = "The parser can only ignore additional elements, or ignore the fact that some required "
                              "ones are missing, you can not ignore both\n";
    CSerializationContext ctx;
    ctx.SetIgnoreUnknownElements(true);
    EXPECT_EQ(MessageOf<CTsInvalidStateException>([&] { ctx.SetIgnoreMissingMandatoryElements(true); }),
              first + "Set IgnoreUnknownElements to false before setting IgnoreMissingMandatoryElements to true");
    EXPECT_FALSE(ctx.GetIgnoreMissingMandatoryElements());
    ctx.SetIgnoreUnknownElements(false);
    ctx.SetIgnoreMissingMandatoryElements(true);
    EXPECT_EQ(MessageOf<CTsInvalidStateException>([&] { ctx.SetIgnoreUnknownElements(true); }),
              first + "Set IgnoreMissingMandatoryElements to false before setting IgnoreUnknownElements to true");
    ctx.SetIgnoreUnknownElements(false);  // turning off always succeeds
    EXPECT_FALSE(ctx.GetIgnoreUnknownElements());
}

TEST(SerializationContext, IndentValidation)
{
    CSerializationContext ctx;
    ctx.SetIndentChars("  \t");
    EXPECT_EQ(MessageOf<CTsInvalidParamException>([&] { ctx.SetIndentChars(" x"); }),
              "IndentChars can only contain Whitespace characters, i.e. \\t or spaces");
    EXPECT_EQ(ctx.GetIndentChars(), "  \t");
    ctx.SetIndentChars(nullptr);
    EXPECT_EQ(ctx.GetIndentChars(), "");
}

TEST(SerializationContext, CopiesOwnTheirSubContexts)
{
    CSerializationContext original;
    original.SetIndentChars("  ");
    original.GetNamespaceAliases().Add("p", "urn:p");
    original.GetJsonContext().SetSupportRoundtrip(JsonRoundTrip_None);
    original.SetIgnoreUnknownElements(true);

    CSerializationContext copy(original);
    EXPECT_EQ(copy.GetIndentChars(), "  ");
    EXPECT_TRUE(copy.GetIgnoreUnknownElements());
    EXPECT_EQ(copy.GetNamespaceAliases().GetAliasFromNamespace("urn:p"), "p");
    EXPECT_EQ(copy.GetJsonContext().GetSupportRoundtrip(), JsonRoundTrip_None);
    EXPECT_NE(&copy.GetJsonContext(), &original.GetJsonContext());

    CSerializationContext assigned;
    assigned = original;
    EXPECT_EQ(assigned.GetJsonContext().GetSupportRoundtrip(), JsonRoundTrip_None);
    CSerializationContext& alias = assigned;
    assigned = alias;  // self-assignment keeps the settings
    EXPECT_EQ(assigned.GetIndentChars(), "  ");
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

    map.Add("c2", "urn:c");  // replaces the alias
    EXPECT_EQ(map.GetAliasFromNamespace("urn:c"), "c2");
    EXPECT_FALSE(map.DoesAliasExist("z"));

    // An unknown URI is added with an empty alias.
    EXPECT_EQ(map.GetAliasFromNamespace("urn:new"), "");
    EXPECT_TRUE(map.DoesNamespaceExist("urn:new"));
    map.RemoveNamespace("urn:new");
    EXPECT_EQ(map.GetNamespaceCount(), 5);
    EXPECT_EQ(MessageOf([&] { map.GetNamespaceFromAlias("nope"); }), "Namespace alias [nope] not found");
}

} // namespace
