// One attribute of an element of the document tree: local name, value and
// namespace URI, owned by its element.
#ifndef TSXMLLIB_XMLATTRIBUTE_H
#define TSXMLLIB_XMLATTRIBUTE_H

#include "tsxmllib/Export.h"
#include "tsxmllib/MemoryLeakHelp.h"

#include <string>

namespace TsXmlLib16 {

class CXmlElement;

class TSXMLLIB_EXPORT CXmlAttribute : private CInstanceMonitor {
public:
    CXmlAttribute(const CXmlAttribute&) = delete;
    CXmlAttribute& operator=(const CXmlAttribute&) = delete;

    const std::string& GetLocalName() const { return *m_localName; }
    const std::string& GetNamespaceURI() const { return *m_namespaceUri; }
    const std::string& GetValue() const { return m_value; }
    const CXmlElement* GetOwnerElement() const { return m_owner; }

    // The owner element's path, then "/@", the document's prefix for the
    // attribute's namespace (when it has one) and the local name.
    std::string GetXPath() const;
    // An instance attribute that readers skip: xmlns, type, schemaLocation or
    // noNamespaceSchemaLocation in the instance or the xmlns namespace.
    bool IsNamespaceAttribute() const;
    // nil in the instance or the xmlns namespace.
    bool IsNilAttribute() const;

protected:
    // The names are the document's interned copies.
    CXmlAttribute(const CXmlElement* owner, const std::string* localName, std::string value,
                  const std::string* namespaceUri);
    virtual ~CXmlAttribute();
    // Attributes live in their document's attribute pool: these replace new
    // and delete. The names are those the owner's document has interned.
    static CXmlAttribute* Create(const CXmlElement* owner, const std::string* localName, std::string value,
                                 const std::string* namespaceUri);
    static void Destroy(CXmlAttribute* attribute);

private:
    friend class CXmlElement;

    const CXmlElement* m_owner;
    const std::string* m_localName;
    std::string m_value;
    const std::string* m_namespaceUri;
};

} // namespace TsXmlLib16

#endif
