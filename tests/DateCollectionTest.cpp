// The collections of date, time and duration values: the date-type guard and
// the facet test before any notification, reading lexical forms (and refusing
// another date form), writing with the text type of dateTime.
#include "tsxmllib/MemoryLeakHelp.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TypedCollections.h"

#include "TestSupport.h"
#include "TypedCollectionTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace TsXmlLib16;
using namespace TypedColTest;
using TestSupport::MessageOf;

namespace {

template <class Set>
CDateTime Made(Set set)
{
    CDateTime v;
    set(v);
    return v;
}
CDateTime Date(short y, unsigned char m, unsigned char d) { return Made([&](CDateTime& v) { v.SetDate(y, m, d); }); }
CDateTime DateTime(short y, unsigned char m, unsigned char d, unsigned char h)
{
    return Made([&](CDateTime& v) { v.SetDateTime(y, m, d, h, 0, 0); });
}
CDateTime Time(unsigned char h, unsigned char mi) { return Made([&](CDateTime& v) { v.SetTime(h, mi, 0); }); }
CDateTime YearMonth(short y, unsigned char m) { return Made([&](CDateTime& v) { v.SetGYearMonth(y, m); }); }
CDateTime MonthDay(unsigned char m, unsigned char d) { return Made([&](CDateTime& v) { v.SetGMonthDay(m, d); }); }
CDateTime Year(short y) { return Made([&](CDateTime& v) { v.SetGYear(y); }); }

// Each date collection takes its own kind and refuses the others, before any
// listener hears of the value.
TEST(DateCollection, EachDateCollectionAcceptsOnlyItsOwnDateType)
{
    struct Case {
        ColMaker make;
        CDateTime own;
        std::vector<CDateTime> others;
        std::string message;
    };
    const std::vector<Case> cases = {
        {Maker<CdatetimeCol>(), DateTime(2001, 5, 7, 10), {Date(2001, 5, 7), Time(10, 0), CDateTime()},
         "Dates added to this collection must be of type dt_dateTime"},
        {Maker<CdateCol>(), Date(2001, 5, 7), {DateTime(2001, 5, 7, 10), Year(2001)},
         "Dates added to this collection must be of type dt_date"},
        {Maker<CtimeCol>(), Time(10, 20), {DateTime(2001, 5, 7, 10)},
         "Dates added to this collection must be of type dt_time"},
        {Maker<CyearMonthCol>(), YearMonth(2001, 5), {Date(2001, 5, 7), MonthDay(5, 7)},
         "Dates added to this collection must be of type dt_gYearMonth"},
        {Maker<CmonthDayCol>(), MonthDay(5, 7), {YearMonth(2001, 5), Date(2001, 5, 7)},
         "Dates added to this collection must be of type dt_gMonthDay"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        CSmartPtr<CXmlTypeCollection> base = c.make(Facets());
        auto* col = dynamic_cast<CdatetimeBaseCol*>(base.get());
        ASSERT_NE(col, nullptr);
        Recorder rec;
        col->AddEventListener(&rec);
        col->Add(c.own);
        EXPECT_EQ(rec.Types(), "add added change");
        rec.log.clear();
        for (const CDateTime& other : c.others) {
            EXPECT_EQ(MessageOf<CTsInvalidParamException>([&] { col->Add(other); }), c.message);
            EXPECT_EQ(MessageOf<CTsInvalidParamException>([&] { col->AddAt(0, other); }), c.message);
        }
        EXPECT_EQ(rec.Text(), "");
        EXPECT_EQ(col->GetCount(), 1);
        EXPECT_EQ(col->Item(0).GetType(), c.own.GetType());
        // A value of the right type with a bad index is announced before it is refused.
        EXPECT_EQ(MessageOf<CTsInvalidParamException>([&] { col->AddAt(2, c.own); }), "Index out of range");
        EXPECT_EQ(rec.Text(), "add");
        col->RemoveEventListener(&rec);
    }
}

TEST(DateCollection, FacetsOfADateAreTestedBeforeTheAddNotification)
{
    auto col = MakeCol<Open<CdateCol>>(Facets().MaxInclusive("2001-12-31"));
    Recorder rec;
    col.AddEventListener(&rec);
    col.Add(Date(2001, 12, 31));
    rec.log.clear();
    EXPECT_EQ(MessageOf([&] { col.Add(Date(2002, 1, 1)); }), "Invalid Value for v [2002-01-01].");
    EXPECT_EQ(rec.Text(), "");
    EXPECT_EQ(col.GetCount(), 1);
}

TEST(DateCollection, RemovalAndItemAccessAreThoseOfEveryCollection)
{
    auto col = MakeCol<Open<CtimeCol>>();
    col.Add(Time(1, 0));
    col.AddAt(0, Time(2, 0));
    EXPECT_EQ(col.Item(1).GetHour(), 1);
    EXPECT_EQ(MessageOf<CTsInvalidParamException>([&] { col.Item(2); }), "Index 2 is out of range, use 0 - 1");
    Recorder rec;
    col.AddEventListener(&rec);
    col.Clear();
    EXPECT_EQ(rec.Text(), "remove[0] removed[0] change remove[0] removed[0] change");
    col.RemoveEventListener(&rec);
}

// Every date, time and duration member: its own name, its item type, lexical
// forms read and written back; the five CDateTime kinds write with type 20.
TEST(DateCollection, EveryMemberReadsAndWritesItsLexicalForms)
{
    struct Case {
        const char* className;
        ItemType type;
        ItemType writtenType;
        std::string input;
        std::string written;
        ColMaker make;
    };
    const std::vector<Case> cases = {
        {"CyearMonthCol", ItemType_yearMonth, ItemType_datetime, "2001-05|1999-12Z", "2001-05|1999-12Z",
         Maker<CyearMonthCol>()},
        {"CmonthDayCol", ItemType_monthDay, ItemType_datetime, "--05-07", "--05-07", Maker<CmonthDayCol>()},
        {"CdateCol", ItemType_date, ItemType_datetime, "2001-05-07|2001-05-07+02:00", "2001-05-07|2001-05-07+02:00",
         Maker<CdateCol>()},
        {"CdatetimeCol", ItemType_datetime, ItemType_datetime, "2001-05-07T10:20:30", "2001-05-07T10:20:30",
         Maker<CdatetimeCol>()},
        {"CtimeCol", ItemType_time, ItemType_datetime, "10:20:30", "10:20:30", Maker<CtimeCol>()},
        {"CdurationCol", ItemType_duration, ItemType_duration, "P1Y2M|-PT5S", "P1Y2M|-PT5S", Maker<CdurationCol>()},
        {"CyearCol", ItemType_year, ItemType_year, "2001", "2001", Maker<CyearCol>()},
        {"CmonthCol", ItemType_month, ItemType_month, "--05", "--05", Maker<CmonthCol>()},
        {"CdayCol", ItemType_day, ItemType_day, "---07", "---07", Maker<CdayCol>()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.className);
        const auto before = CInstanceMonitor::GetInstanceCount(c.className);
        CSmartPtr<CXmlTypeCollection> col = c.make(Facets());
        EXPECT_EQ(CInstanceMonitor::GetInstanceCount(c.className), before + 1);
        EXPECT_EQ(col->GetItemType(), c.type);
        try {
            EXPECT_EQ(ReadDocument(*col, c.input), "other");
            RecordingWriter writer;
            WriteTo(*col, writer, CSerializationContext());
            std::string expected;
            for (const std::string& text : Split(c.written))
                expected += "<v urn:n>" + text + "#" + std::to_string(c.writtenType) + "</v>";
            EXPECT_EQ(writer.log, expected);
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
        } catch (const CTsException& e) {
            ADD_FAILURE() << e.GetMessage();
        }
    }
}

TEST(DateCollection, ReadingAnotherDateFormIsRefused)
{
    auto col = MakeCol<Open<CdateCol>>();
    EXPECT_EQ(MessageOf<CTsInvalidParamException>([&] { ReadDocument(col, "2001-05-07|2001"); }),
              "Dates added to this collection must be of type dt_date");
    EXPECT_EQ(col.GetCount(), 1);
}

} // namespace
