// The items element of a purchase order: a sequence of item elements.
#ifndef TSXMLLIB_SAMPLES_ITEMS_H
#define TSXMLLIB_SAMPLES_ITEMS_H

#include "samples/po/ItemCol.h"

namespace TsXmlLibSamples {

class CItems : public TsXmlLib16::CXmlGeneratedClass {
public:
    static TsXmlLib16::CSmartPtr<CItems> CreateInstance(const char* elementName = "items");

    TsXmlLib16::CSmartPtr<CItemCol> GetItem() const { return m_item; }

    TsXmlLib16::CXmlObjectBase* GetBase() override { return this; }
    std::string GetNamespace() override;

    void AccessProperty(int propertyIndex, bool get, TsXmlLib16::TsVariant& value) override;
    TsXmlLib16Data::CParentElementInfo* GetClassInfo() const override;
    TsXmlLib16Data::CElementInfo** GetClassElementInfo() const override;
    TsXmlLib16Data::CAttributeInfo** GetClassAttributeInfo() const override;
    void Init() override;

protected:
    explicit CItems(const char* elementName);
    std::string GetTargetNamespace() override;

private:
    static CSampleMetaData s_metaData;
    static CSampleMetaData& MetaData();

    TsXmlLib16::CSmartPtr<CItemCol> m_item;
};

} // namespace TsXmlLibSamples

#endif
