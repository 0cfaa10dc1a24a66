// The collections of date, time and duration values: the date-type guard and
// the facet test before any notification, reading lexical forms (and refusing
// another date form), writing with the text type of dateTime.
#include "tsxmllib/MemoryLeakHelp.h"

#include "TestSupport.h"
#include "TypedCollectionTestSupport.h"

#include <gtest/gtest.h>

using namespace TsXmlLib16;
using namespace TypedColTest;
using TestSupport::MessageOf;

namespace {

CDateTime Date(short y, unsigned char m, unsigned char d)
{
    CDateTime v;
    v.SetDate(y, m, d);
    return v;
}
CDateTime DateTime(short y, unsigned char m, unsigned char d, unsigned char h)
{
    CDateTime v;
    v.SetDateTime(y, m, d, h, 0, 0);
    return v;
}
CDateTime MonthDay(unsigned char m, unsigned char d)
{
    CDateTime v;
    v.SetGMonthDay(m, d);
    return v;
}

// Each date collection takes its own kind and refuses the others, before any
// listener hears of the value.
TEST(DateCollection, EachDateCollectionAcceptsOnlyItsOwnDateType)
{
    CDateTime time;
    time.SetTime(10, 0, 0);
    CDateTime year;
    year.SetGYear(2001);
    const struct {
        ColMaker make;
        CDateTime own;
        std::vector<CDateTime> others;
        std::string message;
    } cases[] = {
        {Maker<CdatetimeCol>(), DateTime(2001, 5, 7, 10), {Date(2001, 5, 7), time, CDateTime()},
         "Dates added to this collection must be of type dt_dateTime"},
        {Maker<CdateCol>(), Date(2001, 5, 7), {DateTime(2001, 5, 7, 10), year},
         "Dates added to this collection must be of type dt_date"},
        {Maker<CmonthDayCol>(), MonthDay(5, 7), {Date(2001, 5, 7)},
         "Dates added to this collection must be of type dt_gMonthDay"},
    };
    for (const auto& c : cases) {
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

// Representative members: their own name and item type, lexical forms read and
// written back; the CDateTime kinds write with the type of dateTime.
TEST(DateCollection, MembersReadAndWriteTheirLexicalForms)
{
    const struct {
        const char* className;
        ItemType type, writtenType;
        std::string texts; // read and written back, separated by |
        ColMaker make;
    } cases[] = {
        {"CyearMonthCol", ItemType_yearMonth, ItemType_datetime, "2001-05|1999-12Z", Maker<CyearMonthCol>()},
        {"CdateCol", ItemType_date, ItemType_datetime, "2001-05-07|2001-05-07+02:00", Maker<CdateCol>()},
        {"CdatetimeCol", ItemType_datetime, ItemType_datetime, "2001-05-07T10:20:30", Maker<CdatetimeCol>()},
        {"CdurationCol", ItemType_duration, ItemType_duration, "P1Y2M|-PT5S", Maker<CdurationCol>()},
        {"CdayCol", ItemType_day, ItemType_day, "---07", Maker<CdayCol>()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.className);
        const auto before = CInstanceMonitor::GetInstanceCount(c.className);
        CSmartPtr<CXmlTypeCollection> col = c.make(Facets());
        EXPECT_EQ(CInstanceMonitor::GetInstanceCount(c.className), before + 1);
        EXPECT_EQ(col->GetItemType(), c.type);
        EXPECT_EQ(ReadDocument(*col, c.texts), "other");
        RecordingWriter writer;
        WriteTo(*col, writer, CSerializationContext());
        EXPECT_EQ(writer.log, Written(c.texts, c.writtenType));
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
