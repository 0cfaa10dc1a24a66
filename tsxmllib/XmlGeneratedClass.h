// The base of every class that the code generator emits for a complex type.
// It has no data of its own: its static metadata, handed out by the pure
// operations below, drives reading from the document model and writing
// through any writer.
#ifndef TSXMLLIB_XMLGENERATEDCLASS_H
#define TSXMLLIB_XMLGENERATEDCLASS_H

#include "tsxmllib/AttributeInfo.h"
#include "tsxmllib/ElementInfo.h"
#include "tsxmllib/TSCriticalSection.h"
#include "tsxmllib/XmlObjectBase.h"

namespace TsXmlLib16 {

struct TsVariant;

class TSXMLLIB_EXPORT CXmlGeneratedClass : public CXmlObjectBase {
public:
    // Gets (get = true) or sets the property with the given index through a variant.
    virtual void AccessProperty(int propertyIndex, bool get, TsVariant& value) = 0;
    virtual TsXmlLib16Data::CParentElementInfo* GetClassInfo() const = 0;
    // The child-element descriptors in schema order, null-terminated.
    virtual TsXmlLib16Data::CElementInfo** GetClassElementInfo() const = 0;
    // The attribute descriptors, null-terminated.
    virtual TsXmlLib16Data::CAttributeInfo** GetClassAttributeInfo() const = 0;
    // Called first whenever the object is read.
    virtual void Init() = 0;

    // Offered to generated code to build each class's metadata once.
    static CTSCriticalSection m_csInit;

    // The const form of reading a property.
    void ReadProperty(int propertyIndex, TsVariant& value) const;

protected:
    CXmlGeneratedClass();
    CXmlGeneratedClass(const CXmlGeneratedClass& other);
    CXmlGeneratedClass& operator=(const CXmlGeneratedClass& other);
    ~CXmlGeneratedClass() override;

    void AttributesToXml_Int(CXmlWriter* writer, const CSerializationContext& ctx) const override;
    void ToXml_Int(CXmlWriter* writer, bool isRoot, const char* ns, const CSerializationContext& ctx,
                   bool inChoice) const override;
    CXmlElement* FromXml_Int(CXmlElement* element, CXmlElement* first, const CSerializationContext& ctx,
                             bool isOptional) override;

    void ProcessAttributesFromXml(const CSerializationContext& ctx, CXmlElement* element, bool failIfUnknown);
    bool IsElementInList(const CSerializationContext& ctx, CXmlElement* element) const;
    bool DoesElementContainOptionalElements() const;

    // Frees a class's metadata and nulls the pointers; harmless on null pointers.
    static void CleanMetaData(TsXmlLib16Data::CParentElementInfo*& classInfo, TsXmlLib16Data::CElementInfo**& elements,
                              TsXmlLib16Data::CAttributeInfo**& attributes);

private:
    CXmlElement* ProcessElementSeqFromXml(const CSerializationContext& ctx, CXmlElement* parent, CXmlElement* first,
                                          TsXmlLib16Data::XmlElementType elementType);
    CXmlElement* ProcessElementChoiceFromXml(const CSerializationContext& ctx, CXmlElement* parent, CXmlElement* first,
                                             TsXmlLib16Data::XmlElementType elementType, bool isOptional);
    CXmlElement* ProcessElementAllFromXml(const CSerializationContext& ctx, CXmlElement* parent, CXmlElement* first,
                                          TsXmlLib16Data::XmlElementType elementType);
    int GetClassElementInfoCount() const;

    void ProcessAttributesToXml(const CSerializationContext& ctx, TsXmlLib16Data::CElementInfo** elements,
                                TsXmlLib16Data::CAttributeInfo** attributes, CXmlWriter* writer) const;
    void ProcessElementSeqToXml(const CSerializationContext& ctx, TsXmlLib16Data::CElementInfo** elements,
                                CXmlWriter* writer) const;
    void ProcessElementAllToXml(const CSerializationContext& ctx, TsXmlLib16Data::CElementInfo** elements,
                                CXmlWriter* writer) const;
    void ProcessElementChoiceToXml(const CSerializationContext& ctx, TsXmlLib16Data::CElementInfo** elements,
                                   CXmlWriter* writer, bool inChoice) const;
};

} // namespace TsXmlLib16

#endif
