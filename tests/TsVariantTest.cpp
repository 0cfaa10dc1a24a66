// The tagged value: typed storage, nil, copies, references and text forms.
#include "tsxmllib/MemoryLeakHelp.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsVariant.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace TsXmlLib16;

namespace {

constexpr auto kNone = CWhitespaceUtils::WhitespaceRule_None;
constexpr auto kCollapse = CWhitespaceUtils::WhitespaceRule_Collapse;

class Probe : public CXmlObjectBase, private CInstanceMonitor {
public:
    Probe() : TS_INSTANCE_MONITOR("CVariantProbe") {}
    CXmlObjectBase* GetBase() override { return this; }
    std::string GetNamespace() override { return ""; }

protected:
    std::string GetTargetNamespace() override { return ""; }
    void ToXml_Int(CXmlWriter*, bool, const char*, const CSerializationContext&, bool) const override {}
    CXmlElement* FromXml_Int(CXmlElement*, CXmlElement* first, const CSerializationContext&, bool) override
    {
        return first;
    }
};

class ProbeCol : public CXmlCollectionBase, private CInstanceMonitor {
public:
    ProbeCol() : CXmlCollectionBase("item", "", 0, -1), TS_INSTANCE_MONITOR("CVariantProbeCol") {}
    int GetCount() const override { return 0; }
    void Clear() override {}
    void Remove(int) override {}

protected:
    void ToXml_Int(CXmlWriter*, bool, const char*, const CSerializationContext&, bool) const override {}
    CXmlElement* FromXml_Int(CXmlElement*, CXmlElement* first, const CSerializationContext&, bool) override
    {
        return first;
    }
};

long References(CXmlObjectBase* object)
{
    object->AddRef();
    return object->Release();
}

using TestSupport::MessageOf;

TEST(TsVariant, DefaultIsEmpty)
{
    const TsVariant v;
    EXPECT_FALSE(v.IsValid());
    EXPECT_EQ(MessageOf([&] { v.GetType(); }), "Invalid Type 0");
    EXPECT_EQ(MessageOf([&] { v.ToString(nullptr); }), "Invalid Type 0 to convert to string");
}

// A few types whose text forms take different paths, read and written back with their names.
TEST(TsVariant, PrimitiveTypesRoundTripThroughText)
{
    struct Case {
        ItemType type;
        const char* name;
        const char* text;
        const char* written;
    };
    const std::vector<Case> cases = {
        {ItemType_hexBinary, "hexBinary", "0aff", "0AFF"}, {ItemType_ui4, "ui4", "-1", "4294967295"},
        {ItemType_i8, "i8", "-9223372036854775808", "-9223372036854775808"}, {ItemType_r8, "r8", "-INF", "-INF"},
        {ItemType_duration, "duration", "P1Y2M3DT4H5M6S", "P1Y2M3DT4H5M6S"}, {ItemType_day, "day", "---07", "---07"},
        {ItemType_time, "time", "10:20:30.5", "10:20:30.5"}, {ItemType_string, "string", " a  b ", "a b"},
        {ItemType_boolean, "boolean", "1", "true"}, {ItemType_decimal, "decimal", "1.50", "1.5"},
        {ItemType_integer, "integer", "-00123", "-123"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TsVariant v;
        v.FromString(c.text, c.type, kCollapse);
        EXPECT_EQ(v.GetTypeAsEnum(), c.type);
        EXPECT_EQ(v.GetType(), c.name);
        EXPECT_EQ(v.ToString(nullptr), c.written);
    }
}

TEST(TsVariant, GettersOfAnotherTypeAreRefused)
{
    TsVariant v;
    v.SetInteger(CBigInteger("123456789012345678901234567890"));
    EXPECT_EQ(v.GetInteger().ToString(), "123456789012345678901234567890");
    EXPECT_THROW(v.GetDecimal(), CTsInvalidStateException); // even a related type
    v.SetI4(1);
    EXPECT_THROW(v.GetUI4(), CTsInvalidStateException);
}

TEST(TsVariant, DateSettersKeepTheValueAsGiven)
{
    TsVariant v;
    v.SetDate(CDateTime("2001-05-06T10:20:30"));
    EXPECT_EQ(v.GetType(), "date");
    EXPECT_EQ(v.ToString(nullptr), "2001-05-06T10:20:30");
    v.FromString("2001", ItemType_date, kNone);
    EXPECT_EQ(v.GetDate().GetType(), CDateTime::dt_gYear);
    EXPECT_EQ(v.ToString(nullptr), "2001");
}

TEST(TsVariant, FormatsReachOnlyFloatsAndDecimals)
{
    TsVariant v;
    v.FromString("1.5", ItemType_r8, kNone);
    EXPECT_EQ(v.ToString("%.3f"), "1.500");
    v.SetDecimal(CDecimal("2.345"));
    EXPECT_EQ(v.ToString("x"), "2."); // no digits in the format: zero places
    v.SetI4(12);
    EXPECT_EQ(v.ToString("%.3f"), "12");
}

TEST(TsVariant, FailedConversionLeavesThePreviousContent)
{
    TsVariant v;
    v.SetString("keep");
    EXPECT_EQ(MessageOf([&] { v.FromString("x", ItemType_i4, kNone); }),
              "The value [x] can not be converted to a i4");
    EXPECT_THROW(v.FromString("2001-13", ItemType_yearMonth, kNone), CTsInvalidValueException);
    EXPECT_EQ(MessageOf([&] { v.FromString("1", static_cast<ItemType>(29), kNone); }),
              "Invalid Type 29 to convert to string");
    // A field the text's date form lacks is reported by the date value.
    EXPECT_THROW(v.FromString("--05", ItemType_day, kNone), CTsInvalidStateException);
    EXPECT_EQ(v.GetString(), "keep");
}

TEST(TsVariant, NilKeepsTheType)
{
    TsVariant v;
    v.SetI4(42);
    v.SetNil();
    EXPECT_TRUE(v.IsNil());
    EXPECT_EQ(v.GetType(), "i4");
    EXPECT_EQ(v.ToString(nullptr), "0");
    v.SetString("gone");
    EXPECT_FALSE(v.IsNil()); // a setter drops the nil flag
    v.SetNil();
    EXPECT_THROW(v.GetString(), CTsInvalidStateException); // getters refuse a nil value
    TsVariant nilOnly;
    nilOnly.SetNil();
    EXPECT_TRUE(nilOnly.IsValid()); // nil without a type is still a value
    nilOnly.SetInvalid();
    EXPECT_FALSE(nilOnly.IsValid());
}

TEST(TsVariant, CopiesAreDeep)
{
    TsVariant original;
    const unsigned char bytes[] = {1, 2, 3};
    original.SetHexBinary(CBinaryData(const_cast<unsigned char*>(bytes), 3, false));
    TsVariant copy;
    copy = original;
    original.Clear();
    EXPECT_EQ(copy.ToString(nullptr), "010203");
}

TEST(TsVariant, OwnedValuesReplaceEachOtherInPlace)
{
    // Every owned type in turn over the same variant, each one destroyed
    // before the next is made (the leak checks of the sanitizer build see any
    // that is not), copies of each, and nil in between.
    TsVariant v;
    const std::string longText(100, 'x'); // beyond the string's own small buffer
    v.SetString(longText);
    TsVariant copy(v);
    v.SetDecimal(CDecimal("-12.50"));
    EXPECT_EQ(copy.GetString(), longText);
    copy = v;
    EXPECT_EQ(copy.ToString(nullptr), "-12.5");
    v.SetInteger(CBigInteger("123456789012345678901234567890"));
    v.FromString("2024-02-29", ItemType_date, kNone);
    EXPECT_EQ(v.ToString(nullptr), "2024-02-29");
    v.FromString("P1DT2H", ItemType_duration, kNone);
    EXPECT_EQ(v.ToString(nullptr), "P1DT2H");
    v.FromString("0aff", ItemType_hexBinary, kNone);
    copy = v;
    v.SetNil();
    EXPECT_EQ(v.ToString(nullptr), ""); // an owned type's nil has no text
    EXPECT_THROW(v.GetHexBinary(), CTsInvalidStateException);
    copy = v;
    EXPECT_TRUE(copy.IsNil());
    EXPECT_EQ(copy.GetType(), "hexBinary");
    v.SetString(longText);
    TsVariant& same = copy;
    copy = same; // self-assignment keeps the value, nil or not
    EXPECT_TRUE(copy.IsNil());
    copy = v;
    copy = same;
    EXPECT_EQ(copy.GetString(), longText);
    v.SetI4(7);
    copy = v;
    EXPECT_EQ(copy.GetI4(), 7);
}

TEST(TsVariant, SettersAcceptTheVariantsOwnValue)
{
    TsVariant v;
    v.SetString(std::string(40, 'a'));
    v.SetString(v.GetStringRef()); // the argument is copied before the old value goes
    EXPECT_EQ(v.GetString(), std::string(40, 'a'));
    v.SetDecimal(CDecimal("1.5"));
    v.SetDecimal(v.GetDecimal());
    EXPECT_EQ(v.ToString(nullptr), "1.5");
}

TEST(TsVariant, WithTextHandsOutTheHeldString)
{
    TsVariant v;
    v.SetString("abc");
    const std::string* seen = nullptr;
    v.WithText(std::string(), [&](const std::string& text) { seen = &text; });
    EXPECT_EQ(seen, &v.GetStringRef());
    v.SetR8(2.5);
    EXPECT_EQ(v.WithText("%.2f", [](const std::string& text) { return text; }), v.ToString("%.2f"));
    v.SetDecimal(CDecimal("-12.50"));
    EXPECT_EQ(v.WithText(std::string(), [](const std::string& text) { return text; }), "-12.5");
    v.SetString("x");
    v.SetNil();
    EXPECT_EQ(v.WithText(std::string(), [](const std::string& text) { return text; }), "");
    EXPECT_THROW(v.GetStringRef(), CTsInvalidStateException);
    TsVariant empty;
    EXPECT_THROW(empty.WithText(std::string(), [](const std::string&) {}), CTsException);
}

TEST(TsVariant, ObjectsAndCollectionsAreCounted)
{
    CSmartPtr<Probe> object(new Probe);
    ASSERT_EQ(References(object), 1);
    {
        TsVariant v;
        v.SetXmlObject(object);
        v.SetXmlObject(object); // the same object again
        EXPECT_EQ(References(object), 2);
        TsVariant copy(v);
        EXPECT_EQ(References(object), 3);
        EXPECT_EQ(MessageOf([&] { v.GetType(); }), "Invalid Type 27");
        v.SetI4(1);
        copy.SetNil();
        EXPECT_EQ(References(object), 1);
    }

    CSmartPtr<ProbeCol> collection(new ProbeCol);
    {
        TsVariant v;
        v.SetXmlCollection(collection);
        // A collection is also reachable as an object.
        EXPECT_EQ(static_cast<CXmlObjectBase*>(v.GetXmlObject()), static_cast<CXmlObjectBase*>(collection.get()));
        const TsVariant& same = v;
        v = same;
        EXPECT_EQ(References(collection), 2);
        EXPECT_EQ(MessageOf([&] { v.GetType(); }), "Invalid Type 28");
    }
    EXPECT_EQ(References(collection), 1);
}

} // namespace
