// A collection of colours (an enumerated simple type), as generated code
// writes one: the items are the enumeration's numbers, the text their names.
#ifndef TSXMLLIB_SAMPLES_COLORCOL_H
#define TSXMLLIB_SAMPLES_COLORCOL_H

#include "tsxmllib/XmlTypeCollection.h"

#include <vector>

namespace TsXmlLibSamples {

class CColorCol : public TsXmlLib16::CXmlTypeCollection {
public:
    static TsXmlLib16::CSmartPtr<CColorCol> Create(const char* elementName, int minOccurs, int maxOccurs);

    int GetCount() const override { return static_cast<int>(m_items.size()); }
    void Clear() override;
    void Remove(int index) override;
    void Add(int color);
    int Item(int index) const;
    void AddFromString(const std::string& text) override;

protected:
    CColorCol(const char* elementName, int minOccurs, int maxOccurs);
    void ToXml_Int(TsXmlLib16::CXmlWriter* writer, bool isRoot, const char* ns,
                   const TsXmlLib16::CSerializationContext& ctx, bool inChoice) const override;

private:
    std::vector<int> m_items;
};

} // namespace TsXmlLibSamples

#endif
