// A postal address in the United States: the country attribute (fixed "US")
// and five mandatory elements.
#ifndef TSXMLLIB_SAMPLES_USADDRESS_H
#define TSXMLLIB_SAMPLES_USADDRESS_H

#include "samples/SampleMetaData.h"
#include "tsxmllib/Decimal.h"
#include "tsxmllib/SmartPtr.h"

#include <string>

namespace TsXmlLibSamples {

class CUSAddress : public TsXmlLib16::CXmlGeneratedClass {
public:
    static TsXmlLib16::CSmartPtr<CUSAddress> CreateInstance(const char* elementName);

    std::string GetCountry() const { return m_country; }
    std::string GetName() const { return m_name; }
    void SetName(const std::string& value) { m_name = value; }
    std::string GetStreet() const { return m_street; }
    void SetStreet(const std::string& value) { m_street = value; }
    std::string GetCity() const { return m_city; }
    void SetCity(const std::string& value) { m_city = value; }
    std::string GetState() const { return m_state; }
    void SetState(const std::string& value) { m_state = value; }
    TsXmlLib16::CDecimal GetZip() const { return m_zip; }
    void SetZip(const TsXmlLib16::CDecimal& value) { m_zip = value; }

    TsXmlLib16::CXmlObjectBase* GetBase() override { return this; }
    std::string GetNamespace() override;

    void AccessProperty(int propertyIndex, bool get, TsXmlLib16::TsVariant& value) override;
    TsXmlLib16Data::CParentElementInfo* GetClassInfo() const override;
    TsXmlLib16Data::CElementInfo** GetClassElementInfo() const override;
    TsXmlLib16Data::CAttributeInfo** GetClassAttributeInfo() const override;
    void Init() override;

protected:
    explicit CUSAddress(const char* elementName);
    std::string GetTargetNamespace() override;

private:
    static CSampleMetaData s_metaData;
    static CSampleMetaData& MetaData();

    std::string m_country = "US";
    std::string m_name;
    std::string m_street;
    std::string m_city;
    std::string m_state;
    TsXmlLib16::CDecimal m_zip;
};

} // namespace TsXmlLibSamples

#endif
