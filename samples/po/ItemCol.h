// The repeated item elements of a purchase order.
#ifndef TSXMLLIB_SAMPLES_ITEMCOL_H
#define TSXMLLIB_SAMPLES_ITEMCOL_H

#include "samples/po/Item.h"
#include "tsxmllib/XmlCollection.h"

namespace TsXmlLibSamples {

class CItemCol : public TsXmlLib16::CXmlCollection {
public:
    static TsXmlLib16::CSmartPtr<CItemCol> CreateInstance();

    // Appends a new item and returns it.
    TsXmlLib16::CSmartPtr<CItem> Add();
    void Add(CItem* item) { AppendItem(item); }
    TsXmlLib16::CSmartPtr<CItem> Item(int index) const;

protected:
    CItemCol();
    void ToXml_Int(TsXmlLib16::CXmlWriter* writer, bool isRoot, const char* ns,
                   const TsXmlLib16::CSerializationContext& ctx, bool inChoice) const override;
    TsXmlLib16::CXmlElement* FromXml_Int(TsXmlLib16::CXmlElement* parent, TsXmlLib16::CXmlElement* first,
                                         const TsXmlLib16::CSerializationContext& ctx, bool isOptional) override;
};

} // namespace TsXmlLibSamples

#endif
