// The tagged value: typed storage, nil, copies, references and text forms.
#include "tsxmllib/MemoryLeakHelp.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsVariant.h"

#include <gtest/gtest.h>

#include <functional>
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

std::string MessageOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const CTsException& e) {
        return e.GetMessage();
    }
    return "(no exception)";
}

TEST(TsVariant, DefaultIsEmpty)
{
    const TsVariant v;
    EXPECT_FALSE(v.IsValid());
    EXPECT_FALSE(v.IsNil());
    EXPECT_EQ(v.GetTypeAsEnum(), ItemType_Invalid);
    EXPECT_EQ(MessageOf([&] { v.GetType(); }), "Invalid Type 0");
    EXPECT_EQ(MessageOf([&] { v.ToString(nullptr); }), "Invalid Type 0 to convert to string");
    EXPECT_THROW(v.GetI4(), CTsInvalidStateException);
}

// Every primitive type read from text and written back, with its lexical name.
TEST(TsVariant, EveryPrimitiveTypeRoundTripsThroughText)
{
    struct Case {
        ItemType type;
        const char* name;
        const char* text;
        const char* written;
    };
    const std::vector<Case> cases = {
        {ItemType_hexBinary, "hexBinary", "0aff", "0AFF"},
        {ItemType_base64Binary, "base64Binary", "AQID", "AQID"},
        {ItemType_i1, "i1", "-5", "-5"},
        {ItemType_i2, "i2", "+300", "300"},
        {ItemType_i4, "i4", "12", "12"},
        {ItemType_i8, "i8", "-9223372036854775808", "-9223372036854775808"},
        {ItemType_ui1, "ui1", "255", "255"},
        {ItemType_ui2, "ui2", "65535", "65535"},
        {ItemType_ui4, "ui4", "-1", "4294967295"},
        {ItemType_ui8, "ui8", "18446744073709551615", "18446744073709551615"},
        {ItemType_r4, "r4", "0.1", "0.1"},
        {ItemType_r8, "r8", "-INF", "-INF"},
        {ItemType_duration, "duration", "P1Y2M3DT4H5M6S", "P1Y2M3DT4H5M6S"},
        {ItemType_yearMonth, "yearMonth", "2001-05", "2001-05"},
        {ItemType_monthDay, "monthDay", "--05-06", "--05-06"},
        {ItemType_year, "year", "2001", "2001"},
        {ItemType_month, "month", "--05", "--05"},
        {ItemType_day, "day", "---07", "---07"},
        {ItemType_date, "date", "2001-05-06", "2001-05-06"},
        {ItemType_datetime, "datetime", "2001-05-06T10:20:30", "2001-05-06T10:20:30"},
        {ItemType_time, "time", "10:20:30.5", "10:20:30.5"},
        {ItemType_char, "char", "x", "x"},
        {ItemType_string, "string", " a  b ", "a b"},
        {ItemType_boolean, "boolean", "1", "true"},
        {ItemType_decimal, "decimal", "1.50", "1.5"},
        {ItemType_integer, "integer", "-00123", "-123"},
    };
    ASSERT_EQ(cases.size(), 26u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TsVariant v;
        v.FromString(c.text, c.type, kCollapse);
        EXPECT_EQ(v.GetTypeAsEnum(), c.type);
        EXPECT_EQ(v.GetType(), c.name);
        EXPECT_EQ(v.ToString(nullptr), c.written);
        EXPECT_EQ(v.ToString(""), c.written);
        // A copy writes the same text.
        const TsVariant copy(v);
        EXPECT_EQ(copy.ToString(nullptr), c.written);
    }
}

TEST(TsVariant, TypedGettersReturnWhatWasStored)
{
    TsVariant v;
    v.FromString("12", ItemType_i4, kNone);
    EXPECT_EQ(v.GetI4(), 12);
    v.SetI1(static_cast<char>(-128));
    EXPECT_EQ(v.GetI1(), static_cast<char>(-128));
    v.SetUI8(18446744073709551615ull);
    EXPECT_EQ(v.GetUI8(), 18446744073709551615ull);
    v.SetR4(2.5f);
    EXPECT_EQ(v.GetR4(), 2.5f);
    v.SetYear(65535);
    EXPECT_EQ(v.GetYear(), 65535);
    v.SetBoolean(true);
    EXPECT_TRUE(v.GetBoolean());
    v.SetString("text");
    EXPECT_EQ(v.GetString(), "text");
    v.SetDecimal(CDecimal("2.345"));
    EXPECT_EQ(v.GetDecimal().ToString(), "2.345");
    v.SetInteger(CBigInteger("123456789012345678901234567890"));
    EXPECT_EQ(v.GetInteger().ToString(), "123456789012345678901234567890");
    // A getter of another type is refused, even a related one.
    EXPECT_THROW(v.GetDecimal(), CTsInvalidStateException);
    v.SetI4(1);
    EXPECT_THROW(v.GetUI4(), CTsInvalidStateException);
    EXPECT_THROW(v.GetI8(), CTsInvalidStateException);
    v.SetDate(CDateTime("2001-05-06T00:00:00"));
    EXPECT_THROW(v.GetDateTime(), CTsInvalidStateException);
}

TEST(TsVariant, DateSettersKeepTheValueAsGiven)
{
    TsVariant v;
    // The date setters do not check the date type; the text is that of the value itself.
    v.SetDate(CDateTime("2001-05-06T10:20:30"));
    EXPECT_EQ(v.GetType(), "date");
    EXPECT_EQ(v.ToString(nullptr), "2001-05-06T10:20:30");
    // The date conversion takes whatever date form the text has.
    v.FromString("2001", ItemType_date, kNone);
    EXPECT_EQ(v.GetType(), "date");
    EXPECT_EQ(v.GetDate().GetType(), CDateTime::dt_gYear);
    EXPECT_EQ(v.ToString(nullptr), "2001");
}

TEST(TsVariant, FormatsReachOnlyFloatsAndDecimals)
{
    TsVariant v;
    v.FromString("1.5", ItemType_r8, kNone);
    EXPECT_EQ(v.ToString("%.3f"), "1.500");
    v.SetR4(0.25f);
    EXPECT_EQ(v.ToString("%.1f"), "0.2");
    v.SetDecimal(CDecimal("2.345"));
    EXPECT_EQ(v.ToString("2"), "2.35");
    EXPECT_EQ(v.ToString("x"), "2."); // no digits in the format: zero places
    v.SetI4(12);
    EXPECT_EQ(v.ToString("%.3f"), "12");
    v.SetString("%s");
    EXPECT_EQ(v.ToString("%s"), "%s");
}

TEST(TsVariant, FailedConversionLeavesThePreviousContent)
{
    TsVariant v;
    v.SetString("keep");
    EXPECT_EQ(MessageOf([&] { v.FromString("x", ItemType_i4, kNone); }),
              "The value [x] can not be converted to a i4");
    EXPECT_EQ(v.GetString(), "keep");
    EXPECT_THROW(v.FromString("2001-13", ItemType_yearMonth, kNone), CTsInvalidValueException);
    EXPECT_EQ(v.GetString(), "keep");
    for (const int type : {0, 27, 28, 29}) {
        EXPECT_EQ(MessageOf([&] { v.FromString("1", static_cast<ItemType>(type), kNone); }),
                  "Invalid Type " + std::to_string(type) + " to convert to string");
    }
    EXPECT_EQ(v.GetString(), "keep");
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
    EXPECT_TRUE(v.IsValid());
    EXPECT_EQ(v.GetType(), "i4");
    EXPECT_EQ(v.GetI4(), 0);
    EXPECT_EQ(v.ToString(nullptr), "0");

    v.SetString("gone");
    EXPECT_FALSE(v.IsNil()); // a setter drops the nil flag
    v.SetNil();
    EXPECT_EQ(v.GetType(), "string");
    EXPECT_EQ(v.ToString(nullptr), "");
    EXPECT_THROW(v.GetString(), CTsInvalidStateException);

    const TsVariant copy(v);
    EXPECT_TRUE(copy.IsNil());
    EXPECT_EQ(copy.GetTypeAsEnum(), ItemType_string);

    v.Clear();
    EXPECT_FALSE(v.IsValid());
    EXPECT_FALSE(v.IsNil());
    TsVariant nilOnly;
    nilOnly.SetNil();
    EXPECT_TRUE(nilOnly.IsValid()); // nil without a type is still a value
    nilOnly.SetInvalid();
    EXPECT_FALSE(nilOnly.IsValid());
}

TEST(TsVariant, CopiesAreDeep)
{
    TsVariant original;
    original.SetString("one");
    TsVariant copy(original);
    original.SetString("two");
    EXPECT_EQ(copy.GetString(), "one");

    original.SetDecimal(CDecimal("1.5"));
    copy = original;
    original.SetDecimal(CDecimal("7"));
    EXPECT_EQ(copy.GetDecimal().ToString(), "1.5");

    const unsigned char bytes[] = {1, 2, 3};
    original.SetHexBinary(CBinaryData(const_cast<unsigned char*>(bytes), 3, false));
    copy = original;
    original.Clear();
    EXPECT_EQ(copy.ToString(nullptr), "010203");

    const TsVariant& same = copy;
    copy = same; // self-assignment keeps the value
    EXPECT_EQ(copy.ToString(nullptr), "010203");
    copy = TsVariant();
    EXPECT_FALSE(copy.IsValid());
}

TEST(TsVariant, ObjectsAndCollectionsAreCounted)
{
    CSmartPtr<Probe> object(new Probe);
    ASSERT_EQ(References(object), 1);
    {
        TsVariant v;
        v.SetXmlObject(object);
        EXPECT_EQ(References(object), 2);
        v.SetXmlObject(object); // the same object again
        EXPECT_EQ(References(object), 2);
        TsVariant copy(v);
        EXPECT_EQ(References(object), 3);
        EXPECT_EQ(static_cast<CXmlObjectBase*>(copy.GetXmlObject()), object.get());
        EXPECT_EQ(MessageOf([&] { v.GetType(); }), "Invalid Type 27");
        EXPECT_EQ(MessageOf([&] { v.ToString(nullptr); }), "Invalid Type 27 to convert to string");
        EXPECT_THROW(v.GetXmlCollection(), CTsInvalidStateException);
        v.SetI4(1);
        EXPECT_EQ(References(object), 2);
        copy.SetNil();
        EXPECT_EQ(References(object), 1);
        EXPECT_EQ(copy.GetXmlObject().get(), nullptr);
    }
    EXPECT_EQ(References(object), 1);

    CSmartPtr<ProbeCol> collection(new ProbeCol);
    {
        TsVariant v;
        v.SetXmlCollection(collection);
        EXPECT_EQ(References(collection), 2);
        EXPECT_EQ(v.GetXmlCollection().get(), collection.get());
        // A collection is also reachable as an object.
        EXPECT_EQ(static_cast<CXmlObjectBase*>(v.GetXmlObject()), static_cast<CXmlObjectBase*>(collection.get()));
        const TsVariant& same = v;
        v = same;
        EXPECT_EQ(References(collection), 2);
        EXPECT_EQ(MessageOf([&] { v.GetType(); }), "Invalid Type 28");
        v.SetXmlCollection(nullptr);
        EXPECT_EQ(References(collection), 1);
        EXPECT_THROW(v.GetXmlCollection(), CTsInvalidStateException);
        v.SetXmlObject(nullptr);
        EXPECT_EQ(v.GetXmlObject().get(), nullptr);
        EXPECT_TRUE(v.IsValid());
    }
    EXPECT_EQ(References(collection), 1);
}

} // namespace
