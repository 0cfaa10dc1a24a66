// Reads a purchase order from an XML file and writes it as XML and as JSON,
// to files and to memory, plain and gzip-compressed; then reads every copy
// back and checks that it holds the same order.
//
//   po_xml_json IN.xml OUTDIR
//
// OUTDIR receives order.xml, order.xml.gz and order.json.
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

int g_failures = 0;

unsigned long FileSize(const std::string& path) { return static_cast<unsigned long>(std::filesystem::file_size(path)); }

// Prints one line per copy: how it was written, its size, and whether it
// reads back into the order we started from (compared as canonical XML).
void Report(const char* form, unsigned long bytes, const CPurchaseOrder& copy, const std::string& expected,
            const CSerializationContext& ctx)
{
    const bool same = copy.ToXml(false, false, EOLType_LF, ctx) == expected;
    std::printf("%-26s %6lu bytes  %s\n", form, bytes, same ? "reads back the same" : "DIFFERS");
    if (!same)
        ++g_failures;
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

    try {
        // One context for every call: the model's namespace becomes the
        // default namespace, so the XML needs no prefixes.
        CSerializationContext ctx;
        ctx.SetDefaultNamespaceURI(kPoNamespace);

        CSmartPtr<CPurchaseOrder> order = CPurchaseOrder::CreateInstance();
        order->FromXmlFile(argv[1], ctx);
        const std::string expected = order->ToXml(false, false, EOLType_LF, ctx);

        // XML text in a string, without declaration and without indentation.
        {
            CSmartPtr<CPurchaseOrder> copy = CPurchaseOrder::CreateInstance();
            copy->FromXml(expected.c_str(), ctx);
            Report("XML string", static_cast<unsigned long>(expected.size()), *copy, expected, ctx);
        }

        // An indented UTF-8 file with declaration, and the same gzip-compressed.
        // Reading needs no hint: compressed input is recognised by its bytes.
        const std::string xmlFile = outDir + "/order.xml";
        const std::string gzFile = outDir + "/order.xml.gz";
        order->ToXmlFile(xmlFile.c_str(), true, true, XmlEncoding_UTF8, EOLType_LF, ctx, CompressionType_None);
        order->ToXmlFile(gzFile.c_str(), true, true, XmlEncoding_UTF8, EOLType_LF, ctx, CompressionType_GZIP);
        for (const std::string& file : {xmlFile, gzFile}) {
            CSmartPtr<CPurchaseOrder> copy = CPurchaseOrder::CreateInstance();
            copy->FromXmlFile(file.c_str(), ctx);
            Report(file == xmlFile ? "XML file" : "XML file, gzip", FileSize(file), *copy, expected, ctx);
        }

        // UTF-16 bytes in memory, zlib-compressed (a form only streams offer).
        {
            CBinaryData bytes =
                order->ToXmlStream(true, false, XmlEncoding_UTF16, EOLType_LF, ctx, CompressionType_ZLIB);
            CSmartPtr<CPurchaseOrder> copy = CPurchaseOrder::CreateInstance();
            copy->FromXmlStream(bytes, ctx);
            Report("XML stream, UTF-16, zlib", bytes.GetLength(), *copy, expected, ctx);
        }

        // JSON: elements become members, repeated elements arrays. Reading JSON
        // matches elements by local name.
        const std::string json = order->ToJson(true, EOLType_LF, ctx);
        std::printf("\nThe order as JSON:\n%s\n\n", json.c_str());
        {
            CSmartPtr<CPurchaseOrder> copy = CPurchaseOrder::CreateInstance();
            copy->FromJson(json.c_str(), ctx);
            Report("JSON string", static_cast<unsigned long>(json.size()), *copy, expected, ctx);
        }
        const std::string jsonFile = outDir + "/order.json";
        order->ToJsonFile(jsonFile.c_str(), true, XmlEncoding_UTF8, EOLType_LF, ctx, CompressionType_None);
        {
            CSmartPtr<CPurchaseOrder> copy = CPurchaseOrder::CreateInstance();
            copy->FromJsonFile(jsonFile.c_str(), ctx);
            Report("JSON file", FileSize(jsonFile), *copy, expected, ctx);
        }
        {
            CBinaryData bytes = order->ToJsonStream(false, XmlEncoding_UTF8, EOLType_LF, ctx, CompressionType_GZIP);
            CSmartPtr<CPurchaseOrder> copy = CPurchaseOrder::CreateInstance();
            copy->FromJsonStream(bytes, ctx);
            Report("JSON stream, gzip", bytes.GetLength(), *copy, expected, ctx);
        }
    } catch (const CTsException& e) {
        std::fprintf(stderr, "failed: %s\n", e.GetFullMessage().c_str());
        return 1;
    }
    if (g_failures != 0) {
        std::fprintf(stderr, "%d copies differ from the order read\n", g_failures);
        return 1;
    }
    return 0;
}
