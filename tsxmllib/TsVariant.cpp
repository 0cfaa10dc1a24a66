#include "tsxmllib/TsVariant.h"

#include "tsxmllib/Conversions.h"
#include "tsxmllib/FormatString.h"
#include "tsxmllib/TsException.h"

#include <new>
#include <type_traits>

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
struct Kind {
    using Type = T;
};

// Calls f(Kind<T>()) with the C++ type of an item type held in the storage;
// false for the types held inline or by reference.
template <class F>
bool VisitOwned(ItemType type, F&& f)
{
    switch (type) {
    case ItemType_hexBinary:
    case ItemType_base64Binary:
        f(Kind<CBinaryData>());
        return true;
    case ItemType_duration:
        f(Kind<CDateTimeSpan>());
        return true;
    case ItemType_yearMonth:
    case ItemType_monthDay:
    case ItemType_date:
    case ItemType_datetime:
    case ItemType_time:
        f(Kind<CDateTime>());
        return true;
    case ItemType_string:
        f(Kind<std::string>());
        return true;
    case ItemType_decimal:
        f(Kind<CDecimal>());
        return true;
    case ItemType_integer:
        f(Kind<CBigInteger>());
        return true;
    default:
        return false;
    }
}

// Emplace moves the copy made by a setter into the storage after the old
// content went; a move that could fail would leave the variant empty.
static_assert(std::is_nothrow_move_constructible<std::string>::value, "string moves must not throw");
static_assert(std::is_nothrow_move_constructible<CDecimal>::value, "decimal moves must not throw");
static_assert(std::is_nothrow_move_constructible<CBigInteger>::value, "integer moves must not throw");
static_assert(std::is_nothrow_move_constructible<CDateTime>::value, "date moves must not throw");
static_assert(std::is_nothrow_move_constructible<CDateTimeSpan>::value, "duration moves must not throw");
// Binary data has no move; its copy only takes another reference to the buffer.

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
    if (!other.m_nil && VisitOwned(other.m_type, [&](auto kind) {
            using T = typename decltype(kind)::Type;
            // The copy is made before the old value goes, so that a failed
            // allocation leaves this variant as it was.
            T copy(*other.Held<T>());
            Emplace(other.m_type, std::move(copy));
        }))
        return *this;
    Value copy;
    copy.ui8 = 0;
    if (!other.m_nil) {
        const Value& source = other.m_value;
        switch (other.m_type) {
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

template <class T>
void TsVariant::Emplace(ItemType type, T&& value) noexcept
{
    using Plain = typename std::decay<T>::type;
    Clear();
    new (m_value.storage) Plain(std::move(value));
    m_type = type;
}

void TsVariant::FreeValue()
{
    if (!HoldsFreed()) {
        m_value.ui8 = 0;
        return;
    }
    if (VisitOwned(m_type, [this](auto kind) { Destroy<typename decltype(kind)::Type>(); })) {
        m_value.ui8 = 0;
        return;
    }
    switch (m_type) {
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

// The owned types the inline setters replace a value with.
template void TsVariant::Emplace<std::string>(ItemType, std::string&&) noexcept;
template void TsVariant::Emplace<CBinaryData>(ItemType, CBinaryData&&) noexcept;
template void TsVariant::Emplace<CDateTimeSpan>(ItemType, CDateTimeSpan&&) noexcept;
template void TsVariant::Emplace<CDateTime>(ItemType, CDateTime&&) noexcept;
template void TsVariant::Emplace<CDecimal>(ItemType, CDecimal&&) noexcept;
template void TsVariant::Emplace<CBigInteger>(ItemType, CBigInteger&&) noexcept;

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
const T& TsVariant::Owned(ItemType type, const char* getter) const
{
    Require(type, getter);
    const T* p = Held<T>();
    if (!p)
        throw CTsInvalidStateException(FormatString("Failed to %s. The variant is nil.", getter));
    return *p;
}

CBinaryData TsVariant::GetHexBinary() const { return Owned<CBinaryData>(ItemType_hexBinary, "GetHexBinary"); }
CBinaryData TsVariant::GetBase64Binary() const { return Owned<CBinaryData>(ItemType_base64Binary, "GetBase64Binary"); }
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
CDateTimeSpan TsVariant::GetDuration() const { return Owned<CDateTimeSpan>(ItemType_duration, "GetDuration"); }
CDateTime TsVariant::GetYearMonth() const { return Owned<CDateTime>(ItemType_yearMonth, "GetYearMonth"); }
CDateTime TsVariant::GetMonthDay() const { return Owned<CDateTime>(ItemType_monthDay, "GetMonthDay"); }
unsigned short TsVariant::GetYear() const { return Inline(ItemType_year, &Value::year, "GetYear"); }
unsigned char TsVariant::GetMonth() const { return Inline(ItemType_month, &Value::month, "GetMonth"); }
unsigned char TsVariant::GetDay() const { return Inline(ItemType_day, &Value::day, "GetDay"); }
CDateTime TsVariant::GetDate() const { return Owned<CDateTime>(ItemType_date, "GetDate"); }
CDateTime TsVariant::GetDateTime() const { return Owned<CDateTime>(ItemType_datetime, "GetDateTime"); }
CDateTime TsVariant::GetTime() const { return Owned<CDateTime>(ItemType_time, "GetTime"); }
char TsVariant::GetChar() const { return Inline(ItemType_char, &Value::ch, "GetChar"); }
std::string TsVariant::GetString() const { return Owned<std::string>(ItemType_string, "GetString"); }
const std::string& TsVariant::GetStringRef() const { return Owned<std::string>(ItemType_string, "GetString"); }
bool TsVariant::GetBoolean() const { return Inline(ItemType_boolean, &Value::boolean, "GetBoolean"); }
CDecimal TsVariant::GetDecimal() const { return Owned<CDecimal>(ItemType_decimal, "GetDecimal"); }
CBigInteger TsVariant::GetInteger() const { return Owned<CBigInteger>(ItemType_integer, "GetInteger"); }

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
    return ToString(format ? std::string(format) : std::string());
}

std::string TsVariant::ToString(const std::string& fmt) const
{
    using C = CConversions;
    // A nil value held inline reads as zero; one held by pointer has no text.
    const auto held = [this](auto member) { return Inline(m_type, member, "ToString"); };
    const auto text = [](const auto* p, auto convert) { return p ? convert(*p) : std::string(); };
    switch (m_type) {
    case ItemType_hexBinary:
        return text(Held<CBinaryData>(), C::hexBinaryToString);
    case ItemType_base64Binary:
        return text(Held<CBinaryData>(), C::base64BinaryToString);
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
        return text(Held<CDateTimeSpan>(), C::durationToString);
    case ItemType_yearMonth:
        return text(Held<CDateTime>(), C::yearMonthToString);
    case ItemType_monthDay:
        return text(Held<CDateTime>(), C::monthDayToString);
    case ItemType_year:
        return C::yearToString(held(&Value::year));
    case ItemType_month:
        return C::monthToString(held(&Value::month));
    case ItemType_day:
        return C::dayToString(held(&Value::day));
    case ItemType_date:
        return text(Held<CDateTime>(), C::dateToString);
    case ItemType_datetime:
        return text(Held<CDateTime>(), C::datetimeToString);
    case ItemType_time:
        return text(Held<CDateTime>(), C::timeToString);
    case ItemType_char:
        return C::charToString(held(&Value::ch));
    case ItemType_string:
        return text(Held<std::string>(), C::stringToString);
    case ItemType_boolean:
        return C::booleanToString(held(&Value::boolean));
    case ItemType_decimal:
        return m_nil ? std::string() : C::decimalToString(*Held<CDecimal>(), fmt);
    case ItemType_integer:
        return text(Held<CBigInteger>(), C::integerToString);
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
