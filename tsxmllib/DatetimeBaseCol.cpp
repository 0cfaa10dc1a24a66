#include "tsxmllib/DatetimeBaseCol.h"

namespace TsXmlLib16 {

CdatetimeBaseCol::CdatetimeBaseCol(ItemType itemType, TSXMLLIB_TYPEDCOL_PARAMS)
    : CTypedColBase<CDateTime>(itemType, TSXMLLIB_TYPEDCOL_ARGS)
{
}

CdatetimeBaseCol::~CdatetimeBaseCol() = default;

void CdatetimeBaseCol::Add(const CDateTime& value) { AddAt(GetCount(), value); }

CDateTime CdatetimeBaseCol::Item(int index) const { return At(index); }

void CdatetimeBaseCol::BaseAddAt(int index, const CDateTime& value)
{
    InsertAt(index, value, [](const CDateTime&) {});
}

void CdatetimeBaseCol::ToXml_Int(CXmlWriter* writer, bool, const char*, const CSerializationContext& ctx, bool) const
{
    WriteItems(writer, ctx, ItemType_datetime, [this](const CDateTime& value) { return ItemToString(value); });
}

template class CDateKindCol<ItemType_yearMonth>;
template class CDateKindCol<ItemType_monthDay>;
template class CDateKindCol<ItemType_date>;
template class CDateKindCol<ItemType_datetime>;
template class CDateKindCol<ItemType_time>;

#define TSXMLLIB_DEFINE_DATE_COLLECTION(Name, Type)                                                                \
    Name::Name(TSXMLLIB_TYPEDCOL_PARAMS)                                                                           \
        : CDateKindCol<Type>(TSXMLLIB_TYPEDCOL_ARGS), TS_INSTANCE_MONITOR(#Name)                                   \
    {                                                                                                              \
    }                                                                                                              \
    Name::~Name() = default;

TSXMLLIB_DEFINE_DATE_COLLECTION(CyearMonthCol, ItemType_yearMonth)
TSXMLLIB_DEFINE_DATE_COLLECTION(CmonthDayCol, ItemType_monthDay)
TSXMLLIB_DEFINE_DATE_COLLECTION(CdateCol, ItemType_date)
TSXMLLIB_DEFINE_DATE_COLLECTION(CdatetimeCol, ItemType_datetime)
TSXMLLIB_DEFINE_DATE_COLLECTION(CtimeCol, ItemType_time)

#undef TSXMLLIB_DEFINE_DATE_COLLECTION

} // namespace TsXmlLib16
