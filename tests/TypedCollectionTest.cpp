// The collections of primitive values: notifications and index checks of
// insertion and removal, facet checks, reading from a document and writing
// through a writer, for every non-date item type.
#include "tsxmllib/MemoryLeakHelp.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TextStream.h"
#include "tsxmllib/TypedCollections.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"
#include "tsxmllib/XmlTextWriter.h"

#include "TestSupport.h"
#include "TypedCollectionTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace TsXmlLib16;
using namespace TypedColTest;
using TestSupport::MessageOf;

namespace {

using I4 = Open<Ci4Col>;

TEST(TypedCollection, AddAndInsertFireAddAddedChangeAroundTheInsertion)
{
    I4 col = MakeCol<I4>();
    Recorder rec(DescribeI4);
    col.AddEventListener(&rec);
    rec.watch = [&](int) { rec.log.push_back("count" + std::to_string(col.GetCount())); };
    col.Add(7);
    col.AddAt(0, 5);
    col.AddAt(1, 6);
    col.AddAt(3, 8); // the count appends
    EXPECT_EQ(Items(col), "5 6 7 8");
    EXPECT_EQ(rec.Text(), "add(7) count0 added(7) count1 change count1 "
                          "add(5) count1 added(5) count2 change count2 "
                          "add(6) count2 added(6) count3 change count3 "
                          "add(8) count3 added(8) count4 change count4");
    col.RemoveEventListener(&rec);
}

TEST(TypedCollection, RemoveCarriesTheRealIndexAndClearRemovesAtIndexZero)
{
    I4 col = MakeCol<I4>();
    for (int v : {1, 2, 3, 4})
        col.Add(v);
    Recorder rec(DescribeI4);
    rec.watch = [&](int) { rec.log.push_back("count" + std::to_string(col.GetCount())); };
    col.AddEventListener(&rec);
    col.Remove(2);
    EXPECT_EQ(Items(col), "1 2 4");
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
    rec.log.clear();

    struct Case {
        std::function<void()> call;
        std::string message;
        std::string events;
    };
    const std::vector<Case> cases = {
        {[&] { col.Item(3); }, "Index 3 is out of range, use 0 - 2", ""},
        {[&] { col.Item(-1); }, "Index -1 is out of range, use 0 - 2", ""},
        {[&] { col.AddAt(4, 9); }, "Index out of range", "add(9)"},
        {[&] { col.AddAt(-1, 9); }, "Index out of range", "add(9)"},
        {[&] { col.Remove(3); }, "Index 3 is out of range, use 0 - 2", "remove[3]"},
        {[&] { col.Remove(-1); }, "Index -1 is out of range, use 0 - 2", "remove"},
    };
    for (const Case& c : cases) {
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

TEST(TypedCollection, AValueOutsideTheFacetsIsRefusedAfterTheAddNotification)
{
    struct Case {
        std::string message;
        std::function<void(Recorder&)> run; // adds one good and one bad value
    };
    const std::vector<Case> cases = {
        {"Invalid Value for v [11]",
         [](Recorder& r) { Check<Open<Ci4Col>>(r, Facets().MaxInclusive("10"), 10, 11); }},
        {"Invalid Value for v [-129]",
         [](Recorder& r) { Check<Open<Ci2Col>>(r, Facets().MinExclusive("-129"), short(-128), short(-129)); }},
        {"Invalid Value for v [123]", [](Recorder& r) { Check<Open<Cui1Col>>(r, Facets().TotalDigits(2), 99, 123); }},
        {"Invalid Value for v [10000000000].",
         [](Recorder& r) {
             Check<Open<Ci8Col>>(r, Facets().MaxExclusive("10000000000"), 9999999999LL, 10000000000LL);
         }},
        {"Invalid Value for v [18446744073709551615].",
         [](Recorder& r) { Check<Open<Cui8Col>>(r, Facets().TotalDigits(19), 1ULL, ~0ULL); }},
        {"Invalid Value for v [2.500000]",
         [](Recorder& r) { Check<Open<Cr8Col>>(r, Facets().MaxInclusive("2"), 2.0, 2.5); }},
        {"Invalid Value for v [0.500000]",
         [](Recorder& r) { Check<Open<Cr4Col>>(r, Facets().MinInclusive("1"), 1.5f, 0.5f); }},
        {"Invalid Value for v [abc].",
         [](Recorder& r) { Check<Open<CstringCol>>(r, Facets().MaxLength(2), "ab", "abc"); }},
        {"Invalid Value for v [a1].",
         [](Recorder& r) { Check<Open<CstringCol>>(r, Facets().Pattern("[a-z]+"), "ab", "a1"); }},
        {"Invalid Value for v [1.234].",
         [](Recorder& r) {
             Check<Open<CdecimalCol>>(r, Facets().FractionDigits(2), CDecimal("1.23"), CDecimal("1.234"));
         }},
        {"Invalid Value for v [100000000000000000000].",
         [](Recorder& r) {
             Check<Open<CintegerCol>>(r, Facets().MaxInclusive("99999999999999999999"),
                                      CBigInteger("99999999999999999999"), CBigInteger("100000000000000000000"));
         }},
        {"Invalid Value for v [0A0B0C].",
         [](Recorder& r) {
             Check<Open<ChexBinaryCol>>(r, Facets().Length(2), CConversions::hexBinaryFromString("0A0B", kNone),
                                        CConversions::hexBinaryFromString("0A0B0C", kNone));
         }},
    };
    for (const Case& c : cases) {
        Recorder rec;
        EXPECT_EQ(MessageOf([&] { c.run(rec); }), c.message);
        // The good value went in; the bad one was announced and then refused.
        EXPECT_EQ(rec.Types(), "add added change add") << c.message;
    }
}

TEST(TypedCollection, ABooleanCollectionHasNoFacetsToFail)
{
    Open<CbooleanCol> col = MakeCol<Open<CbooleanCol>>(Facets().MaxLength(0).Pattern("x"));
    col.Add(true);
    col.AddAt(0, false);
    EXPECT_EQ(Items(col), "0 1");
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
        } else if (op < 6) {
            col.Remove(0);
            model.erase(model.begin());
        } else {
            const int at = static_cast<int>(rng() % model.size());
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
    CompareWithVector<Open<CstringCol>, std::string>(3, [](std::mt19937& r) { return std::to_string(r() % 1000); });
}

TEST(TypedCollection, ClearingALargeCollectionTellsListenersEveryRemoval)
{
    Open<Cui1Col> col = MakeCol<Open<Cui1Col>>();
    const int n = 200000;
    for (int i = 0; i < n; ++i)
        col.Add(static_cast<unsigned char>(i));
    int removals = 0;
    int nonZero = 0;
    Recorder rec;
    rec.onRemove = [&](int index) {
        ++removals;
        nonZero += index != 0;
    };
    col.AddEventListener(&rec);
    col.Clear();
    col.RemoveEventListener(&rec);
    EXPECT_EQ(removals, n);
    EXPECT_EQ(nonZero, 0);
    EXPECT_EQ(col.GetCount(), 0);
}

// Every non-date member: registered under its own name, with its item type;
// the items of a document read in and written out again, each with its own type code.
TEST(TypedCollection, EveryMemberReadsAndWritesItsLexicalForms)
{
    struct Case {
        const char* className;
        ItemType type;
        std::string input;    // element texts, separated by |
        std::string written;  // as written back
        ColMaker make;
    };
    const std::vector<Case> cases = {
        {"ChexBinaryCol", ItemType_hexBinary, "0a1B|", "0A1B|", Maker<ChexBinaryCol>()},
        {"Cbase64BinaryCol", ItemType_base64Binary, "AQID|", "AQID|", Maker<Cbase64BinaryCol>()},
        {"Ci1Col", ItemType_i1, "-128|127", "-128|127", Maker<Ci1Col>()},
        {"Ci2Col", ItemType_i2, "-32768|+5", "-32768|5", Maker<Ci2Col>()},
        {"Ci4Col", ItemType_i4, "-2147483648|2147483647", "-2147483648|2147483647", Maker<Ci4Col>()},
        {"Ci8Col", ItemType_i8, "-9223372036854775808|0", "-9223372036854775808|0", Maker<Ci8Col>()},
        {"Cui1Col", ItemType_ui1, "255|0", "255|0", Maker<Cui1Col>()},
        {"Cui2Col", ItemType_ui2, "65535", "65535", Maker<Cui2Col>()},
        {"Cui4Col", ItemType_ui4, "4294967295", "4294967295", Maker<Cui4Col>()},
        {"Cui8Col", ItemType_ui8, "18446744073709551615", "18446744073709551615", Maker<Cui8Col>()},
        {"Cr4Col", ItemType_r4, "1.5|INF", "1.5|INF", Maker<Cr4Col>()},
        {"Cr8Col", ItemType_r8, "2.5|-INF|NaN", "2.5|-INF|NaN", Maker<Cr8Col>()},
        {"CstringCol", ItemType_string, " a  b |x<y", " a  b |x<y", Maker<CstringCol>()},
        {"CbooleanCol", ItemType_boolean, "1|false|true|0", "true|false|true|false", Maker<CbooleanCol>()},
        {"CdecimalCol", ItemType_decimal, "1.50|-0.25", "1.5|-0.25", Maker<CdecimalCol>()},
        {"CintegerCol", ItemType_integer, "123456789012345678901234567890", "123456789012345678901234567890",
         Maker<CintegerCol>()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.className);
        const auto before = CInstanceMonitor::GetInstanceCount(c.className);
        CSmartPtr<CXmlTypeCollection> col = c.make(Facets());
        EXPECT_EQ(CInstanceMonitor::GetInstanceCount(c.className), before + 1);
        EXPECT_EQ(col->GetItemType(), c.type);
        EXPECT_EQ(ReadDocument(*col, c.input), "other");
        EXPECT_EQ(col->GetCount(), static_cast<int>(Split(c.input).size()));
        RecordingWriter writer;
        WriteTo(*col, writer, CSerializationContext());
        std::string expected;
        for (const std::string& text : Split(c.written))
            expected += "<v urn:n>" + text + "#" + std::to_string(c.type) + "</v>";
        EXPECT_EQ(writer.log, expected);
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

    // Facets are checked on the way in as well.
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

TEST(TypedCollection, WritingChecksTheCountFirstAndUsesTheFormat)
{
    CSerializationContext ctx;
    struct Case {
        std::function<void(CXmlWriter&, const CSerializationContext&)> write;
        std::string xml;
    };
    const std::vector<Case> cases = {
        {[](CXmlWriter& w, const CSerializationContext& c) {
             auto col = MakeCol<Open<Cr8Col>>(Facets().Format("%.2f"));
             col.Add(2.5);
             col.Add(-1);
             col.ToXml_Int(&w, false, "urn:ignored", c, false);
         },
         "<r><AA:v xmlns:AA=\"urn:n\">2.50</AA:v><AA:v xmlns:AA=\"urn:n\">-1.00</AA:v></r>"},
        {[](CXmlWriter& w, const CSerializationContext& c) {
             auto col = MakeCol<Open<Cr8Col>>();
             col.Add(2.5);
             col.ToXml_Int(&w, false, "", c, false);
         },
         "<r><AA:v xmlns:AA=\"urn:n\">2.5</AA:v></r>"},
        {[](CXmlWriter& w, const CSerializationContext& c) {
             auto col = MakeCol<Open<CdecimalCol>>(Facets().Format("2"));
             col.Add(CDecimal("1.5"));
             col.ToXml_Int(&w, false, "", c, false);
         },
         "<r><AA:v xmlns:AA=\"urn:n\">1.50</AA:v></r>"},
        {[](CXmlWriter& w, const CSerializationContext& c) {
             auto col = MakeCol<Open<CstringCol>>();
             col.Add("a&b");
             col.ToXml_Int(&w, false, "", c, false);
         },
         "<r><AA:v xmlns:AA=\"urn:n\">a&amp;b</AA:v></r>"},
        {[](CXmlWriter& w, const CSerializationContext& c) {
             MakeCol<Open<Ci4Col>>().ToXml_Int(&w, false, "", c, false);
         },
         "<r/>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WriteXml(c.write, ctx), c.xml);

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
    EXPECT_EQ(writer.log, "<v urn:n>1#5</v><v urn:n>2#5</v><v urn:n>3#5</v><v urn:n>4#5</v>");
}

} // namespace
