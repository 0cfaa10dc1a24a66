// The collections of date and time values. CdatetimeBaseCol stores CDateTime
// values; each of its five subclasses accepts only values of its own date type.
#ifndef TSXMLLIB_DATETIMEBASECOL_H
#define TSXMLLIB_DATETIMEBASECOL_H

#include "tsxmllib/MemoryLeakHelp.h"
#include "tsxmllib/TypedCol.h"

namespace TsXmlLib16 {

// Abstract: every instance is counted under the name of its concrete class.
class TSXMLLIB_EXPORT CdatetimeBaseCol : public CTypedColBase<CDateTime> {
public:
    // AddAt(GetCount(), value).
    virtual void Add(const CDateTime& value);
    // Checks the date type and the facets, then inserts at index.
    virtual void AddAt(int index, const CDateTime& value) = 0;
    virtual CDateTime Item(int index) const;

protected:
    CdatetimeBaseCol(ItemType itemType, TSXMLLIB_TYPEDCOL_PARAMS);
    CdatetimeBaseCol(const CdatetimeBaseCol&) = default;
    CdatetimeBaseCol& operator=(const CdatetimeBaseCol&) = default;
    ~CdatetimeBaseCol() override;

    virtual std::string ItemToString(const CDateTime& value) const = 0;

    // The add notification, the index test, the insertion and the completion
    // notifications; the value is not checked.
    void BaseAddAt(int index, const CDateTime& value);

    // Every date kind is written with the text type of dateTime.
    void ToXml_Int(CXmlWriter* writer, bool isRoot, const char* ns, const CSerializationContext& ctx,
                   bool inChoice) const override;
};

// One date kind: the type guard, the facet test, and the kind's text form.
template <ItemType Type>
struct CDateKindTraits;

#define TSXMLLIB_DATE_KIND_TRAITS(Type, DateType, Message)                                                        \
    template <>                                                                                                    \
    struct CDateKindTraits<Type> {                                                                                 \
        static constexpr CDateTime::DTType kDateType = CDateTime::DateType;                                        \
        static constexpr const char* kWrongTypeMessage = Message;                                                  \
    };

TSXMLLIB_DATE_KIND_TRAITS(ItemType_yearMonth, dt_gYearMonth,
                          "Dates added to this collection must be of type dt_gYearMonth")
TSXMLLIB_DATE_KIND_TRAITS(ItemType_monthDay, dt_gMonthDay,
                          "Dates added to this collection must be of type dt_gMonthDay")
TSXMLLIB_DATE_KIND_TRAITS(ItemType_date, dt_date, "Dates added to this collection must be of type dt_date")
TSXMLLIB_DATE_KIND_TRAITS(ItemType_datetime, dt_dateTime, "Dates added to this collection must be of type dt_dateTime")
TSXMLLIB_DATE_KIND_TRAITS(ItemType_time, dt_time, "Dates added to this collection must be of type dt_time")

#undef TSXMLLIB_DATE_KIND_TRAITS

template <ItemType Type>
class TSXMLLIB_EXPORT CDateKindCol : public CdatetimeBaseCol {
    using Text = CTypedColTraits<Type>;
    using Kind = CDateKindTraits<Type>;

public:
    // A value of another date type, or one that fails the facets, is refused
    // before any listener hears of it.
    void AddAt(int index, const CDateTime& value) override
    {
        if (value.GetType() != Kind::kDateType)
            throw CTsInvalidParamException(Kind::kWrongTypeMessage);
        if (GetRestrictions().HasAny()) {
            TsVariant variant;
            Text::ToVariant(variant, value);
            CheckRestrictions(variant);
        }
        BaseAddAt(index, value);
    }

protected:
    CDateKindCol(TSXMLLIB_TYPEDCOL_PARAMS) : CdatetimeBaseCol(Type, TSXMLLIB_TYPEDCOL_ARGS) {}
    CDateKindCol(const CDateKindCol&) = default;
    CDateKindCol& operator=(const CDateKindCol&) = default;
    ~CDateKindCol() override = default;

    void AddFromString(const std::string& text) override { Add(Text::FromText(text, GetWhitespaceRule())); }
    std::string ItemToString(const CDateTime& value) const override { return Text::ToText(value, GetFormat()); }
};

// xs:gYearMonth values (dt_gYearMonth).
class TSXMLLIB_EXPORT CyearMonthCol : public CDateKindCol<ItemType_yearMonth>, private CInstanceMonitor {
public:
    CyearMonthCol(TSXMLLIB_TYPEDCOL_PARAMS);
    CyearMonthCol(const CyearMonthCol&) = default;
    CyearMonthCol& operator=(const CyearMonthCol&) = default;
    ~CyearMonthCol() override;
};

// xs:gMonthDay values (dt_gMonthDay).
class TSXMLLIB_EXPORT CmonthDayCol : public CDateKindCol<ItemType_monthDay>, private CInstanceMonitor {
public:
    CmonthDayCol(TSXMLLIB_TYPEDCOL_PARAMS);
    CmonthDayCol(const CmonthDayCol&) = default;
    CmonthDayCol& operator=(const CmonthDayCol&) = default;
    ~CmonthDayCol() override;
};

// xs:date values (dt_date).
class TSXMLLIB_EXPORT CdateCol : public CDateKindCol<ItemType_date>, private CInstanceMonitor {
public:
    CdateCol(TSXMLLIB_TYPEDCOL_PARAMS);
    CdateCol(const CdateCol&) = default;
    CdateCol& operator=(const CdateCol&) = default;
    ~CdateCol() override;
};

// xs:dateTime values (dt_dateTime).
class TSXMLLIB_EXPORT CdatetimeCol : public CDateKindCol<ItemType_datetime>, private CInstanceMonitor {
public:
    CdatetimeCol(TSXMLLIB_TYPEDCOL_PARAMS);
    CdatetimeCol(const CdatetimeCol&) = default;
    CdatetimeCol& operator=(const CdatetimeCol&) = default;
    ~CdatetimeCol() override;
};

// xs:time values (dt_time).
class TSXMLLIB_EXPORT CtimeCol : public CDateKindCol<ItemType_time>, private CInstanceMonitor {
public:
    CtimeCol(TSXMLLIB_TYPEDCOL_PARAMS);
    CtimeCol(const CtimeCol&) = default;
    CtimeCol& operator=(const CtimeCol&) = default;
    ~CtimeCol() override;
};

} // namespace TsXmlLib16

#endif
