// An untyped element: name, namespace, text, attributes and child elements,
// for content a schema leaves open. Trees of any depth and width are read,
// written, copied and destroyed without recursion.
#ifndef TSXMLLIB_ELEMENT_H
#define TSXMLLIB_ELEMENT_H

#include "tsxmllib/AttributeCol.h"
#include "tsxmllib/ElementCol.h"
#include "tsxmllib/MemoryLeakHelp.h"

namespace TsXmlLib16 {

// Like every bindable object it is reference counted: create it with new and
// hold it in a CSmartPtr. It is read and written with the entry points of
// CXmlObjectBase (FromXml, ToXml, ToJson, ...); reading fills it from the
// document element itself, so its name and namespace become the element's.
//
//   CSmartPtr<CElement> note(new CElement("note"));
//   note->FromXml("<note><to>Tove</to></note>");
//   note->GetChildElements()->Add("from", "")->SetText("Jani");
//   std::string xml = note->ToXml(false, false, EOLType_LF, CSerializationContext());
class TSXMLLIB_EXPORT CElement : public CXmlObjectBase, private CInstanceMonitor {
public:
    // An element in no namespace that accepts content from any namespace.
    explicit CElement(const char* name);
    // ns must be a namespace URI (or empty), not a "##" keyword.
    CElement(const char* name, const char* ns);
    // An element of a wildcard: restriction is the namespace constraint that
    // it and its content must meet ("##any", "##other", "##local",
    // "##targetNamespace" or URIs, separated by spaces), judged against the
    // target namespace target.
    CElement(const char* name, const char* ns, const char* restriction, const char* target);
    // The untyped copy of a bindable object, as written with the given default namespace.
    CElement(CXmlObjectBase* obj, const char* defaultNamespace);
    // Deep copies.
    CElement(const CElement& other);
    CElement& operator=(const CElement& other);
    ~CElement() override;

    std::string GetName() const { return m_name; }
    void SetName(const char* name);
    std::string GetText() const { return m_text; }
    void SetText(const char* text);
    std::string GetNamespace() override { return m_namespace; }
    void SetNamespace(const char* ns);
    std::string GetTargetNamespace() override { return m_namespace; }
    const std::string& GetNamespaceRestriction() const { return m_restriction; }
    const std::string& GetDefaultNamespace() const { return m_defaultNamespace; }

    // Never null; the collections are made on first use, so that the many
    // leaves of a large tree do not each carry two empty collections.
    CSmartPtr<CAttributeCol> GetAttributes() const { return &Attributes(); }
    CSmartPtr<CElementCol> GetChildElements() const { return &Children(); }

    // Tests this element, its attributes and its descendants against another
    // restriction; the stored restriction stays.
    void SetNamespaceRestrictions(const char* restriction, const char* target);

    CSmartPtr<CElement> Clone() const;
    CXmlObjectBase* GetBase() override { return this; }

    using CXmlObjectBase::FromXml;
    // Reads the document element of xml with the default context.
    void FromXml(const char* xml);

protected:
    void Init(const char* name, const char* ns, const char* restriction, const char* target);
    // Hooks called before a property changes; nothing here.
    virtual void FireOnChangeName() {}
    virtual void FireOnChangeText() {}
    virtual void FireOnChangeNamespace() {}
    // Copies a document element and its subtree.
    void CopyXmlElement(CXmlElement* element);

    void ToXml_Int(CXmlWriter* writer, bool isRoot, const char* ns, const CSerializationContext& ctx,
                   bool inChoice) const override;
    CXmlElement* FromXml_Int(CXmlElement* parent, CXmlElement* current, const CSerializationContext& ctx,
                             bool isOptional) override;
    void FromDocumentElement_Int(CXmlElement* root, const CSerializationContext& ctx) override;

private:
    friend class CElementCol;
    // The element rendered on its own under its default namespace, handed to
    // the outer writer as finished text.
    void WriteWithDefaultNamespace(CXmlWriter* writer, const CSerializationContext& ctx) const;
    // Name, namespace and text of a document element.
    void CopyBasics(const CXmlElement& element);
    // Deep copy of other's content into this element (which has no children).
    void CopyFrom(const CElement& other);
    CAttributeCol& Attributes() const;
    CElementCol& Children() const;
    bool HasAttributes() const { return m_attributes && m_attributes->GetCount() > 0; }
    bool HasChildren() const { return m_childElements && m_childElements->GetCount() > 0; }

    std::string m_name;
    std::string m_text;
    std::string m_namespace;
    std::string m_restriction;
    std::string m_target;
    // The namespace the collections are made with (the one given at construction).
    std::string m_collectionNamespace;
    mutable CSmartPtr<CAttributeCol> m_attributes;
    mutable CSmartPtr<CElementCol> m_childElements;
    std::string m_defaultNamespace;
};

} // namespace TsXmlLib16

#endif
