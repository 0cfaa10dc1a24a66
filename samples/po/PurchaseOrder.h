// The document element of the purchase-order sample: an order date, the
// shipping and billing addresses, an optional comment and the items.
#ifndef TSXMLLIB_SAMPLES_PURCHASEORDER_H
#define TSXMLLIB_SAMPLES_PURCHASEORDER_H

#include "samples/po/Items.h"
#include "samples/po/USAddress.h"

namespace TsXmlLibSamples {

class CPurchaseOrder : public TsXmlLib16::CXmlGeneratedClass {
public:
    static TsXmlLib16::CSmartPtr<CPurchaseOrder> CreateInstance();

    bool IsValidOrderDate() const { return m_hasOrderDate; }
    TsXmlLib16::CDateTime GetOrderDate() const { return m_orderDate; }
    void SetOrderDate(const TsXmlLib16::CDateTime& value);

    TsXmlLib16::CSmartPtr<CUSAddress> GetShipTo() const { return m_shipTo; }
    TsXmlLib16::CSmartPtr<CUSAddress> GetBillTo() const { return m_billTo; }
    bool IsValidComment() const { return m_hasComment; }
    std::string GetComment() const { return m_comment; }
    void SetComment(const std::string& value);
    void ClearComment();
    TsXmlLib16::CSmartPtr<CItems> GetItems() const { return m_items; }

    TsXmlLib16::CXmlObjectBase* GetBase() override { return this; }
    std::string GetNamespace() override;

    void AccessProperty(int propertyIndex, bool get, TsXmlLib16::TsVariant& value) override;
    TsXmlLib16Data::CParentElementInfo* GetClassInfo() const override;
    TsXmlLib16Data::CElementInfo** GetClassElementInfo() const override;
    TsXmlLib16Data::CAttributeInfo** GetClassAttributeInfo() const override;
    void Init() override;

    // The class factory of the model: creates the class of a class id.
    static TsXmlLib16::CSmartPtr<TsXmlLib16::CXmlObjectBase> CreateClass(int classId, const char* elementName);
    enum ClassId { ClassId_USAddress = 1, ClassId_Items = 2, ClassId_Item = 3 };

protected:
    CPurchaseOrder();
    std::string GetTargetNamespace() override;

private:
    static CSampleMetaData s_metaData;
    static CSampleMetaData& MetaData();

    bool m_hasOrderDate = false;
    TsXmlLib16::CDateTime m_orderDate;
    TsXmlLib16::CSmartPtr<CUSAddress> m_shipTo;
    TsXmlLib16::CSmartPtr<CUSAddress> m_billTo;
    bool m_hasComment = false;
    std::string m_comment;
    TsXmlLib16::CSmartPtr<CItems> m_items;
};

} // namespace TsXmlLibSamples

#endif
