// Reads a purchase order from an XML file and writes it as Fast Infoset, the
// binary form of XML, plain and gzip-compressed, to memory and to a file; then
// reads every copy back and checks that it holds the same order.
//
//   po_fast_infoset IN.xml OUTDIR
//
// OUTDIR receives order.fi and order.fi.gz.
#include "samples/po/PoNamespace.h"
#include "samples/po/PurchaseOrder.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"

#include <cstdio>
#include <filesystem>
#include <string>

using namespace TsXmlLib16;
using namespace TsXmlLibSamples;

namespace {

// Reads a copy of the order with read, and tells whether it equals the
// original (compared as XML text).
template <class Read>
bool ReadsBackTheSame(const char* form, unsigned long bytes, const std::string& expected,
                      const CSerializationContext& ctx, Read read)
{
    CSmartPtr<CPurchaseOrder> copy = CPurchaseOrder::CreateInstance();
    try {
        read(*copy);
    } catch (const CTsException& e) {
        std::printf("%-24s %6lu bytes  CANNOT BE READ: %s\n", form, bytes, e.GetFullMessage().c_str());
        return false;
    }
    const bool same = copy->ToXml(false, false, EOLType_LF, ctx) == expected;
    std::printf("%-24s %6lu bytes  %s\n", form, bytes, same ? "reads back the same" : "DIFFERS");
    return same;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s IN.xml OUTDIR\n", argv[0]);
        return 2;
    }
    const std::string outDir = argv[2];
    SetGeneratorVersion(TsRuntimeVersionMajor, TsRuntimeVersionMinor);

    int failures = 0;
    try {
        CSerializationContext ctx;
        ctx.SetDefaultNamespaceURI(kPoNamespace);

        CSmartPtr<CPurchaseOrder> order = CPurchaseOrder::CreateInstance();
        order->FromXmlFile(argv[1], ctx);
        const std::string expected = order->ToXml(false, false, EOLType_LF, ctx);
        std::printf("%-24s %6zu bytes\n", "XML text", expected.size());

        // Fast Infoset has no indentation, line ends or text encoding to choose;
        // the only option is the XML declaration written in front of it.
        // Reading goes through the same FromXml... calls as XML text: the
        // input is recognised by its first bytes, compressed or not.
        const CBinaryData plain = order->ToFastInfosetStream(FInfoDecl_None, ctx, CompressionType_None);
        failures += !ReadsBackTheSame("Fast Infoset", plain.GetLength(), expected, ctx,
                                      [&](CPurchaseOrder& copy) { copy.FromXmlStream(plain, ctx); });

        const CBinaryData gzip = order->ToFastInfosetStream(FInfoDecl_Encoding, ctx, CompressionType_GZIP);
        failures += !ReadsBackTheSame("Fast Infoset, gzip", gzip.GetLength(), expected, ctx,
                                      [&](CPurchaseOrder& copy) { copy.FromXmlStream(gzip, ctx); });

        // Files: the bytes of the stream methods, written as they are.
        for (CompressionType compression : {CompressionType_None, CompressionType_GZIP}) {
            const bool packed = compression == CompressionType_GZIP;
            const std::string file = outDir + (packed ? "/order.fi.gz" : "/order.fi");
            order->ToFastInfosetFile(file.c_str(), FInfoDecl_None, ctx, compression);
            const auto size = static_cast<unsigned long>(std::filesystem::file_size(file));
            failures += !ReadsBackTheSame(packed ? "Fast Infoset file, gzip" : "Fast Infoset file", size, expected,
                                          ctx, [&](CPurchaseOrder& copy) { copy.FromXmlFile(file.c_str(), ctx); });
        }
    } catch (const CTsException& e) {
        std::fprintf(stderr, "failed: %s\n", e.GetFullMessage().c_str());
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
