#include "tsxmllib/TsVariant.h"

#include "tsxmllib/Conversions.h"
#include "tsxmllib/FormatString.h"
#include "tsxmllib/TsException.h"

namespace TsXmlLib16 {

namespace {

// The lexical names of item types 1 to 26.
const char* const kTypeNames[] = {"hexBinary", "base64Binary", "i1",       "i2",       "i4",      "i8",
                                  "ui1",       "ui2",          "ui4",      "ui8",      "r4",      "r8",
                                  "duration",  "yearMonth",    "monthDay", "year",     "month",   "day",
                                  "date",      "datetime",     "time",     "char",     "string",  "boolean",
                                  "decimal",   "integer"};

bool IsPrimitive(int type)
{
    return type >= ItemType_hexBinary && type <= ItemType_integer;
}

template <class T>
T* CopyOf(const T* p)
{
    return p ? new T(*p) : nullptr;
}

} // namespace

TsVariant::TsVariant(const TsVariant& other)
{
    m_value.ui8 = 0;
    *this = other;
}

TsVariant& TsVariant::operator=(const TsVariant& other)
{
    if (this == &other)
        return *this;
    if (other.m_type < ItemType_Invalid || other.m_type > ItemType_XmlCollection)
        throw CTsException("Unknown Type");
    // The copy is made before the old value goes, so that a failed allocation
    // leaves this variant as it was.
    Value copy;
    copy.ui8 = 0;
    if (!other.m_nil) {
        const Value& source = other.m_value;
        switch (other.m_type) {
        case ItemType_hexBinary:
        case ItemType_base64Binary:
            copy.m_pBinary = CopyOf(source.m_pBinary);
            break;
        case ItemType_duration:
            copy.m_pDuration = CopyOf(source.m_pDuration);
            break;
        case ItemType_yearMonth:
        case ItemType_monthDay:
        case ItemType_date:
        case ItemType_datetime:
        case ItemType_time:
            copy.m_pDateTime = CopyOf(source.m_pDateTime);
            break;
        case ItemType_string:
            copy.m_pString = CopyOf(source.m_pString);
            break;
        case ItemType_decimal:
            copy.m_pDecimal = CopyOf(source.m_pDecimal);
            break;
        case ItemType_integer:
            copy.m_pBigInteger = CopyOf(source.m_pBigInteger);
            break;
        case ItemType_XmlObjectBase:
            copy.m_pXmlObject = source.m_pXmlObject;
            if (copy.m_pXmlObject)
                copy.m_pXmlObject->AddRef();
            break;
        case ItemType_XmlCollection:
            copy.m_pXmlCol = source.m_pXmlCol;
            if (copy.m_pXmlCol)
                copy.m_pXmlCol->AddRef();
            break;
        default:
            copy = source; // held inline
            break;
        }
    }
    Clear();
    m_nil = other.m_nil;
    m_type = other.m_type;
    m_value = copy;
    return *this;
}

TsVariant::~TsVariant()
{
    Clear();
}

void TsVariant::FreeValue()
{
    switch (m_type) {
    case ItemType_hexBinary:
    case ItemType_base64Binary:
        delete m_value.m_pBinary;
        break;
    case ItemType_duration:
        delete m_value.m_pDuration;
        break;
    case ItemType_yearMonth:
    case ItemType_monthDay:
    case ItemType_date:
    case ItemType_datetime:
    case ItemType_time:
        delete m_value.m_pDateTime;
        break;
    case ItemType_string:
        delete m_value.m_pString;
        break;
    case ItemType_decimal:
        delete m_value.m_pDecimal;
        break;
    case ItemType_integer:
        delete m_value.m_pBigInteger;
        break;
    case ItemType_XmlObjectBase:
        if (m_value.m_pXmlObject)
            m_value.m_pXmlObject->Release();
        break;
    case ItemType_XmlCollection:
        if (m_value.m_pXmlCol)
            m_value.m_pXmlCol->Release();
        break;
    default:
        break;
    }
    m_value.ui8 = 0;
}

void TsVariant::Clear()
{
    FreeValue();
    m_nil = false;
    m_type = ItemType_Invalid;
}

void TsVariant::SetNil()
{
    FreeValue();
    m_nil = true;
}

std::string TsVariant::GetType() const
{
    if (!IsPrimitive(m_type))
        throw CTsException(FormatString("Invalid Type %d", static_cast<int>(m_type)));
    return kTypeNames[m_type - 1];
}

// ---------------------------------------------------------------------------
// Setters

#define TSXMLLIB_SET_INLINE(Name, Type, Tag, Member) \
    void TsVariant::Name(Type value)                 \
    {                                                \
        Clear();                                     \
        m_type = Tag;                                \
        m_value.Member = value;                      \
    }

#define TSXMLLIB_SET_OWNED(Name, Type, Tag, Member)               \
    void TsVariant::Name(const Type& value)                       \
    {                                                             \
        Type* copy = new Type(value); /* before value can go */   \
        Clear();                                                  \
        m_type = Tag;                                             \
        m_value.Member = copy;                                    \
    }

TSXMLLIB_SET_OWNED(SetHexBinary, CBinaryData, ItemType_hexBinary, m_pBinary)
TSXMLLIB_SET_OWNED(SetBase64Binary, CBinaryData, ItemType_base64Binary, m_pBinary)
TSXMLLIB_SET_INLINE(SetI1, char, ItemType_i1, i1)
TSXMLLIB_SET_INLINE(SetI2, short, ItemType_i2, i2)
TSXMLLIB_SET_INLINE(SetI4, std::int32_t, ItemType_i4, i4)
TSXMLLIB_SET_INLINE(SetI8, std::int64_t, ItemType_i8, i8)
TSXMLLIB_SET_INLINE(SetUI1, unsigned char, ItemType_ui1, ui1)
TSXMLLIB_SET_INLINE(SetUI2, unsigned short, ItemType_ui2, ui2)
TSXMLLIB_SET_INLINE(SetUI4, std::uint32_t, ItemType_ui4, ui4)
TSXMLLIB_SET_INLINE(SetUI8, std::uint64_t, ItemType_ui8, ui8)
TSXMLLIB_SET_INLINE(SetR4, float, ItemType_r4, r4)
TSXMLLIB_SET_INLINE(SetR8, double, ItemType_r8, r8)
TSXMLLIB_SET_OWNED(SetDuration, CDateTimeSpan, ItemType_duration, m_pDuration)
TSXMLLIB_SET_OWNED(SetYearMonth, CDateTime, ItemType_yearMonth, m_pDateTime)
TSXMLLIB_SET_OWNED(SetMonthDay, CDateTime, ItemType_monthDay, m_pDateTime)
TSXMLLIB_SET_INLINE(SetYear, unsigned short, ItemType_year, year)
TSXMLLIB_SET_INLINE(SetMonth, unsigned char, ItemType_month, month)
TSXMLLIB_SET_INLINE(SetDay, unsigned char, ItemType_day, day)
TSXMLLIB_SET_OWNED(SetDate, CDateTime, ItemType_date, m_pDateTime)
TSXMLLIB_SET_OWNED(SetDateTime, CDateTime, ItemType_datetime, m_pDateTime)
TSXMLLIB_SET_OWNED(SetTime, CDateTime, ItemType_time, m_pDateTime)
TSXMLLIB_SET_INLINE(SetChar, char, ItemType_char, ch)
TSXMLLIB_SET_INLINE(SetBoolean, bool, ItemType_boolean, boolean)
TSXMLLIB_SET_OWNED(SetDecimal, CDecimal, ItemType_decimal, m_pDecimal)
TSXMLLIB_SET_OWNED(SetInteger, CBigInteger, ItemType_integer, m_pBigInteger)

#undef TSXMLLIB_SET_INLINE
#undef TSXMLLIB_SET_OWNED

void TsVariant::SetString(std::string value)
{
    std::string* copy = new std::string(std::move(value));
    Clear();
    m_type = ItemType_string;
    m_value.m_pString = copy;
}

void TsVariant::SetXmlObject(CXmlObjectBase* value)
{
    // The new reference is taken before the old one is dropped: the two may be the same object.
    if (value)
        value->AddRef();
    Clear();
    m_type = ItemType_XmlObjectBase;
    m_value.m_pXmlObject = value;
}

void TsVariant::SetXmlCollection(CXmlCollectionBase* value)
{
    if (value)
        value->AddRef();
    Clear();
    m_type = ItemType_XmlCollection;
    m_value.m_pXmlCol = value;
}

// ---------------------------------------------------------------------------
// Getters

void TsVariant::Require(ItemType type, const char* getter) const
{
    if (m_type != type)
        throw CTsInvalidStateException(
            FormatString("Failed to %s. The variant holds type %d.", getter, static_cast<int>(m_type)));
}

template <class T>
T TsVariant::Inline(ItemType type, T Value::*member, const char* getter) const
{
    Require(type, getter);
    return m_nil ? T() : m_value.*member;
}

template <class T>
T TsVariant::Owned(ItemType type, T* Value::*member, const char* getter) const
{
    Require(type, getter);
    const T* p = m_value.*member;
    if (!p)
        throw CTsInvalidStateException(FormatString("Failed to %s. The variant is nil.", getter));
    return *p;
}

CBinaryData TsVariant::GetHexBinary() const { return Owned(ItemType_hexBinary, &Value::m_pBinary, "GetHexBinary"); }
CBinaryData TsVariant::GetBase64Binary() const { return Owned(ItemType_base64Binary, &Value::m_pBinary, "GetBase64Binary"); }
char TsVariant::GetI1() const { return Inline(ItemType_i1, &Value::i1, "GetI1"); }
short TsVariant::GetI2() const { return Inline(ItemType_i2, &Value::i2, "GetI2"); }
std::int32_t TsVariant::GetI4() const { return Inline(ItemType_i4, &Value::i4, "GetI4"); }
std::int64_t TsVariant::GetI8() const { return Inline(ItemType_i8, &Value::i8, "GetI8"); }
unsigned char TsVariant::GetUI1() const { return Inline(ItemType_ui1, &Value::ui1, "GetUI1"); }
unsigned short TsVariant::GetUI2() const { return Inline(ItemType_ui2, &Value::ui2, "GetUI2"); }
std::uint32_t TsVariant::GetUI4() const { return Inline(ItemType_ui4, &Value::ui4, "GetUI4"); }
std::uint64_t TsVariant::GetUI8() const { return Inline(ItemType_ui8, &Value::ui8, "GetUI8"); }
float TsVariant::GetR4() const { return Inline(ItemType_r4, &Value::r4, "GetR4"); }
double TsVariant::GetR8() const { return Inline(ItemType_r8, &Value::r8, "GetR8"); }
CDateTimeSpan TsVariant::GetDuration() const { return Owned(ItemType_duration, &Value::m_pDuration, "GetDuration"); }
CDateTime TsVariant::GetYearMonth() const { return Owned(ItemType_yearMonth, &Value::m_pDateTime, "GetYearMonth"); }
CDateTime TsVariant::GetMonthDay() const { return Owned(ItemType_monthDay, &Value::m_pDateTime, "GetMonthDay"); }
unsigned short TsVariant::GetYear() const { return Inline(ItemType_year, &Value::year, "GetYear"); }
unsigned char TsVariant::GetMonth() const { return Inline(ItemType_month, &Value::month, "GetMonth"); }
unsigned char TsVariant::GetDay() const { return Inline(ItemType_day, &Value::day, "GetDay"); }
CDateTime TsVariant::GetDate() const { return Owned(ItemType_date, &Value::m_pDateTime, "GetDate"); }
CDateTime TsVariant::GetDateTime() const { return Owned(ItemType_datetime, &Value::m_pDateTime, "GetDateTime"); }
CDateTime TsVariant::GetTime() const { return Owned(ItemType_time, &Value::m_pDateTime, "GetTime"); }
char TsVariant::GetChar() const { return Inline(ItemType_char, &Value::ch, "GetChar"); }
std::string TsVariant::GetString() const { return Owned(ItemType_string, &Value::m_pString, "GetString"); }
bool TsVariant::GetBoolean() const { return Inline(ItemType_boolean, &Value::boolean, "GetBoolean"); }
CDecimal TsVariant::GetDecimal() const { return Owned(ItemType_decimal, &Value::m_pDecimal, "GetDecimal"); }
CBigInteger TsVariant::GetInteger() const { return Owned(ItemType_integer, &Value::m_pBigInteger, "GetInteger"); }

CSmartPtr<CXmlObjectBase> TsVariant::GetXmlObject() const
{
    if (m_type == ItemType_XmlCollection)
        return CSmartPtr<CXmlObjectBase>(m_value.m_pXmlCol);
    Require(ItemType_XmlObjectBase, "GetXmlObject");
    return CSmartPtr<CXmlObjectBase>(m_value.m_pXmlObject);
}

CSmartPtr<CXmlCollectionBase> TsVariant::GetXmlCollection() const
{
    Require(ItemType_XmlCollection, "GetXmlCollection");
    if (!m_value.m_pXmlCol)
        throw CTsInvalidStateException("Failed to GetXmlCollection. The variant holds no collection.");
    return CSmartPtr<CXmlCollectionBase>(m_value.m_pXmlCol);
}

// ---------------------------------------------------------------------------
// Text

std::string TsVariant::ToString(const char* format) const
{
    const std::string fmt = format ? format : "";
    using C = CConversions;
    // A nil value held inline reads as zero; one held by pointer has no text.
    const auto held = [this](auto member) { return Inline(m_type, member, "ToString"); };
    const auto text = [](const auto* p, auto convert) { return p ? convert(*p) : std::string(); };
    switch (m_type) {
    case ItemType_hexBinary:
        return text(m_value.m_pBinary, C::hexBinaryToString);
    case ItemType_base64Binary:
        return text(m_value.m_pBinary, C::base64BinaryToString);
    case ItemType_i1:
        return C::i1ToString(held(&Value::i1));
    case ItemType_i2:
        return C::i2ToString(held(&Value::i2));
    case ItemType_i4:
        return C::i4ToString(held(&Value::i4));
    case ItemType_i8:
        return C::i8ToString(held(&Value::i8));
    case ItemType_ui1:
        return C::ui1ToString(held(&Value::ui1));
    case ItemType_ui2:
        return C::ui2ToString(held(&Value::ui2));
    case ItemType_ui4:
        return C::ui4ToString(held(&Value::ui4));
    case ItemType_ui8:
        return C::ui8ToString(held(&Value::ui8));
    case ItemType_r4:
        return C::r4ToString(held(&Value::r4), fmt);
    case ItemType_r8:
        return C::r8ToString(held(&Value::r8), fmt);
    case ItemType_duration:
        return text(m_value.m_pDuration, C::durationToString);
    case ItemType_yearMonth:
        return text(m_value.m_pDateTime, C::yearMonthToString);
    case ItemType_monthDay:
        return text(m_value.m_pDateTime, C::monthDayToString);
    case ItemType_year:
        return C::yearToString(held(&Value::year));
    case ItemType_month:
        return C::monthToString(held(&Value::month));
    case ItemType_day:
        return C::dayToString(held(&Value::day));
    case ItemType_date:
        return text(m_value.m_pDateTime, C::dateToString);
    case ItemType_datetime:
        return text(m_value.m_pDateTime, C::datetimeToString);
    case ItemType_time:
        return text(m_value.m_pDateTime, C::timeToString);
    case ItemType_char:
        return C::charToString(held(&Value::ch));
    case ItemType_string:
        return text(m_value.m_pString, C::stringToString);
    case ItemType_boolean:
        return C::booleanToString(held(&Value::boolean));
    case ItemType_decimal:
        return m_value.m_pDecimal ? C::decimalToString(*m_value.m_pDecimal, fmt) : std::string();
    case ItemType_integer:
        return text(m_value.m_pBigInteger, C::integerToString);
    default:
        throw CTsException(FormatString("Invalid Type %d to convert to string", static_cast<int>(m_type)));
    }
}

void TsVariant::FromString(const std::string& s, ItemType type, CWhitespaceUtils::WhitespaceRule rule)
{
    using C = CConversions;
    switch (type) {
    case ItemType_hexBinary:
        return SetHexBinary(C::hexBinaryFromString(s, rule));
    case ItemType_base64Binary:
        return SetBase64Binary(C::base64BinaryFromString(s, rule));
    case ItemType_i1:
        return SetI1(C::i1FromString(s, rule));
    case ItemType_i2:
        return SetI2(C::i2FromString(s, rule));
    case ItemType_i4:
        return SetI4(C::i4FromString(s, rule));
    case ItemType_i8:
        return SetI8(C::i8FromString(s, rule));
    case ItemType_ui1:
        return SetUI1(C::ui1FromString(s, rule));
    case ItemType_ui2:
        return SetUI2(C::ui2FromString(s, rule));
    case ItemType_ui4:
        return SetUI4(C::ui4FromString(s, rule));
    case ItemType_ui8:
        return SetUI8(C::ui8FromString(s, rule));
    case ItemType_r4:
        return SetR4(C::r4FromString(s, rule));
    case ItemType_r8:
        return SetR8(C::r8FromString(s, rule));
    case ItemType_duration:
        return SetDuration(C::durationFromString(s, rule));
    case ItemType_yearMonth:
        return SetYearMonth(C::yearMonthFromString(s, rule));
    case ItemType_monthDay:
        return SetMonthDay(C::monthDayFromString(s, rule));
    case ItemType_year:
        return SetYear(C::yearFromString(s, rule));
    case ItemType_month:
        return SetMonth(C::monthFromString(s, rule));
    case ItemType_day:
        return SetDay(C::dayFromString(s, rule));
    case ItemType_date:
        return SetDate(C::dateFromString(s, rule));
    case ItemType_datetime:
        return SetDateTime(C::datetimeFromString(s, rule));
    case ItemType_time:
        return SetTime(C::timeFromString(s, rule));
    case ItemType_char:
        return SetChar(C::charFromString(s, rule));
    case ItemType_string:
        return SetString(C::stringFromString(s, rule));
    case ItemType_boolean:
        return SetBoolean(C::booleanFromString(s, rule));
    case ItemType_decimal:
        return SetDecimal(C::decimalFromString(s, rule));
    case ItemType_integer:
        return SetInteger(C::integerFromString(s, rule));
    default:
        throw CTsException(FormatString("Invalid Type %d to convert to string", static_cast<int>(type)));
    }
}

} // namespace TsXmlLib16
