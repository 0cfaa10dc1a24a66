// One line of a purchase order: a part number attribute, the product, the
// quantity (1 to 99), the unit price, an optional comment and ship date.
#ifndef TSXMLLIB_SAMPLES_ITEM_H
#define TSXMLLIB_SAMPLES_ITEM_H

#include "samples/SampleMetaData.h"
#include "tsxmllib/DateTime.h"
#include "tsxmllib/Decimal.h"
#include "tsxmllib/SmartPtr.h"

#include <cstdint>
#include <string>

namespace TsXmlLibSamples {

class CItem : public TsXmlLib16::CXmlGeneratedClass {
public:
    static TsXmlLib16::CSmartPtr<CItem> CreateInstance(const char* elementName = "item");

    std::string GetPartNum() const { return m_partNum; }
    void SetPartNum(const std::string& value) { m_partNum = value; }
    std::string GetProductName() const { return m_productName; }
    void SetProductName(const std::string& value) { m_productName = value; }
    std::int32_t GetQuantity() const { return m_quantity; }
    void SetQuantity(std::int32_t value) { m_quantity = value; }
    TsXmlLib16::CDecimal GetUSPrice() const { return m_usPrice; }
    void SetUSPrice(const TsXmlLib16::CDecimal& value) { m_usPrice = value; }

    bool IsValidComment() const { return m_hasComment; }
    std::string GetComment() const { return m_comment; }
    void SetComment(const std::string& value);
    void ClearComment();

    bool IsValidShipDate() const { return m_hasShipDate; }
    TsXmlLib16::CDateTime GetShipDate() const { return m_shipDate; }
    void SetShipDate(const TsXmlLib16::CDateTime& value);
    void ClearShipDate();

    TsXmlLib16::CXmlObjectBase* GetBase() override { return this; }
    std::string GetNamespace() override;

    void AccessProperty(int propertyIndex, bool get, TsXmlLib16::TsVariant& value) override;
    TsXmlLib16Data::CParentElementInfo* GetClassInfo() const override;
    TsXmlLib16Data::CElementInfo** GetClassElementInfo() const override;
    TsXmlLib16Data::CAttributeInfo** GetClassAttributeInfo() const override;
    void Init() override;

protected:
    explicit CItem(const char* elementName);
    std::string GetTargetNamespace() override;

private:
    static CSampleMetaData s_metaData;
    static CSampleMetaData& MetaData();

    std::string m_partNum;
    std::string m_productName;
    std::int32_t m_quantity = 0;
    TsXmlLib16::CDecimal m_usPrice;
    bool m_hasComment = false;
    std::string m_comment;
    bool m_hasShipDate = false;
    TsXmlLib16::CDateTime m_shipDate;
};

} // namespace TsXmlLibSamples

#endif
