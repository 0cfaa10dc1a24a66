// Shows what a failed read or write reports: the message, the path of the
// element or attribute where it failed, and the chain of causes. The purchase
// order given is broken in a few typical ways and read each time; then an
// order with a value outside its schema's range is written.
//
//   validation_error IN.xml
#include "samples/po/PoNamespace.h"
#include "samples/po/PurchaseOrder.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

using namespace TsXmlLib16;
using namespace TsXmlLibSamples;

namespace {

// Everything an application usually logs about a library failure.
void PrintFailure(const CTsException& e)
{
    // The path leads to the offending node, such as /purchaseOrder/items/item[2]
    // or /purchaseOrder/@orderDate; it is empty when the failure concerns no
    // place in a document (text that is not XML, a value refused while writing).
    const std::string path = e.GetPath();
    std::printf("  where: %s\n", path.empty() ? "(no path)" : path.c_str());
    // The message ends with a "Path: ..." line when there is a path. A layer
    // that adds context keeps the exception it caught as its inner exception;
    // the full message is the message followed by those of the inner ones.
    std::string text = e.GetFullMessage();
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        text.insert(at + 1, "    ");
    std::printf("  what:  %s\n", text.c_str());
}

// The text with its first occurrence of what replaced by with.
std::string Replace(std::string text, const std::string& what, const std::string& with)
{
    const std::size_t at = text.find(what);
    if (at != std::string::npos)
        text.replace(at, what.size(), with);
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s IN.xml\n", argv[0]);
        return 2;
    }
    SetGeneratorVersion(TsRuntimeVersionMajor, TsRuntimeVersionMinor);

    std::ifstream in(argv[1], std::ios::binary);
    const std::string good((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (good.empty()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }

    const struct {
        const char* what;
        std::string xml;
    } broken[] = {
        {"a quantity that is not a number", Replace(good, "<quantity>2<", "<quantity>two<")},
        {"a mandatory element missing", Replace(good, "<city>Old Town</city>", "")},
        {"an element the schema does not know", Replace(good, "</items>", "</items><note/>")},
        {"an attribute the schema does not know", Replace(good, "partNum=\"926-AA\"", "partNum=\"926-AA\" gift=\"yes\"")},
        {"a date that does not exist", Replace(good, "orderDate=\"2026-11-20\"", "orderDate=\"2026-02-30\"")},
        {"text that is not XML", Replace(good, "</items>", "</item>")},
    };

    const CSerializationContext& ctx = CSerializationContext::GetDefaultContext();
    int unexpected = 0;
    for (const auto& b : broken) {
        std::printf("Reading an order with %s:\n", b.what);
        CSmartPtr<CPurchaseOrder> order = CPurchaseOrder::CreateInstance();
        try {
            order->FromXml(b.xml.c_str(), ctx);
            std::printf("  read without complaint\n");
            ++unexpected;
        } catch (const CTsException& e) {
            // Every library failure is a CTsException (validation failures are
            // CTsValidationException, a subclass). A failed read leaves the
            // object partly filled: read it again or drop it.
            PrintFailure(e);
        }
    }

    // Facets such as the range of quantity are checked when a value is written.
    std::printf("Writing an order with a quantity of 0:\n");
    try {
        CSmartPtr<CPurchaseOrder> order = CPurchaseOrder::CreateInstance();
        order->FromXml(good.c_str(), ctx);
        order->GetItems()->GetItem()->Item(0)->SetQuantity(0);
        order->ToXml(false, false, EOLType_LF, ctx);
        std::printf("  written without complaint\n");
        ++unexpected;
    } catch (const CTsException& e) {
        PrintFailure(e);
    }
    return unexpected == 0 ? 0 : 1;
}
