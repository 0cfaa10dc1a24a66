// Processes a purchase order of any size one item at a time, in memory that
// does not grow with the document: the file is read in chunks, every item is
// read into its bound class as soon as its end tag has been parsed, added to
// the totals and dropped from the document tree. What is left of the tree is
// the order without its items, which is then read as usual.
//
//   record_filter IN.xml
#include "samples/po/Item.h"
#include "samples/po/PoNamespace.h"
#include "samples/po/PurchaseOrder.h"
#include "tsxmllib/GlobalSettings.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <sys/resource.h>

using namespace TsXmlLib16;
using namespace TsXmlLibSamples;

namespace {

// The filter is a plain function, so what it accumulates lives here.
struct Totals {
    long items = 0;
    long pieces = 0;
    CDecimal value;
    std::string dearestPart;
    CDecimal dearestPrice;
};
Totals g_totals;
const CSerializationContext* g_context = nullptr;

// Called by the document for every element whose end tag has been parsed,
// innermost first; returning true deletes the element and its subtree at once.
bool TakeItem(CXmlElement* element)
{
    if (element->GetLocalName() != "item" || element->GetNamespaceURI() != kPoNamespace)
        return false; // everything else stays in the tree
    // The complete item element is there: read it into its class. A failure
    // here ends the load with the item's path in the exception.
    CSmartPtr<CItem> item = CItem::CreateInstance();
    item->FromXmlElement(element, *g_context);

    ++g_totals.items;
    g_totals.pieces += item->GetQuantity();
    g_totals.value += item->GetUSPrice() * CDecimal(item->GetQuantity());
    if (g_totals.items == 1 || item->GetUSPrice() > g_totals.dearestPrice) {
        g_totals.dearestPrice = item->GetUSPrice();
        g_totals.dearestPart = item->GetPartNum();
    }
    return true;
}

// The largest resident size the process has had so far.
long PeakKiB()
{
    rusage usage;
    std::memset(&usage, 0, sizeof usage);
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s IN.xml\n", argv[0]);
        return 2;
    }
    SetGeneratorVersion(TsRuntimeVersionMajor, TsRuntimeVersionMinor);
    // Files are read in chunks of CXmlDocument::kChunkSize instead of whole.
    AsyncFromXmlFile(true);

    CSerializationContext ctx;
    ctx.SetDefaultNamespaceURI(kPoNamespace);
    g_context = &ctx;
    const long peakBefore = PeakKiB();
    try {
        CXmlDocument document(&TakeItem, ctx);
        document.Load(argv[1]);

        // The rest of the order: its items element is empty now.
        CSmartPtr<CPurchaseOrder> order = CPurchaseOrder::CreateInstance();
        order->FromXmlElement(document.GetDocumentElement(), ctx);
        std::printf("Order of %s for %s, %s\n",
                    order->IsValidOrderDate() ? order->GetOrderDate().ToString().c_str() : "no date",
                    order->GetShipTo()->GetName().c_str(), order->GetShipTo()->GetCity().c_str());
        std::printf("items left in the tree: %d\n", order->GetItems()->GetItem()->GetCount());
    } catch (const CTsException& e) {
        std::fprintf(stderr, "%s\n", e.GetFullMessage().c_str());
        return 1;
    }
    std::printf("items: %ld\n", g_totals.items);
    std::printf("pieces: %ld\n", g_totals.pieces);
    std::printf("value: %s USD\n", g_totals.value.ToString(2).c_str());
    if (g_totals.items > 0)
        std::printf("dearest: %s at %s USD\n", g_totals.dearestPart.c_str(), g_totals.dearestPrice.ToString(2).c_str());
    std::printf("peak memory growth: %ld KiB\n", PeakKiB() - peakBefore);
    return 0;
}
