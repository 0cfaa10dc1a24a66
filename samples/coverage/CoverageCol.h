// A collection of coverage-model objects of one kind under one element name.
#ifndef TSXMLLIB_SAMPLES_COVERAGECOL_H
#define TSXMLLIB_SAMPLES_COVERAGECOL_H

#include "samples/coverage/CoverageObject.h"
#include "tsxmllib/XmlCollection.h"

namespace TsXmlLibSamples {

class CCoverageCol : public TsXmlLib16::CXmlCollection {
public:
    static TsXmlLib16::CSmartPtr<CCoverageCol> Create(CoverageKind kind, const char* elementName, int minOccurs,
                                                      int maxOccurs);

    TsXmlLib16::CSmartPtr<CCoverageObject> Add();
    TsXmlLib16::CSmartPtr<CCoverageObject> Item(int index) const;

protected:
    CCoverageCol(CoverageKind kind, const char* elementName, int minOccurs, int maxOccurs);
    void ToXml_Int(TsXmlLib16::CXmlWriter* writer, bool isRoot, const char* ns,
                   const TsXmlLib16::CSerializationContext& ctx, bool inChoice) const override;
    TsXmlLib16::CXmlElement* FromXml_Int(TsXmlLib16::CXmlElement* parent, TsXmlLib16::CXmlElement* first,
                                         const TsXmlLib16::CSerializationContext& ctx, bool isOptional) override;

private:
    CoverageKind m_kind;
};

} // namespace TsXmlLibSamples

#endif
