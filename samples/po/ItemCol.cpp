#include "samples/po/ItemCol.h"

#include "samples/po/PoNamespace.h"
#include "tsxmllib/XmlElement.h"

using namespace TsXmlLib16;

namespace TsXmlLibSamples {

CItemCol::CItemCol() : CXmlCollection("item", kPoNamespace, 0, -1) {}

CSmartPtr<CItemCol> CItemCol::CreateInstance() { return CSmartPtr<CItemCol>(new CItemCol()); }

CSmartPtr<CItem> CItemCol::Add()
{
    CSmartPtr<CItem> item = CItem::CreateInstance();
    AppendItem(item);
    return item;
}

CSmartPtr<CItem> CItemCol::Item(int index) const
{
    return CSmartPtr<CItem>(static_cast<CItem*>(GetNodeAtIndex(index)->item.get()));
}

void CItemCol::ToXml_Int(CXmlWriter* writer, bool, const char*, const CSerializationContext& ctx, bool inChoice) const
{
    for (CNode* node = GetHead(); node; node = node->next)
        CXmlObjectBase::ToXml_Int(node->item, writer, false, kPoNamespace, ctx, inChoice);
}

CXmlElement* CItemCol::FromXml_Int(CXmlElement*, CXmlElement* first, const CSerializationContext& ctx, bool)
{
    CXmlElement* current = first;
    while (current && DoesElementNameMatch(ctx, current, "item", kPoNamespace)) {
        CSmartPtr<CItem> item = CItem::CreateInstance();
        CXmlObjectBase::FromXml_Int(item, current, current->GetFirstElement(), ctx);
        AppendItem(item);
        current = current->GetNextSiblingElement();
    }
    return current;
}

} // namespace TsXmlLibSamples
