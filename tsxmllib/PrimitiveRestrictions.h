// The facets of one simple type: pattern, lengths, bounds and digit counts.
#ifndef TSXMLLIB_PRIMITIVERESTRICTIONS_H
#define TSXMLLIB_PRIMITIVERESTRICTIONS_H

#include "tsxmllib/Enums.h"
#include "tsxmllib/Export.h"

#include <atomic>
#include <memory>
#include <string>

namespace TsXmlLib16 {

struct TsVariant;
class CPrimitiveRestrictions;

// The bounds of a restriction parsed for one item type. The restriction check
// makes it on its first use and keeps it with the restrictions, so that the
// bound texts are not parsed again for every value.
class TSXMLLIB_EXPORT CParsedFacets {
public:
    explicit CParsedFacets(ItemType itemType) : m_itemType(itemType) {}
    CParsedFacets(const CParsedFacets&) = delete;
    CParsedFacets& operator=(const CParsedFacets&) = delete;
    virtual ~CParsedFacets();
    ItemType GetItemType() const { return m_itemType; }

private:
    ItemType m_itemType;
};

// The restriction check shared by element and attribute descriptors and typed
// collections: tests every facet that is set for the value's item type and
// throws CTsException naming the descriptor (name) on the first failure.
TSXMLLIB_EXPORT void CheckPrimitiveRestrictions(const char* name, const TsVariant& value, ItemType itemType,
                                                const CPrimitiveRestrictions& restrictions);

class TSXMLLIB_EXPORT CPrimitiveRestrictions {
public:
    // Every facet unset.
    CPrimitiveRestrictions();
    // Strings may be null (unset); numbers below 0 are unset.
    CPrimitiveRestrictions(const char* pattern, long minLength, long maxLength, const char* minInclusive,
                           const char* maxInclusive, const char* minExclusive, const char* maxExclusive, long length,
                           long totalDigits, long fractionDigits);
    // Copies take the facets; a copy parses its bounds again when first used.
    CPrimitiveRestrictions(const CPrimitiveRestrictions& other);
    CPrimitiveRestrictions& operator=(const CPrimitiveRestrictions& other);
    virtual ~CPrimitiveRestrictions();

    const std::string& GetPattern() const { return m_pattern; }
    long GetMinLength() const { return m_minLength; }
    long GetMaxLength() const { return m_maxLength; }
    const std::string& GetMinInclusive() const { return m_minInclusive; }
    const std::string& GetMaxInclusive() const { return m_maxInclusive; }
    const std::string& GetMinExclusive() const { return m_minExclusive; }
    const std::string& GetMaxExclusive() const { return m_maxExclusive; }
    long GetLength() const { return m_length; }
    long GetTotalDigits() const { return m_totalDigits; }
    long GetFractionDigits() const { return m_fractionDigits; }

    // Whether any facet is set.
    bool HasAny() const { return m_hasAny; }

    // The parsed bounds kept so far (null before the first check).
    const CParsedFacets* GetParsed() const { return m_parsed.load(std::memory_order_acquire); }
    // Keeps parsed unless other bounds were kept first (by another thread);
    // returns the ones kept. The restrictions own them.
    const CParsedFacets* KeepParsed(std::unique_ptr<CParsedFacets> parsed) const;

private:
    std::string m_pattern;
    long m_minLength = -1;
    long m_maxLength = -1;
    std::string m_minInclusive;
    std::string m_maxInclusive;
    std::string m_minExclusive;
    std::string m_maxExclusive;
    long m_length = -1;
    long m_totalDigits = -1;
    long m_fractionDigits = -1;
    bool m_hasAny = false;
    mutable std::atomic<const CParsedFacets*> m_parsed{nullptr};
};

} // namespace TsXmlLib16

#endif
