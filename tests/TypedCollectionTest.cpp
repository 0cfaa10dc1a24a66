// The collections of primitive values: notifications and index checks of
// insertion and removal, facet checks, reading and writing, for a
// representative set of non-date item types.
#include "tsxmllib/MemoryLeakHelp.h"
#include "tsxmllib/TextStream.h"
#include "tsxmllib/XmlTextWriter.h"

#include "TestSupport.h"
#include "TypedCollectionTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>

using namespace TsXmlLib16;
using namespace TypedColTest;
using TestSupport::MessageOf;

namespace {

using I4 = Open<Ci4Col>;

std::string DescribeI4(void* data) { return std::to_string(*static_cast<std::int32_t*>(data)); }

// The items, separated by spaces.
template <class Col>
std::string Items(const Col& col)
{
    std::string text;
    for (const auto& item : col) {
        const typename Col::Value v = item;
        if constexpr (std::is_arithmetic_v<typename Col::Value>)
            text += " " + std::to_string(+v);
        else
            text += " " + v;
    }
    return text.substr(text.empty() ? 0 : 1);
}

TEST(TypedCollection, NotificationsSurroundEachInsertionAndRemoval)
{
    I4 col = MakeCol<I4>();
    Recorder rec(DescribeI4);
    col.AddEventListener(&rec);
    rec.watch = [&](int) { rec.log.push_back("count" + std::to_string(col.GetCount())); };
    col.Add(7);
    col.AddAt(0, 5);
    col.AddAt(2, 8); // the count appends
    EXPECT_EQ(Items(col), "5 7 8");
    EXPECT_EQ(rec.Text(), "add(7) count0 added(7) count1 change count1 "
                          "add(5) count1 added(5) count2 change count2 "
                          "add(8) count2 added(8) count3 change count3");
    // Removal carries the real index; Clear removes at index zero.
    col.Add(9);
    rec.log.clear();
    col.Remove(2);
    EXPECT_EQ(Items(col), "5 7 9");
    EXPECT_EQ(rec.Text(), "remove[2] count4 removed[2] count3 change count3");
    rec.log.clear();
    rec.watch = nullptr;
    col.Clear();
    EXPECT_EQ(rec.Text(), "remove[0] removed[0] change remove[0] removed[0] change remove[0] removed[0] change");
    EXPECT_EQ(col.GetCount(), 0);
    col.RemoveEventListener(&rec);
}

TEST(TypedCollection, BadIndexesThrowAfterTheFirstNotificationAndChangeNothing)
{
    I4 col = MakeCol<I4>();
    Recorder rec(DescribeI4);
    col.AddEventListener(&rec);
    EXPECT_EQ(MessageOf<CTsInvalidParamException>([&] { col.Remove(0); }), "Index 0 is out of range, use 0 - -1");
    EXPECT_EQ(rec.Text(), "remove[0]");
    for (int v : {1, 2, 3})
        col.Add(v);

    const struct {
        std::function<void()> call;
        std::string message, events;
    } cases[] = {
        {[&] { col.Item(-1); }, "Index -1 is out of range, use 0 - 2", ""},
        {[&] { col.AddAt(4, 9); }, "Index out of range", "add(9)"},
        {[&] { col.AddAt(-1, 9); }, "Index out of range", "add(9)"},
        {[&] { col.Remove(3); }, "Index 3 is out of range, use 0 - 2", "remove[3]"},
        {[&] { col.Remove(-1); }, "Index -1 is out of range, use 0 - 2", "remove"},
    };
    for (const auto& c : cases) {
        rec.log.clear();
        EXPECT_EQ(MessageOf<CTsInvalidParamException>(c.call), c.message);
        EXPECT_EQ(rec.Text(), c.events) << c.message;
        EXPECT_EQ(Items(col), "1 2 3");
    }
    col.RemoveEventListener(&rec);
}

TEST(TypedCollection, AListenerThatThrowsOnAddLeavesTheItemsAlone)
{
    I4 col = MakeCol<I4>();
    col.Add(1);
    Recorder rec;
    rec.watch = [](int type) {
        if (type == IEventSink::OnCollectionAdd)
            throw CTsException("refused");
    };
    col.AddEventListener(&rec);
    EXPECT_EQ(MessageOf([&] { col.Add(2); }), "refused");
    EXPECT_EQ(Items(col), "1");
    col.RemoveEventListener(&rec);
}

// Adds good, then bad: bad must be announced, then refused with the items
// unchanged. Returns the message of the refusal.
template <class Col>
std::string Refusal(const Facets& facets, typename Col::Param good, typename Col::Param bad)
{
    Col col = MakeCol<Col>(facets);
    Recorder rec;
    col.AddEventListener(&rec);
    col.Add(good);
    const std::string message = MessageOf([&] { col.Add(bad); });
    EXPECT_EQ(rec.Types(), "add added change add") << message;
    EXPECT_EQ(col.GetCount(), 1) << message;
    EXPECT_TRUE(col.Item(0) == good) << message;
    col.RemoveEventListener(&rec);
    return message;
}

TEST(TypedCollection, AValueOutsideTheFacetsIsRefusedAfterTheAddNotification)
{
    EXPECT_EQ(Refusal<Open<Ci4Col>>(Facets().MaxInclusive("10"), 10, 11), "Invalid Value for v [11]");
    EXPECT_EQ(Refusal<Open<Cr8Col>>(Facets().MaxInclusive("2"), 2.0, 2.5), "Invalid Value for v [2.500000]");
    EXPECT_EQ(Refusal<Open<CstringCol>>(Facets().Pattern("[a-z]+"), "ab", "a1"), "Invalid Value for v [a1].");
    EXPECT_EQ(Refusal<Open<CdecimalCol>>(Facets().FractionDigits(2), CDecimal("1.23"), CDecimal("1.234")),
              "Invalid Value for v [1.234].");
    EXPECT_EQ(Refusal<Open<ChexBinaryCol>>(Facets().Length(2), CConversions::hexBinaryFromString("0A0B", kNone),
                                           CConversions::hexBinaryFromString("0A0B0C", kNone)),
              "Invalid Value for v [0A0B0C].");
    // A boolean collection has no facets to fail.
    Open<CbooleanCol> flags = MakeCol<Open<CbooleanCol>>(Facets().MaxLength(0).Pattern("x"));
    flags.Add(true);
    flags.AddAt(0, false);
    EXPECT_EQ(Items(flags), "0 1");
}

// The storage skips removed front items and compacts them in blocks; any mix of
// operations must keep the same order as a plain vector, for the bit vector too.
template <class Col, class V>
void CompareWithVector(unsigned seed, V (*make)(std::mt19937&))
{
    Col col = MakeCol<Col>();
    std::vector<V> model;
    std::mt19937 rng(seed);
    for (int step = 0; step < 4000; ++step) {
        const unsigned op = rng() % 8;
        if (model.empty() || op < 3) {
            const int at = op == 0 ? 0 : static_cast<int>(rng() % (model.size() + 1));
            const V v = make(rng);
            col.AddAt(at, v);
            model.insert(model.begin() + at, v);
        } else {
            const int at = op < 6 ? 0 : static_cast<int>(rng() % model.size());
            col.Remove(at);
            model.erase(model.begin() + at);
        }
        ASSERT_EQ(col.GetCount(), static_cast<int>(model.size()));
        if (!model.empty()) {
            ASSERT_EQ(col.Item(static_cast<int>(model.size() - 1)), model.back()) << step;
        }
    }
    ASSERT_EQ(std::vector<V>(col.begin(), col.end()), model);
    // Copies take the items and stay independent.
    Col copy(col);
    Col assigned = MakeCol<Col>();
    assigned = col;
    col.Clear();
    EXPECT_EQ(std::vector<V>(copy.begin(), copy.end()), model);
    EXPECT_EQ(std::vector<V>(assigned.begin(), assigned.end()), model);
}

TEST(TypedCollection, MixedInsertionsAndRemovalsKeepTheOrder)
{
    CompareWithVector<Open<Cui2Col>, unsigned short>(1,
                                                     [](std::mt19937& r) { return static_cast<unsigned short>(r()); });
    CompareWithVector<Open<CbooleanCol>, bool>(2, [](std::mt19937& r) { return (r() & 1) != 0; });
}

TEST(TypedCollection, ClearingALargeCollectionTellsListenersEveryRemoval)
{
    Open<Cui1Col> col = MakeCol<Open<Cui1Col>>();
    const int n = 200000;
    for (int i = 0; i < n; ++i)
        col.Add(static_cast<unsigned char>(i));
    Recorder rec;
    col.AddEventListener(&rec);
    col.Clear();
    col.RemoveEventListener(&rec);
    EXPECT_EQ(rec.log.size(), 3u * n);
    EXPECT_EQ(std::count(rec.log.begin(), rec.log.end(), "remove[0]"), n);
    EXPECT_EQ(col.GetCount(), 0);
}

// Representative members: registered under their own name, with their item
// type; a document read in and written out again with that type code.
TEST(TypedCollection, MembersReadAndWriteTheirLexicalForms)
{
    const struct {
        const char* className;
        ItemType type;
        std::string input, written; // element texts, separated by |
        ColMaker make;
    } cases[] = {
        {"ChexBinaryCol", ItemType_hexBinary, "0a1B|", "0A1B|", Maker<ChexBinaryCol>()},
        {"Cbase64BinaryCol", ItemType_base64Binary, "AQID|", "AQID|", Maker<Cbase64BinaryCol>()},
        {"Ci1Col", ItemType_i1, "-128|127", "-128|127", Maker<Ci1Col>()},
        {"Cr8Col", ItemType_r8, "2.5|-INF|NaN", "2.5|-INF|NaN", Maker<Cr8Col>()},
        {"CstringCol", ItemType_string, " a  b |x<y", " a  b |x<y", Maker<CstringCol>()},
        {"CbooleanCol", ItemType_boolean, "1|false|true|0", "true|false|true|false", Maker<CbooleanCol>()},
        {"CdecimalCol", ItemType_decimal, "1.50|-0.25", "1.5|-0.25", Maker<CdecimalCol>()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.className);
        const auto before = CInstanceMonitor::GetInstanceCount(c.className);
        CSmartPtr<CXmlTypeCollection> col = c.make(Facets());
        EXPECT_EQ(CInstanceMonitor::GetInstanceCount(c.className), before + 1);
        EXPECT_EQ(col->GetItemType(), c.type);
        EXPECT_EQ(ReadDocument(*col, c.input), "other");
        EXPECT_EQ(col->GetCount(), static_cast<int>(Split(c.input).size()));
        RecordingWriter writer;
        WriteTo(*col, writer, CSerializationContext());
        EXPECT_EQ(writer.log, Written(c.written, c.type));
    }
}

TEST(TypedCollection, ReadingAppliesTheWhitespaceRuleAndStopsAtTheFirstFailure)
{
    Open<CstringCol> strings = MakeCol<Open<CstringCol>>(Facets().Rule(CWhitespaceUtils::WhitespaceRule(3)));
    ReadDocument(strings, "  a  b |\tc\n");
    EXPECT_EQ(Items(strings), "a b c");

    Open<Ci1Col> bytes = MakeCol<Open<Ci1Col>>();
    EXPECT_EQ(MessageOf<CTsInvalidValueException>([&] { ReadDocument(bytes, "1|200|3"); }),
              "The value [200] is to large to fit in a i1");
    EXPECT_EQ(Items(bytes), "1");

    Open<Ci4Col> bounded = MakeCol<Open<Ci4Col>>(Facets().MinInclusive("0"));
    EXPECT_EQ(MessageOf([&] { ReadDocument(bounded, "4|-1"); }), "Invalid Value for v [-1]");
    EXPECT_EQ(Items(bounded), "4");
}

TEST(TypedCollection, ReadingTakesOnlyTheRunOfSiblingsWithTheNameAndNamespace)
{
    CSerializationContext ctx;
    CXmlDocument doc;
    doc.LoadXml("<r xmlns:o='urn:o'><v xmlns='urn:n'>1</v><v xmlns='urn:n'>2</v><o:v>3</o:v>"
                "<v xmlns='urn:n'>4</v></r>");
    Open<Ci4Col> col = MakeCol<Open<Ci4Col>>();
    CXmlElement* first = doc.GetDocumentElement()->GetFirstElement();
    CXmlElement* rest = col.FromXml_Int(doc.GetDocumentElement(), first, ctx, false);
    EXPECT_EQ(Items(col), "1 2");
    ASSERT_NE(rest, nullptr);
    EXPECT_EQ(rest->GetNamespaceURI(), "urn:o");
    ctx.SetIgnoreNamespaces(true);
    EXPECT_EQ(col.FromXml_Int(doc.GetDocumentElement(), rest, ctx, false), nullptr);
    EXPECT_EQ(Items(col), "1 2 3 4");
    EXPECT_EQ(col.FromXml_Int(doc.GetDocumentElement(), nullptr, ctx, false), nullptr);
}

// The collection written into <r> by a text writer without pretty printing.
template <class Col>
std::string WriteXml(const Col& col, const CSerializationContext& ctx, const char* ns = "")
{
    CTextStream stream(XmlEncoding_UTF8);
    CXmlTextWriter writer(&stream);
    writer.SetPrettyPrint(false);
    writer.Open();
    writer.StartElement("r", "");
    col.ToXml_Int(&writer, false, ns, ctx, false);
    writer.EndElement();
    writer.Close();
    return stream.GetText();
}

TEST(TypedCollection, WritingChecksTheCountFirstAndUsesTheFormat)
{
    CSerializationContext ctx;
    auto reals = MakeCol<Open<Cr8Col>>(Facets().Format("%.2f"));
    reals.Add(2.5);
    reals.Add(-1);
    EXPECT_EQ(WriteXml(reals, ctx, "urn:ignored"),
              "<r><AA:v xmlns:AA=\"urn:n\">2.50</AA:v><AA:v xmlns:AA=\"urn:n\">-1.00</AA:v></r>");
    auto decimals = MakeCol<Open<CdecimalCol>>(Facets().Format("2"));
    decimals.Add(CDecimal("1.5"));
    EXPECT_EQ(WriteXml(decimals, ctx), "<r><AA:v xmlns:AA=\"urn:n\">1.50</AA:v></r>");
    EXPECT_EQ(WriteXml(MakeCol<Open<Ci4Col>>(), ctx), "<r/>");

    auto tooFew = MakeCol<Open<Ci4Col>>(Facets().Occurs(2, 3));
    tooFew.Add(1);
    RecordingWriter writer;
    EXPECT_EQ(MessageOf<CTsValidationException>([&] { WriteTo(tooFew, writer, ctx); }),
              "The Minimum number of [v] elements allowed in this collection is 2");
    EXPECT_EQ(writer.log, "");
    for (int v : {2, 3, 4})
        tooFew.Add(v);
    EXPECT_EQ(MessageOf<CTsValidationException>([&] { WriteTo(tooFew, writer, ctx); }),
              "The Maximum number of [v] elements allowed in this collection is 3");
    EXPECT_EQ(writer.log, "");
    ctx.SetIgnoreInvalidCollectionCounts(true);
    WriteTo(tooFew, writer, ctx);
    EXPECT_EQ(writer.log, Written("1|2|3|4", ItemType_i4));
}

} // namespace
