#include "samples/coverage/ColorCol.h"

#include "samples/coverage/CoverageObject.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlWriter.h"

using namespace TsXmlLib16;

namespace TsXmlLibSamples {

CColorCol::CColorCol(const char* elementName, int minOccurs, int maxOccurs)
    : CXmlTypeCollection(ItemType_string, elementName, kCoverageNamespace, minOccurs, maxOccurs, nullptr, -1, -1,
                         nullptr, nullptr, nullptr, nullptr, -1, -1, -1, CWhitespaceUtils::WhitespaceRule_Collapse,
                         nullptr)
{
}

CSmartPtr<CColorCol> CColorCol::Create(const char* elementName, int minOccurs, int maxOccurs)
{
    return CSmartPtr<CColorCol>(new CColorCol(elementName, minOccurs, maxOccurs));
}

void CColorCol::Clear() { m_items.clear(); }

void CColorCol::Remove(int index)
{
    if (index < 0 || index >= GetCount())
        throw CTsInvalidParamException("Index out of range");
    m_items.erase(m_items.begin() + index);
}

void CColorCol::Add(int color)
{
    if (!ColorToText(color))
        throw CTsInvalidParamException("Unknown colour");
    m_items.push_back(color);
}

int CColorCol::Item(int index) const
{
    if (index < 0 || index >= GetCount())
        throw CTsInvalidParamException("Index out of range");
    return m_items[static_cast<std::size_t>(index)];
}

void CColorCol::AddFromString(const std::string& text)
{
    Add(TextToColor(CWhitespaceUtils::ApplyRule(GetWhitespaceRule(), text).c_str()));
}

void CColorCol::ToXml_Int(CXmlWriter* writer, bool, const char*, const CSerializationContext& ctx, bool) const
{
    ValidateCount(ctx);
    const std::string name = GetElementName();
    const std::string ns = const_cast<CColorCol*>(this)->GetNamespace();
    for (int color : m_items) {
        writer->StartElement(name, ns);
        writer->WriteText(ColorToText(color), ItemType_string, false);
        writer->EndElement();
    }
}

} // namespace TsXmlLibSamples
