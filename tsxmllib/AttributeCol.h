// The attributes of an untyped element or of an attribute wildcard, in
// document order, with the namespace constraint they must meet.
#ifndef TSXMLLIB_ATTRIBUTECOL_H
#define TSXMLLIB_ATTRIBUTECOL_H

#include "tsxmllib/Attribute.h"
#include "tsxmllib/MemoryLeakHelp.h"
#include "tsxmllib/XmlCollection.h"

namespace TsXmlLib16 {

class TSXMLLIB_EXPORT CAttributeCol : public CXmlCollection, private CInstanceMonitor {
public:
    // Attributes added without a namespace get the first URI of the
    // restriction when ns is empty, otherwise ns.
    CAttributeCol(const char* ns, const char* restriction, const char* target);
    CAttributeCol(const CAttributeCol& other);
    CAttributeCol& operator=(const CAttributeCol& other);
    ~CAttributeCol() override;

    CSmartPtr<CAttribute> Add(const char* name, const char* value, const char* ns);
    CSmartPtr<CAttribute> Add(const char* name, const char* value);
    CSmartPtr<CAttribute> Add(const char* name);
    // Appends without any test.
    CSmartPtr<CAttribute> Add(CAttribute* attribute);
    void AddBefore(const CAttribute* existing, CAttribute* attribute) { AddBeforeItem(existing, attribute); }
    void AddAfter(const CAttribute* existing, CAttribute* attribute) { AddAfterItem(existing, attribute); }
    CSmartPtr<CAttribute> Item(int index) const;
    // A new collection of copies of the attributes.
    CSmartPtr<CAttributeCol> Clone() const;

    const std::string& GetNamespaceRestriction() const { return m_restriction; }
    std::string GetTargetNamespace() override { return m_target; }

    using iterator = CNodeIterator<CAttribute>;
    iterator begin() const { return iterator(GetHead()); }
    iterator end() const { return iterator(nullptr); }

protected:
    void ToXml_Int(CXmlWriter* writer, bool isRoot, const char* ns, const CSerializationContext& ctx,
                   bool inChoice) const override;
    // Adds every attribute of element; one outside the restriction is an
    // error. Returns current unchanged.
    CXmlElement* FromXml_Int(CXmlElement* element, CXmlElement* current, const CSerializationContext& ctx,
                             bool isOptional) override;

private:
    friend class CElement;
    std::string m_restriction;
    std::string m_target;
};

} // namespace TsXmlLib16

#endif
