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

    void Clear();
    // A type is held or the nil flag is set.
    bool IsValid() const { return m_type != ItemType_Invalid || m_nil; }
    bool IsNil() const { return m_nil; }
    ItemType GetTypeAsEnum() const { return m_type; }
    void SetInvalid() { Clear(); }
    // Drops the value, keeps the type.
    void SetNil();
    // The lexical name of the type ("i4", "datetime", ...); throws for 0, 27 and 28.
    std::string GetType() const;

    void SetHexBinary(const CBinaryData& value);
    void SetBase64Binary(const CBinaryData& value);
    void SetI1(char value);
    void SetI2(short value);
    void SetI4(std::int32_t value);
    void SetI8(std::int64_t value);
    void SetUI1(unsigned char value);
    void SetUI2(unsigned short value);
    void SetUI4(std::uint32_t value);
    void SetUI8(std::uint64_t value);
    void SetR4(float value);
    void SetR8(double value);
    void SetDuration(const CDateTimeSpan& value);
    void SetYearMonth(const CDateTime& value);
    void SetMonthDay(const CDateTime& value);
    void SetYear(unsigned short value);
    void SetMonth(unsigned char value);
    void SetDay(unsigned char value);
    void SetDate(const CDateTime& value);
    void SetDateTime(const CDateTime& value);
    void SetTime(const CDateTime& value);
    void SetChar(char value);
    void SetString(std::string value);
    void SetBoolean(bool value);
    void SetDecimal(const CDecimal& value);
    void SetInteger(const CBigInteger& value);
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
    // Replaces the content by an owned value moved from value.
    template <class T>
    void Emplace(ItemType type, T&& value) noexcept;
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
