// The child elements of an untyped element, or the elements an element
// wildcard matched, in document order.
#ifndef TSXMLLIB_ELEMENTCOL_H
#define TSXMLLIB_ELEMENTCOL_H

#include "tsxmllib/MemoryLeakHelp.h"
#include "tsxmllib/XmlCollection.h"

#include <string>

namespace TsXmlLib16 {

class CElement;

class TSXMLLIB_EXPORT CElementCol : public CXmlCollection, private CInstanceMonitor {
public:
    // The namespace is tested against the restriction. Items are allowed any
    // namespace; those added by name alone get ns (or, when ns is empty, a
    // restriction that starts with "##").
    CElementCol(const char* ns, const char* restriction, const char* target, int minOccurs, int maxOccurs);
    CElementCol(const CElementCol& other);
    CElementCol& operator=(const CElementCol& other);
    ~CElementCol() override;

    CSmartPtr<CElement> Add(const char* name, const char* ns);
    CSmartPtr<CElement> Add(const char* name);
    // Appends without any test.
    CSmartPtr<CElement> Add(CElement* element);
    void AddBefore(const CElement* existing, CElement* element);
    void AddAfter(const CElement* existing, CElement* element);
    CSmartPtr<CElement> Item(int index) const;
    // A new collection of deep copies of the elements.
    CSmartPtr<CElementCol> Clone() const;

    std::string GetTargetNamespace() override { return m_target; }
    const std::string& GetItemRestriction() const { return m_itemRestriction; }

    using iterator = CNodeIterator<CElement>;
    iterator begin() const { return iterator(GetHead()); }
    iterator end() const { return iterator(nullptr); }

    // Reads the run of siblings from current on that have this local name and
    // namespace; returns the first element not taken.
    CXmlElement* FromXmlLockElementName_Int(std::string name, std::string ns, CXmlElement* parent,
                                            CXmlElement* current, const CSerializationContext& ctx);

protected:
    void ToXml_Int(CXmlWriter* writer, bool isRoot, const char* ns, const CSerializationContext& ctx,
                   bool inChoice) const override;
    // Reads every following sibling whose namespace the item restriction allows.
    CXmlElement* FromXml_Int(CXmlElement* parent, CXmlElement* current, const CSerializationContext& ctx,
                             bool isOptional) override;

private:
    friend class CElement;
    std::string m_itemRestriction = "##any";
    std::string m_target;
};

} // namespace TsXmlLib16

#endif
