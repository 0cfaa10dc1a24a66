#include "tsxmllib/XmlTypeCollection.h"

#include "tsxmllib/XmlElement.h"

namespace TsXmlLib16 {

CXmlTypeCollection::CXmlTypeCollection(ItemType itemType, const char* elementName, const char* ns, int minOccurs,
                                       int maxOccurs, const char* pattern, long minLength, long maxLength,
                                       const char* minInclusive, const char* maxInclusive, const char* minExclusive,
                                       const char* maxExclusive, long length, long totalDigits, long fractionDigits,
                                       CWhitespaceUtils::WhitespaceRule whitespaceRule, const char* format)
    : CXmlCollectionBase(elementName, ns, minOccurs, maxOccurs),
      m_restrictions(pattern, minLength, maxLength, minInclusive, maxInclusive, minExclusive, maxExclusive, length,
                     totalDigits, fractionDigits),
      m_itemType(itemType), m_format(format ? format : ""), m_whitespaceRule(whitespaceRule)
{
}

CXmlTypeCollection::~CXmlTypeCollection() = default;

CXmlElement* CXmlTypeCollection::FromXml_Int(CXmlElement*, CXmlElement* first, const CSerializationContext& ctx, bool)
{
    const std::string name = GetElementName();
    const std::string ns = GetNamespace();
    CXmlElement* current = first;
    while (current && DoesElementNameMatch(ctx, current, name.c_str(), ns.c_str())) {
        AddFromString(current->GetText());
        current = current->GetNextSiblingElement();
    }
    return current;
}

} // namespace TsXmlLib16
