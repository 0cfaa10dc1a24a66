// The behaviour shared by the collections of primitive values: the storage of
// native values, insertion and removal with their notifications, the typed
// accessors, reading one item from text and writing one element per item.
// The named collections (Ci4Col, CstringCol, CdateCol, ...) are thin classes on
// top of these templates; see TypedCollections.h and DatetimeBaseCol.h.
#ifndef TSXMLLIB_TYPEDCOL_H
#define TSXMLLIB_TYPEDCOL_H

#include "tsxmllib/BigInteger.h"
#include "tsxmllib/BinaryData.h"
#include "tsxmllib/Conversions.h"
#include "tsxmllib/DateTime.h"
#include "tsxmllib/DateTimeSpan.h"
#include "tsxmllib/Decimal.h"
#include "tsxmllib/FormatString.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsVariant.h"
#include "tsxmllib/XmlTypeCollection.h"
#include "tsxmllib/XmlWriter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The constructor arguments of every typed collection after the item type:
// element, occurrence bounds, the facets in the order of CPrimitiveRestrictions,
// the whitespace rule and the format string.
#define TSXMLLIB_TYPEDCOL_PARAMS                                                                                   \
    const char *elementName, const char *ns, int minOccurs, int maxOccurs, const char *pattern, long minLength,    \
        long maxLength, const char *minInclusive, const char *maxInclusive, const char *minExclusive,              \
        const char *maxExclusive, long length, long totalDigits, long fractionDigits,                              \
        ::TsXmlLib16::CWhitespaceUtils::WhitespaceRule whitespaceRule, const char *format
#define TSXMLLIB_TYPEDCOL_ARGS                                                                                     \
    elementName, ns, minOccurs, maxOccurs, pattern, minLength, maxLength, minInclusive, maxInclusive,              \
        minExclusive, maxExclusive, length, totalDigits, fractionDigits, whitespaceRule, format

namespace TsXmlLib16 {

// A growable array in insertion order whose first item can be removed in
// constant time: removed front slots are skipped by an offset and given back
// in one block once they outnumber the live items. Clear() removes every item
// at index 0, one notification at a time, and so stays linear. For bool the
// underlying std::vector is a bit vector.
template <class T>
class CFrontErasableArray {
public:
    using const_iterator = typename std::vector<T>::const_iterator;

    CFrontErasableArray() = default;
    CFrontErasableArray(const CFrontErasableArray& other) : m_items(other.begin(), other.end()) {}
    CFrontErasableArray& operator=(const CFrontErasableArray& other)
    {
        if (this != &other) {
            m_items.assign(other.begin(), other.end());
            m_front = 0;
        }
        return *this;
    }

    std::size_t size() const { return m_items.size() - m_front; }
    typename std::vector<T>::const_reference operator[](std::size_t index) const { return m_items[m_front + index]; }
    const_iterator begin() const { return m_items.begin() + static_cast<std::ptrdiff_t>(m_front); }
    const_iterator end() const { return m_items.end(); }

    void insert(std::size_t index, const T& value)
    {
        if (index == 0 && m_front > 0) {
            m_items[--m_front] = value;
            return;
        }
        m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(m_front + index), value);
    }

    void erase(std::size_t index)
    {
        if (index != 0) {
            m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(m_front + index));
            return;
        }
        m_items[m_front] = T(); // lets go of strings and shared byte buffers now
        ++m_front;
        if (m_front == m_items.size()) {
            m_items.clear();
            m_front = 0;
        } else if (m_front >= kMinSkipped && m_front > m_items.size() - m_front) {
            m_items.erase(m_items.begin(), m_items.begin() + static_cast<std::ptrdiff_t>(m_front));
            m_front = 0;
        }
    }

    void clear()
    {
        m_items.clear();
        m_front = 0;
    }

private:
    static constexpr std::size_t kMinSkipped = 64;

    std::vector<T> m_items;
    std::size_t m_front = 0; // slots before it are removed items
};

// Storage, removal, the checked insertion and the writer loop, shared by every
// typed collection including the date collections.
template <class T>
class TSXMLLIB_EXPORT CTypedColBase : public CXmlTypeCollection {
public:
    using const_iterator = typename CFrontErasableArray<T>::const_iterator;

    int GetCount() const override { return static_cast<int>(m_items.size()); }

    // Removes every item at index 0 through Remove, so listeners see each removal.
    void Clear() override
    {
        while (GetCount() != 0)
            Remove(0);
    }

    void Remove(int index) override
    {
        FireOnCollectionRemove(index);
        CheckIndex(index);
        m_items.erase(static_cast<std::size_t>(index));
        FireOnCollectionRemoveComplete(index);
        FireOnCollectionChange();
    }

    const_iterator begin() const { return m_items.begin(); }
    const_iterator end() const { return m_items.end(); }

protected:
    CTypedColBase(ItemType itemType, TSXMLLIB_TYPEDCOL_PARAMS)
        : CXmlTypeCollection(itemType, TSXMLLIB_TYPEDCOL_ARGS)
    {
    }
    CTypedColBase(const CTypedColBase&) = default;
    CTypedColBase& operator=(const CTypedColBase&) = default;
    ~CTypedColBase() override = default;

    // The add notification, the index test, check(value) (which throws to
    // refuse the value), the insertion and the completion notifications.
    template <class Check>
    void InsertAt(int index, const T& value, Check&& check)
    {
        void* data = const_cast<T*>(&value);
        FireOnCollectionAdd(data);
        if (index < 0 || index > GetCount())
            throw CTsInvalidParamException("Index out of range");
        check(value);
        m_items.insert(static_cast<std::size_t>(index), value);
        FireOnCollectionAddComplete(data);
        FireOnCollectionChange();
    }

    T At(int index) const
    {
        CheckIndex(index);
        return m_items[static_cast<std::size_t>(index)];
    }

    // The facet test of the collection's item type on a value already in a variant.
    void CheckRestrictions(const TsVariant& value) const
    {
        CheckPrimitiveRestrictions(GetElementName().c_str(), value, GetItemType(), GetRestrictions());
    }

    // The count check, then one element per item with toText(item) as its text.
    template <class ToText>
    void WriteItems(CXmlWriter* writer, const CSerializationContext& ctx, ItemType textType, ToText&& toText) const
    {
        ValidateCount(ctx);
        const std::string name = GetElementName();
        const std::string ns = const_cast<CTypedColBase*>(this)->GetNamespace();
        for (const auto& item : m_items) {
            writer->StartElement(name, ns);
            writer->WriteText(toText(item), textType, false);
            writer->EndElement();
        }
    }

private:
    void CheckIndex(int index) const
    {
        if (index < 0 || index >= GetCount())
            throw CTsInvalidParamException(
                FormatString("Index %d is out of range, use 0 - %d", index, GetCount() - 1));
    }

    CFrontErasableArray<T> m_items;
};

// What one item type needs: the stored type, the argument type of Add, the
// text conversions and the variant setter used for the restriction check.
template <ItemType Type>
struct CTypedColTraits;

#define TSXMLLIB_TYPEDCOL_TRAITS(Type, ValueT, ParamT, Name, Setter)                                              \
    template <>                                                                                                    \
    struct CTypedColTraits<Type> {                                                                                 \
        using Value = ValueT;                                                                                      \
        using Param = ParamT;                                                                                      \
        static Value FromText(const std::string& text, CWhitespaceUtils::WhitespaceRule rule)                      \
        {                                                                                                          \
            return CConversions::Name##FromString(text, rule);                                                     \
        }                                                                                                          \
        static std::string ToText(const Value& value, const std::string&)                                         \
        {                                                                                                          \
            return CConversions::Name##ToString(value);                                                            \
        }                                                                                                          \
        static void ToVariant(TsVariant& variant, const Value& value) { variant.Setter(value); }                 \
    };

// The kinds whose text form depends on the collection's format string.
#define TSXMLLIB_TYPEDCOL_FORMATTED_TRAITS(Type, ValueT, Name, Setter)                                            \
    template <>                                                                                                    \
    struct CTypedColTraits<Type> {                                                                                 \
        using Value = ValueT;                                                                                      \
        using Param = ValueT;                                                                                      \
        static Value FromText(const std::string& text, CWhitespaceUtils::WhitespaceRule rule)                      \
        {                                                                                                          \
            return CConversions::Name##FromString(text, rule);                                                     \
        }                                                                                                          \
        static std::string ToText(const Value& value, const std::string& format)                                  \
        {                                                                                                          \
            return CConversions::Name##ToString(value, format);                                                    \
        }                                                                                                          \
        static void ToVariant(TsVariant& variant, const Value& value) { variant.Setter(value); }                 \
    };

TSXMLLIB_TYPEDCOL_TRAITS(ItemType_hexBinary, CBinaryData, const CBinaryData&, hexBinary, SetHexBinary)
TSXMLLIB_TYPEDCOL_TRAITS(ItemType_base64Binary, CBinaryData, const CBinaryData&, base64Binary, SetBase64Binary)
TSXMLLIB_TYPEDCOL_TRAITS(ItemType_i1, char, char, i1, SetI1)
TSXMLLIB_TYPEDCOL_TRAITS(ItemType_i2, short, short, i2, SetI2)
TSXMLLIB_TYPEDCOL_TRAITS(ItemType_i4, std::int32_t, std::int32_t, i4, SetI4)
TSXMLLIB_TYPEDCOL_TRAITS(ItemType_i8, std::int64_t, std::int64_t, i8, SetI8)
TSXMLLIB_TYPEDCOL_TRAITS(ItemType_ui1, unsigned char, unsigned char, ui1, SetUI1)
TSXMLLIB_TYPEDCOL_TRAITS(ItemType_ui2, unsigned short, unsigned short, ui2, SetUI2)
TSXMLLIB_TYPEDCOL_TRAITS(ItemType_ui4, std::uint32_t, std::uint32_t, ui4, SetUI4)
TSXMLLIB_TYPEDCOL_TRAITS(ItemType_ui8, std::uint64_t, std::uint64_t, ui8, SetUI8)
TSXMLLIB_TYPEDCOL_FORMATTED_TRAITS(ItemType_r4, float, r4, SetR4)
TSXMLLIB_TYPEDCOL_FORMATTED_TRAITS(ItemType_r8, double, r8, SetR8)
TSXMLLIB_TYPEDCOL_TRAITS(ItemType_duration, CDateTimeSpan, const CDateTimeSpan&, duration, SetDuration)
TSXMLLIB_TYPEDCOL_TRAITS(ItemType_yearMonth, CDateTime, const CDateTime&, yearMonth, SetYearMonth)
TSXMLLIB_TYPEDCOL_TRAITS(ItemType_monthDay, CDateTime, const CDateTime&, monthDay, SetMonthDay)
TSXMLLIB_TYPEDCOL_TRAITS(ItemType_year, unsigned short, unsigned short, year, SetYear)
TSXMLLIB_TYPEDCOL_TRAITS(ItemType_month, unsigned char, unsigned char, month, SetMonth)
TSXMLLIB_TYPEDCOL_TRAITS(ItemType_day, unsigned char, unsigned char, day, SetDay)
TSXMLLIB_TYPEDCOL_TRAITS(ItemType_date, CDateTime, const CDateTime&, date, SetDate)
TSXMLLIB_TYPEDCOL_TRAITS(ItemType_datetime, CDateTime, const CDateTime&, datetime, SetDateTime)
TSXMLLIB_TYPEDCOL_TRAITS(ItemType_time, CDateTime, const CDateTime&, time, SetTime)
TSXMLLIB_TYPEDCOL_TRAITS(ItemType_string, std::string, std::string, string, SetString)
TSXMLLIB_TYPEDCOL_TRAITS(ItemType_boolean, bool, bool, boolean, SetBoolean)
TSXMLLIB_TYPEDCOL_FORMATTED_TRAITS(ItemType_decimal, CDecimal, decimal, SetDecimal)
TSXMLLIB_TYPEDCOL_TRAITS(ItemType_integer, CBigInteger, const CBigInteger&, integer, SetInteger)

#undef TSXMLLIB_TYPEDCOL_TRAITS
#undef TSXMLLIB_TYPEDCOL_FORMATTED_TRAITS

// A collection of one non-date item type: Add/AddAt with the restriction check
// after the index test, Item, reading with the type's text conversion and
// writing with the item type's own type code.
template <ItemType Type>
class TSXMLLIB_EXPORT CTypedCol : public CTypedColBase<typename CTypedColTraits<Type>::Value> {
    using Traits = CTypedColTraits<Type>;
    using Base = CTypedColBase<typename Traits::Value>;

public:
    using Value = typename Traits::Value;
    using Param = typename Traits::Param;

    void Add(Param value) { AddAt(this->GetCount(), value); }

    // The item ends up at index (0 to the count; the count appends).
    void AddAt(int index, Param value)
    {
        this->InsertAt(index, value, [this](const Value& v) {
            if (!this->GetRestrictions().HasAny())
                return; // nothing to test
            TsVariant variant;
            Traits::ToVariant(variant, v);
            this->CheckRestrictions(variant);
        });
    }

    Value Item(int index) const { return this->At(index); }

protected:
    CTypedCol(TSXMLLIB_TYPEDCOL_PARAMS) : Base(Type, TSXMLLIB_TYPEDCOL_ARGS) {}
    CTypedCol(const CTypedCol&) = default;
    CTypedCol& operator=(const CTypedCol&) = default;
    ~CTypedCol() override = default;

    void AddFromString(const std::string& text) override { Add(Traits::FromText(text, this->GetWhitespaceRule())); }

    void ToXml_Int(CXmlWriter* writer, bool, const char*, const CSerializationContext& ctx, bool) const override
    {
        const std::string& format = this->GetFormat();
        this->WriteItems(writer, ctx, Type, [&format](const Value& v) { return Traits::ToText(v, format); });
    }
};

} // namespace TsXmlLib16

#endif
