#include "tsxmllib/PrimitiveRestrictions.h"

namespace TsXmlLib16 {

namespace {
std::string Text(const char* s) { return s ? s : ""; }
} // namespace

CPrimitiveRestrictions::CPrimitiveRestrictions() = default;

CPrimitiveRestrictions::CPrimitiveRestrictions(const char* pattern, long minLength, long maxLength,
                                               const char* minInclusive, const char* maxInclusive,
                                               const char* minExclusive, const char* maxExclusive, long length,
                                               long totalDigits, long fractionDigits)
    : m_pattern(Text(pattern)), m_minLength(minLength), m_maxLength(maxLength), m_minInclusive(Text(minInclusive)),
      m_maxInclusive(Text(maxInclusive)), m_minExclusive(Text(minExclusive)), m_maxExclusive(Text(maxExclusive)),
      m_length(length), m_totalDigits(totalDigits), m_fractionDigits(fractionDigits),
      m_hasAny(!m_pattern.empty() || m_minLength > -1 || m_maxLength > -1 || !m_minInclusive.empty() ||
               !m_maxInclusive.empty() || !m_minExclusive.empty() || !m_maxExclusive.empty() || m_length > -1 ||
               m_totalDigits > -1 || m_fractionDigits > -1)
{
}

CPrimitiveRestrictions::CPrimitiveRestrictions(const CPrimitiveRestrictions& other)
    : m_pattern(other.m_pattern), m_minLength(other.m_minLength), m_maxLength(other.m_maxLength),
      m_minInclusive(other.m_minInclusive), m_maxInclusive(other.m_maxInclusive),
      m_minExclusive(other.m_minExclusive), m_maxExclusive(other.m_maxExclusive), m_length(other.m_length),
      m_totalDigits(other.m_totalDigits), m_fractionDigits(other.m_fractionDigits), m_hasAny(other.m_hasAny)
{
}

CPrimitiveRestrictions& CPrimitiveRestrictions::operator=(const CPrimitiveRestrictions& other)
{
    if (this == &other)
        return *this;
    m_pattern = other.m_pattern;
    m_minLength = other.m_minLength;
    m_maxLength = other.m_maxLength;
    m_minInclusive = other.m_minInclusive;
    m_maxInclusive = other.m_maxInclusive;
    m_minExclusive = other.m_minExclusive;
    m_maxExclusive = other.m_maxExclusive;
    m_length = other.m_length;
    m_totalDigits = other.m_totalDigits;
    m_fractionDigits = other.m_fractionDigits;
    m_hasAny = other.m_hasAny;
    // The bounds parsed from the old facets are no longer those of these.
    delete m_parsed.exchange(nullptr, std::memory_order_acq_rel);
    return *this;
}

CPrimitiveRestrictions::~CPrimitiveRestrictions() { delete m_parsed.load(std::memory_order_acquire); }

CParsedFacets::~CParsedFacets() = default;

const CParsedFacets* CPrimitiveRestrictions::KeepParsed(std::unique_ptr<CParsedFacets> parsed) const
{
    const CParsedFacets* expected = nullptr;
    if (m_parsed.compare_exchange_strong(expected, parsed.get(), std::memory_order_acq_rel,
                                         std::memory_order_acquire))
        return parsed.release();
    return expected;
}


} // namespace TsXmlLib16

// ---------------------------------------------------------------------------
// The restriction check

#include "tsxmllib/Conversions.h"
#include "tsxmllib/Encoder.h"
#include "tsxmllib/FormatString.h"
#include "tsxmllib/Functions.h"
#include "tsxmllib/SimplePattern.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsVariant.h"

namespace TsXmlLib16 {

namespace {

constexpr CWhitespaceUtils::WhitespaceRule kCollapse = CWhitespaceUtils::WhitespaceRule_Collapse;

// The order of two values: <0, 0, >0, or kIndeterminate for partially ordered types.
constexpr int kIndeterminate = 2;

template <class T>
int Order(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

int OrderOf(CDateTime::DTCompareResult r)
{
    switch (r) {
    case CDateTime::dt_lessThan:
        return -1;
    case CDateTime::dt_greaterThan:
        return 1;
    case CDateTime::dt_equal:
        return 0;
    default:
        return kIndeterminate;
    }
}
int Order(const CDateTime& a, const CDateTime& b) { return OrderOf(a.CompareTo(b)); }
int Order(const CDateTimeSpan& a, const CDateTimeSpan& b) { return OrderOf(a.CompareTo(b)); }

// The four bounds of one item type parsed with its conversion; a bound that
// is unset or does not parse is left empty and parsed (and so reported) by
// every check, as when nothing is kept.
template <class T>
class CBoundsOf : public CParsedFacets {
public:
    enum Which { MinInclusive, MaxInclusive, MinExclusive, MaxExclusive, Count };

    template <class Parse>
    CBoundsOf(const CPrimitiveRestrictions& r, ItemType itemType, Parse parse) : CParsedFacets(itemType)
    {
        const std::string* texts[Count] = {&r.GetMinInclusive(), &r.GetMaxInclusive(), &r.GetMinExclusive(),
                                           &r.GetMaxExclusive()};
        for (int i = 0; i < Count; ++i) {
            if (texts[i]->empty())
                continue;
            try {
                m_bounds[i].reset(new T(parse(*texts[i])));
            } catch (...) {
                // Left to the check, which reports it.
            }
        }
    }

    const T* Get(Which which) const { return m_bounds[which].get(); }

private:
    std::unique_ptr<const T> m_bounds[Count];
};

// The bounds kept with r for itemType, made by the first check; null when r
// keeps the bounds of another item type.
template <class T, class Parse>
const CBoundsOf<T>* ParsedBounds(const CPrimitiveRestrictions& r, ItemType itemType, Parse parse)
{
    const CParsedFacets* parsed = r.GetParsed();
    if (!parsed)
        parsed = r.KeepParsed(std::make_unique<CBoundsOf<T>>(r, itemType, parse));
    return parsed->GetItemType() == itemType ? static_cast<const CBoundsOf<T>*>(parsed) : nullptr;
}

// Tests the four bounds that are set; fail is called on the first violation.
template <class T, class Parse, class Fail>
void CheckBounds(const CPrimitiveRestrictions& r, ItemType itemType, const T& value, Parse parse, Fail fail)
{
    if (r.GetMinInclusive().empty() && r.GetMaxInclusive().empty() && r.GetMinExclusive().empty() &&
        r.GetMaxExclusive().empty())
        return;
    const CBoundsOf<T>* parsed = ParsedBounds<T>(r, itemType, parse);
    const auto order = [&](typename CBoundsOf<T>::Which which, const std::string& text) {
        const T* bound = parsed ? parsed->Get(which) : nullptr;
        return bound ? Order(value, *bound) : Order(value, static_cast<T>(parse(text)));
    };
    if (!r.GetMinInclusive().empty() && order(CBoundsOf<T>::MinInclusive, r.GetMinInclusive()) == -1)
        fail();
    if (!r.GetMaxInclusive().empty() && order(CBoundsOf<T>::MaxInclusive, r.GetMaxInclusive()) == 1)
        fail();
    if (!r.GetMinExclusive().empty()) {
        const int o = order(CBoundsOf<T>::MinExclusive, r.GetMinExclusive());
        if (o == -1 || o == 0)
            fail();
    }
    if (!r.GetMaxExclusive().empty()) {
        const int o = order(CBoundsOf<T>::MaxExclusive, r.GetMaxExclusive());
        if (o == 1 || o == 0)
            fail();
    }
}

// minLength, maxLength, length on a size.
template <class Fail>
void CheckLengths(const CPrimitiveRestrictions& r, unsigned long size, Fail fail)
{
    if (r.GetMinLength() > -1 && size < static_cast<unsigned long>(r.GetMinLength()))
        fail();
    if (r.GetMaxLength() > -1 && size > static_cast<unsigned long>(r.GetMaxLength()))
        fail();
    if (r.GetLength() > -1 && size != static_cast<unsigned long>(r.GetLength()))
        fail();
}

template <class Fail>
void CheckTotalDigits(const CPrimitiveRestrictions& r, const std::string& canonical, Fail fail)
{
    if (r.GetTotalDigits() > -1 && canonical.size() > static_cast<std::size_t>(r.GetTotalDigits()))
        fail();
}

// Integer types that fit a machine word: the bounds parsed with the type's own
// conversion, the message with %d (small types) or the canonical text.
// The canonical text is only made when a message or the totalDigits facet needs it.
template <class T, class Parse, class Canonical>
void CheckWord(const char* name, const CPrimitiveRestrictions& r, ItemType itemType, T value, Canonical canonical,
               Parse parse, bool textMessage)
{
    const auto fail = [&]() {
        if (textMessage)
            throw CTsException(FormatString("Invalid Value for %s [%s].", name, canonical(value).c_str()));
        throw CTsException(FormatString("Invalid Value for %s [%d]", name, static_cast<int>(value)));
    };
    CheckBounds(r, itemType, value, [&](const std::string& t) { return parse(t, kCollapse); }, fail);
    if (r.GetTotalDigits() > -1)
        CheckTotalDigits(r, canonical(value), fail);
}

template <class T>
std::string NoText(T)
{
    return std::string();
}

void CountDecimalDigits(const CDecimal& value, long& total, long& fraction)
{
    std::string text = value.ToString();
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        text.erase(0, 1);
    std::string integer = text, frac;
    const std::size_t dot = text.find('.');
    if (dot != std::string::npos) {
        integer = text.substr(0, dot);
        frac = text.substr(dot + 1);
    }
    integer.erase(0, integer.find_first_not_of('0') == std::string::npos ? integer.size()
                                                                           : integer.find_first_not_of('0'));
    while (!frac.empty() && frac.back() == '0')
        frac.pop_back();
    fraction = static_cast<long>(frac.size());
    total = static_cast<long>(integer.size() + frac.size());
    if (total == 0)
        total = 1; // zero has one digit
}

// A pattern the small automaton matches, kept with the restrictions of a
// string type, so that a plain value is matched without looking the pattern up.
struct CParsedPattern : CParsedFacets {
    CParsedPattern() : CParsedFacets(ItemType_string) {}
    CSimplePattern simple;
};

} // namespace

void CheckPrimitiveRestrictions(const char* name, const TsVariant& value, ItemType itemType,
                                const CPrimitiveRestrictions& r)
{
    // Without facets there is nothing to test (and no value to take apart).
    if (!r.HasAny())
        return;
    name = name ? name : "";
    // A failure that reports the value's text, made only when it is thrown.
    const auto textFail = [name](auto text) {
        return [name, text]() {
            throw CTsException(FormatString("Invalid Value for %s [%s].", name, std::string(text()).c_str()));
        };
    };
    switch (itemType) {
    case ItemType_hexBinary:
    case ItemType_base64Binary: {
        const CBinaryData data = itemType == ItemType_hexBinary ? value.GetHexBinary() : value.GetBase64Binary();
        CheckLengths(r, data.GetLength(), textFail([&value] { return value.ToString(nullptr); }));
        return;
    }
    case ItemType_i1:
        CheckWord(name, r, itemType, value.GetI1(), CConversions::i1ToString, CConversions::i1FromString, false);
        return;
    case ItemType_i2:
        CheckWord(name, r, itemType, value.GetI2(), CConversions::i2ToString, CConversions::i2FromString, false);
        return;
    case ItemType_i4:
        CheckWord(name, r, itemType, value.GetI4(), CConversions::i4ToString, CConversions::i4FromString, false);
        return;
    case ItemType_ui1:
        CheckWord(name, r, itemType, value.GetUI1(), CConversions::ui1ToString, CConversions::ui1FromString,
                  false);
        return;
    case ItemType_ui2:
        CheckWord(name, r, itemType, value.GetUI2(), CConversions::ui2ToString, CConversions::ui2FromString,
                  false);
        return;
    case ItemType_ui4: {
        // %d of the value as the 32-bit word it is.
        const std::uint32_t v = value.GetUI4();
        const auto fail = [&]() {
            throw CTsException(FormatString("Invalid Value for %s [%d]", name, static_cast<std::int32_t>(v)));
        };
        CheckBounds(r, itemType, v, [](const std::string& t) { return CConversions::ui4FromString(t, kCollapse); }, fail);
        if (r.GetTotalDigits() > -1)
            CheckTotalDigits(r, CConversions::ui4ToString(v), fail);
        return;
    }
    case ItemType_i8:
        CheckWord(name, r, itemType, value.GetI8(), CConversions::i8ToString, CConversions::i8FromString, true);
        return;
    case ItemType_ui8:
        CheckWord(name, r, itemType, value.GetUI8(), CConversions::ui8ToString, CConversions::ui8FromString,
                  true);
        return;
    case ItemType_integer: {
        const CBigInteger v = value.GetInteger();
        const auto fail = textFail([&v] { return CConversions::integerToString(v); });
        CheckBounds(r, itemType, v, [](const std::string& t) { return CConversions::integerFromString(t, kCollapse); }, fail);
        if (r.GetTotalDigits() > -1)
            CheckTotalDigits(r, CConversions::integerToString(v), fail);
        return;
    }
    case ItemType_decimal: {
        const CDecimal v = value.GetDecimal();
        const auto fail = textFail([&v] { return CConversions::decimalToString(v); });
        CheckBounds(r, itemType, v, [](const std::string& t) { return CConversions::decimalFromString(t, kCollapse); }, fail);
        if (r.GetTotalDigits() > -1 || r.GetFractionDigits() > -1) {
            long total = 0, fraction = 0;
            CountDecimalDigits(v, total, fraction);
            if (r.GetTotalDigits() > -1 && total > r.GetTotalDigits())
                fail();
            if (r.GetFractionDigits() > -1 && fraction > r.GetFractionDigits())
                fail();
        }
        return;
    }
    case ItemType_r4:
    case ItemType_r8: {
        const double v = itemType == ItemType_r4 ? static_cast<double>(value.GetR4()) : value.GetR8();
        const auto fail = [&]() { throw CTsException(FormatString("Invalid Value for %s [%f]", name, v)); };
        CheckBounds(r, itemType, v, [](const std::string& t) { return CConversions::r8FromString(t, kCollapse); }, fail);
        return;
    }
    case ItemType_duration: {
        const CDateTimeSpan v = value.GetDuration();
        CheckBounds(r, itemType, v, [](const std::string& t) { return CConversions::durationFromString(t, kCollapse); },
                    textFail([&v] { return v.ToString(); }));
        return;
    }
    case ItemType_yearMonth:
    case ItemType_monthDay:
    case ItemType_date:
    case ItemType_datetime:
    case ItemType_time: {
        CDateTime v;
        CDateTime (*parse)(const std::string&, CWhitespaceUtils::WhitespaceRule) = nullptr;
        switch (itemType) {
        case ItemType_yearMonth:
            v = value.GetYearMonth();
            parse = CConversions::yearMonthFromString;
            break;
        case ItemType_monthDay:
            v = value.GetMonthDay();
            parse = CConversions::monthDayFromString;
            break;
        case ItemType_date:
            v = value.GetDate();
            parse = CConversions::dateFromString;
            break;
        case ItemType_datetime:
            v = value.GetDateTime();
            parse = CConversions::datetimeFromString;
            break;
        default:
            v = value.GetTime();
            parse = CConversions::timeFromString;
            break;
        }
        CheckBounds(r, itemType, v, [parse](const std::string& t) { return parse(t, kCollapse); },
                    textFail([&value] { return value.ToString(nullptr); }));
        return;
    }
    case ItemType_year:
        CheckWord(name, r, itemType, value.GetYear(), NoText<decltype(value.GetYear())>, CConversions::yearFromString, false);
        return;
    case ItemType_month:
        CheckWord(name, r, itemType, value.GetMonth(), NoText<decltype(value.GetMonth())>, CConversions::monthFromString, false);
        return;
    case ItemType_day:
        CheckWord(name, r, itemType, value.GetDay(), NoText<decltype(value.GetDay())>, CConversions::dayFromString, false);
        return;
    case ItemType_string: {
        const std::string& v = value.GetStringRef();
        const auto fail = textFail([&v] { return v; });
        if (r.GetMinLength() > -1 || r.GetMaxLength() > -1 || r.GetLength() > -1)
            CheckLengths(r, static_cast<unsigned long>(LocalToUtf8String(v).size()), fail);
        if (!r.GetPattern().empty()) {
            const CParsedFacets* parsed = r.GetParsed();
            const CSimplePattern* simple =
                parsed && parsed->GetItemType() == ItemType_string ? &static_cast<const CParsedPattern*>(parsed)->simple
                                                                   : nullptr;
            bool matched = false;
            if (simple && CSimplePattern::Judges(v.data(), v.size())) {
                matched = simple->Matches(v.data(), v.size());
            } else {
                try {
                    matched = IsLocalEncodingUtf8() ? PatternMatches(r.GetPattern(), v)
                                                    : PatternMatches(LocalToUtf8String(r.GetPattern()), v);
                } catch (const CTsException& e) {
                    throw CTsException(FormatString("%s\nInvalid Value for %s [%s].", e.GetFullMessage().c_str(),
                                                    name, v.c_str()));
                }
                // The engine took the pattern: when the automaton takes it too,
                // it is kept for the values that follow.
                if (!parsed) {
                    auto kept = std::make_unique<CParsedPattern>();
                    if (kept->simple.Compile(r.GetPattern()))
                        r.KeepParsed(std::move(kept));
                }
            }
            if (!matched)
                fail();
        }
        return;
    }
    case ItemType_boolean:
        return;
    default:
        throw CTsInvalidValueException("Unknown type [" + value.GetType() + "].");
    }
}

} // namespace TsXmlLib16
