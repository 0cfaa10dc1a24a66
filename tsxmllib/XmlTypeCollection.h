// The base of the collections of primitive values: the facets, item type,
// format and whitespace rule shared by the items, and the reader that turns
// every matching sibling element into one item.
#ifndef TSXMLLIB_XMLTYPECOLLECTION_H
#define TSXMLLIB_XMLTYPECOLLECTION_H

#include "tsxmllib/PrimitiveRestrictions.h"
#include "tsxmllib/WhitespaceUtils.h"
#include "tsxmllib/XmlCollectionBase.h"

namespace TsXmlLib16 {

class TSXMLLIB_EXPORT CXmlTypeCollection : public CXmlCollectionBase {
public:
    // Converts one item's text and appends it.
    virtual void AddFromString(const std::string& text) = 0;

    ItemType GetItemType() const { return m_itemType; }
    const CPrimitiveRestrictions& GetRestrictions() const { return m_restrictions; }
    const std::string& GetFormat() const { return m_format; }
    CWhitespaceUtils::WhitespaceRule GetWhitespaceRule() const { return m_whitespaceRule; }

protected:
    CXmlTypeCollection(ItemType itemType, const char* elementName, const char* ns, int minOccurs, int maxOccurs,
                       const char* pattern, long minLength, long maxLength, const char* minInclusive,
                       const char* maxInclusive, const char* minExclusive, const char* maxExclusive, long length,
                       long totalDigits, long fractionDigits, CWhitespaceUtils::WhitespaceRule whitespaceRule,
                       const char* format);
    CXmlTypeCollection(const CXmlTypeCollection& other) = default;
    CXmlTypeCollection& operator=(const CXmlTypeCollection& other) = default;
    ~CXmlTypeCollection() override;

    // Adds the text of every following sibling with the collection's element
    // name and namespace; returns the first element that does not match.
    CXmlElement* FromXml_Int(CXmlElement* parent, CXmlElement* first, const CSerializationContext& ctx,
                             bool isOptional) override;

private:
    CPrimitiveRestrictions m_restrictions;
    ItemType m_itemType;
    std::string m_format;
    CWhitespaceUtils::WhitespaceRule m_whitespaceRule;
};

} // namespace TsXmlLib16

#endif
