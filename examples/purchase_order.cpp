// Reads a purchase order into its bound classes, prints a summary, changes it
// and writes it back as XML.
//
//   purchase_order IN.xml [OUT.xml]
#include "samples/po/PoNamespace.h"
#include "samples/po/PurchaseOrder.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"

#include <cstdio>

using namespace TsXmlLib16;
using namespace TsXmlLibSamples;

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s IN.xml [OUT.xml]\n", argv[0]);
        return 2;
    }
    // Bound classes report the version of the generator that wrote them.
    SetGeneratorVersion(TsRuntimeVersionMajor, TsRuntimeVersionMinor);
    try {
        CSerializationContext ctx;
        ctx.SetDefaultNamespaceURI(kPoNamespace);
        CSmartPtr<CPurchaseOrder> po = CPurchaseOrder::CreateInstance();
        po->FromXmlFile(argv[1], ctx);

        CSmartPtr<CItemCol> items = po->GetItems()->GetItem();
        CDecimal total;
        for (int i = 0; i < items->GetCount(); ++i) {
            CSmartPtr<CItem> item = items->Item(i);
            total += item->GetUSPrice() * CDecimal(item->GetQuantity());
        }
        std::printf("Order of %s for %s, %s (%s)\n",
                    po->IsValidOrderDate() ? po->GetOrderDate().ToString().c_str() : "no date",
                    po->GetShipTo()->GetName().c_str(), po->GetShipTo()->GetCity().c_str(),
                    po->GetShipTo()->GetState().c_str());
        std::printf("%d items, total %s USD\n", items->GetCount(), total.ToString(2).c_str());

        // One more item, shipping at the end of the year, and a note.
        CSmartPtr<CItem> added = items->Add();
        added->SetPartNum("100-ZZ");
        added->SetProductName("Garden gloves");
        added->SetQuantity(2);
        added->SetUSPrice(CDecimal("7.25"));
        added->SetShipDate(CDateTime(2026, 12, 31));
        po->SetComment("Added gloves; " + po->GetComment());

        const std::string xml = po->ToXml(true, true, EOLType_LF, ctx);
        if (argc == 3) {
            po->ToXmlFile(argv[2], true, true, XmlEncoding_UTF8, EOLType_LF, ctx, CompressionType_None);
            std::printf("Written with %d items to %s (%zu bytes)\n", items->GetCount(), argv[2], xml.size());
        } else {
            std::fputs(xml.c_str(), stdout);
        }
        return 0;
    } catch (const CTsException& e) {
        std::fprintf(stderr, "%s\n", e.GetFullMessage().c_str());
        return 1;
    }
}
