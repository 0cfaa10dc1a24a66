// A tagged value: nothing, a nil marker, one primitive value of any item type,
// or a counted reference to an object or collection. Generated classes exchange
// their property values through it, and it converts them to and from text.
#ifndef TSXMLLIB_TSVARIANT_H
#define TSXMLLIB_TSVARIANT_H

#include "tsxmllib/BigInteger.h"
#include "tsxmllib/BinaryData.h"
#include "tsxmllib/DateTime.h"
#include "tsxmllib/DateTimeSpan.h"
#include "tsxmllib/Decimal.h"
#include "tsxmllib/Enums.h"
#include "tsxmllib/Export.h"
#include "tsxmllib/SmartPtr.h"
#include "tsxmllib/WhitespaceUtils.h"
#include "tsxmllib/XmlCollectionBase.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>
#include <type_traits>
#include <utility>

namespace TsXmlLib16 {

// Getters require the variant to hold their type; any other type throws
// CTsInvalidStateException. A nil variant keeps its type: the getters of values
// held inline give zero, those of values held by pointer throw.
struct TSXMLLIB_EXPORT TsVariant {
    TsVariant() { m_value.ui8 = 0; }
    TsVariant(const TsVariant& other);
    TsVariant& operator=(const TsVariant& other);
    virtual ~TsVariant()
    {
        if (HoldsFreed())
            DestroyValue();
    }

    void Clear()
    {
        if (HoldsFreed())
            FreeValue(); // which also zeroes the storage
        else
            m_value.ui8 = 0;
        m_nil = false;
        m_type = ItemType_Invalid;
    }
    // A type is held or the nil flag is set.
    bool IsValid() const { return m_type != ItemType_Invalid || m_nil; }
    bool IsNil() const { return m_nil; }
    ItemType GetTypeAsEnum() const { return m_type; }
    void SetInvalid() { Clear(); }
    // Drops the value, keeps the type.
    void SetNil();
    // The lexical name of the type ("i4", "datetime", ...); throws for 0, 27 and 28.
    std::string GetType() const;

    // The setters are inline: generated classes call them for every value
    // they hand out.
    void SetHexBinary(const CBinaryData& value) { SetOwned(ItemType_hexBinary, value); }
    void SetBase64Binary(const CBinaryData& value) { SetOwned(ItemType_base64Binary, value); }
    void SetI1(char value) { SetInline(ItemType_i1, &Value::i1, value); }
    void SetI2(short value) { SetInline(ItemType_i2, &Value::i2, value); }
    void SetI4(std::int32_t value) { SetInline(ItemType_i4, &Value::i4, value); }
    void SetI8(std::int64_t value) { SetInline(ItemType_i8, &Value::i8, value); }
    void SetUI1(unsigned char value) { SetInline(ItemType_ui1, &Value::ui1, value); }
    void SetUI2(unsigned short value) { SetInline(ItemType_ui2, &Value::ui2, value); }
    void SetUI4(std::uint32_t value) { SetInline(ItemType_ui4, &Value::ui4, value); }
    void SetUI8(std::uint64_t value) { SetInline(ItemType_ui8, &Value::ui8, value); }
    void SetR4(float value) { SetInline(ItemType_r4, &Value::r4, value); }
    void SetR8(double value) { SetInline(ItemType_r8, &Value::r8, value); }
    void SetDuration(const CDateTimeSpan& value) { SetOwned(ItemType_duration, value); }
    void SetYearMonth(const CDateTime& value) { SetOwned(ItemType_yearMonth, value); }
    void SetMonthDay(const CDateTime& value) { SetOwned(ItemType_monthDay, value); }
    void SetYear(unsigned short value) { SetInline(ItemType_year, &Value::year, value); }
    void SetMonth(unsigned char value) { SetInline(ItemType_month, &Value::month, value); }
    void SetDay(unsigned char value) { SetInline(ItemType_day, &Value::day, value); }
    void SetDate(const CDateTime& value) { SetOwned(ItemType_date, value); }
    void SetDateTime(const CDateTime& value) { SetOwned(ItemType_datetime, value); }
    void SetTime(const CDateTime& value) { SetOwned(ItemType_time, value); }
    void SetChar(char value) { SetInline(ItemType_char, &Value::ch, value); }
    void SetString(std::string value) { SetOwned(ItemType_string, std::move(value)); }
    void SetBoolean(bool value) { SetInline(ItemType_boolean, &Value::boolean, value); }
    void SetDecimal(const CDecimal& value) { SetOwned(ItemType_decimal, value); }
    void SetInteger(const CBigInteger& value) { SetOwned(ItemType_integer, value); }
    // The object or collection (which may be null) gains a reference.
    void SetXmlObject(CXmlObjectBase* value);
    void SetXmlCollection(CXmlCollectionBase* value);

    CBinaryData GetHexBinary() const;
    CBinaryData GetBase64Binary() const;
    char GetI1() const;
    short GetI2() const;
    std::int32_t GetI4() const;
    std::int64_t GetI8() const;
    unsigned char GetUI1() const;
    unsigned short GetUI2() const;
    std::uint32_t GetUI4() const;
    std::uint64_t GetUI8() const;
    float GetR4() const;
    double GetR8() const;
    CDateTimeSpan GetDuration() const;
    CDateTime GetYearMonth() const;
    CDateTime GetMonthDay() const;
    unsigned short GetYear() const;
    unsigned char GetMonth() const;
    unsigned char GetDay() const;
    CDateTime GetDate() const;
    CDateTime GetDateTime() const;
    CDateTime GetTime() const;
    char GetChar() const;
    std::string GetString() const;
    // The held string itself, valid until the variant changes; same checks as GetString.
    const std::string& GetStringRef() const;
    bool GetBoolean() const;
    CDecimal GetDecimal() const;
    CBigInteger GetInteger() const;
    // An object or a collection (as its object base); null when none was stored.
    CSmartPtr<CXmlObjectBase> GetXmlObject() const;
    // Throws unless a collection is held.
    CSmartPtr<CXmlCollectionBase> GetXmlCollection() const;

    // The lexical form of the value; the format (null = empty) is used by r4, r8
    // and decimal. A nil value held by pointer gives the empty text.
    std::string ToString(const char* format) const;
    std::string ToString(const std::string& format) const;
    // Calls use with the same text, made without a copy: a held string is
    // passed itself, any other value's ToString is made where use reads it.
    template <class Use>
    decltype(auto) WithText(const std::string& format, Use&& use) const
    {
        if (m_type == ItemType_string && !m_nil)
            return use(*Held<std::string>());
        return use(ToString(format));
    }
    // Converts the text to the type and stores it; on failure the variant is unchanged.
    void FromString(const std::string& text, ItemType type, CWhitespaceUtils::WhitespaceRule rule);

private:
    // Values of the owned types (strings, dates, binary data, decimals, ...) are
    // constructed in the storage; the nil flag says that none is.
    static constexpr std::size_t kStorageSize =
        std::max({sizeof(std::string), sizeof(CBinaryData), sizeof(CDateTimeSpan), sizeof(CDateTime),
                  sizeof(CDecimal), sizeof(CBigInteger)});
    static constexpr std::size_t kStorageAlign =
        std::max({alignof(std::string), alignof(CBinaryData), alignof(CDateTimeSpan), alignof(CDateTime),
                  alignof(CDecimal), alignof(CBigInteger)});

    // The item types whose value is constructed in the storage or counted.
    static constexpr std::uint32_t kFreed =
        1u << ItemType_hexBinary | 1u << ItemType_base64Binary | 1u << ItemType_duration | 1u << ItemType_yearMonth |
        1u << ItemType_monthDay | 1u << ItemType_date | 1u << ItemType_datetime | 1u << ItemType_time |
        1u << ItemType_string | 1u << ItemType_decimal | 1u << ItemType_integer | 1u << ItemType_XmlObjectBase |
        1u << ItemType_XmlCollection;
    static constexpr std::uint32_t kDateTimes = 1u << ItemType_yearMonth | 1u << ItemType_monthDay |
                                                1u << ItemType_date | 1u << ItemType_datetime | 1u << ItemType_time;

    union Value {
        char i1;
        short i2;
        std::int32_t i4;
        std::int64_t i8;
        unsigned char ui1;
        unsigned short ui2;
        std::uint32_t ui4;
        std::uint64_t ui8;
        float r4;
        double r8;
        unsigned short year;
        unsigned char month;
        unsigned char day;
        char ch;
        bool boolean;
        CXmlObjectBase* m_pXmlObject;
        CXmlCollectionBase* m_pXmlCol;
        alignas(kStorageAlign) unsigned char storage[kStorageSize];
    };

    template <class T>
    T Inline(ItemType type, T Value::*member, const char* getter) const;
    template <class T>
    const T& Owned(ItemType type, const char* getter) const;
    // The owned value of type T, or null when the variant is nil.
    template <class T>
    const T* Held() const
    {
        return m_nil ? nullptr : std::launder(reinterpret_cast<const T*>(m_value.storage));
    }
    // Replaces the content by an owned value moved from value (instantiated
    // in the source for the owned types).
    template <class T>
    void Emplace(ItemType type, T&& value) noexcept;
    // Neither a value nor the nil flag.
    bool IsEmpty() const { return m_type == ItemType_Invalid && !m_nil; }
    template <class T>
    void SetInline(ItemType type, T Value::*member, T value)
    {
        Clear();
        m_type = type;
        m_value.*member = value;
    }
    // An empty variant (the usual case: one made for a single value) takes
    // the copy in place; a failed copy leaves it empty. Otherwise the copy is
    // made first, so that a failure leaves the old value, and value may be
    // part of it.
    template <class T>
    void SetOwned(ItemType type, T&& value)
    {
        using Plain = typename std::decay<T>::type;
        if (IsEmpty()) {
            new (m_value.storage) Plain(std::forward<T>(value));
            m_type = type;
            return;
        }
        Emplace(type, Plain(std::forward<T>(value)));
    }
    void Require(ItemType type, const char* getter) const;
    // Values held inline, and nil ones, leave nothing to free.
    bool HoldsFreed() const { return !m_nil && static_cast<unsigned>(m_type) < 32 && (kFreed >> m_type & 1u); }
    // The value in the storage is exactly a T (never a class derived from
    // it), so its destructor is called by name: no virtual dispatch.
    template <class T>
    void Destroy() noexcept
    {
        std::launder(reinterpret_cast<T*>(m_value.storage))->T::~T();
    }
    // Ends the value HoldsFreed() reports. The types values mostly have are
    // tested one by one here, inline, rather than through a jump table whose
    // target changes from one value to the next.
    void DestroyValue() noexcept
    {
        if (m_type == ItemType_string)
            Destroy<std::string>();
        else if (kDateTimes >> m_type & 1u)
            Destroy<CDateTime>();
        else if (m_type == ItemType_decimal)
            Destroy<CDecimal>();
        else
            FreeValue();
    }
    void FreeValue();

    bool m_nil = false;
    ItemType m_type = ItemType_Invalid;
    Value m_value;
};

} // namespace TsXmlLib16

#endif
