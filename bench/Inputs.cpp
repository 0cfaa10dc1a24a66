#include "bench/Inputs.h"

#include "bench/PoGenerator.h"
#include "samples/po/PoNamespace.h"
#include "tsxmllib/JsonContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsZip.h"

#include <cstdio>
#include <map>
#include <stdexcept>

using namespace TsXmlLib16;

namespace TsXmlLibBench {

void ConfigureContext(CSerializationContext& ctx)
{
    ctx.SetDefaultNamespaceURI(TsXmlLibSamples::kPoNamespace);
    ctx.GetJsonContext().SetSupportRoundtrip(JsonRoundTrip_Full);
}

namespace {

std::map<std::size_t, std::string>& Descriptions()
{
    static std::map<std::size_t, std::string> descriptions;
    return descriptions;
}

CBinaryData Gzipped(const CBinaryData& data)
{
    CBinaryData copy(data.GetData(), data.GetLength(), false);
    CTsZip zip;
    zip.Compress(copy, CompressionType_GZIP);
    return copy;
}

std::unique_ptr<Inputs> Build(std::size_t targetBytes)
{
    auto in = std::make_unique<Inputs>();
    in->targetBytes = targetBytes;
    ConfigureContext(in->context);
    const std::string text = GeneratePurchaseOrder(targetBytes, kSeed);
    in->items = CountItems(text);
    in->xml.SetBuffer(reinterpret_cast<const unsigned char*>(text.data()), static_cast<unsigned long>(text.size()));
    in->xmlGzip = Gzipped(in->xml);

    in->order = TsXmlLibSamples::CPurchaseOrder::CreateInstance();
    in->order->FromXmlStream(in->xml, in->context);
    if (in->order->GetItems()->GetItem()->GetCount() != static_cast<int>(in->items))
        throw std::runtime_error("the generated order did not read back with all its items");
    in->element = new CElement("purchaseOrder");
    in->element->FromXmlStream(in->xml, in->context);

    in->xmlOutput = in->order->ToXmlStream(true, true, XmlEncoding_UTF8, EOLType_LF, in->context, CompressionType_None);
    in->jsonOutput = in->order->ToJsonStream(false, XmlEncoding_UTF8, EOLType_LF, in->context, CompressionType_None);
    in->json = in->jsonOutput;
    in->jsonGzip = Gzipped(in->json);
    try {
        in->fastInfoset = in->order->ToFastInfosetStream(FInfoDecl_Encoding, in->context, CompressionType_None);
        CSmartPtr<TsXmlLibSamples::CPurchaseOrder> check = TsXmlLibSamples::CPurchaseOrder::CreateInstance();
        try {
            check->FromXmlStream(in->fastInfoset, in->context);
        } catch (const CTsException& e) {
            in->fastInfosetReadError = "Fast Infoset input: " + e.GetMessage();
        }
    } catch (const CTsException& e) {
        in->fastInfosetError = e.GetFullMessage();
        in->fastInfosetReadError = in->fastInfosetError;
    }
    char line[256];
    std::snprintf(line, sizeof line, "XML %zu bytes (%zu items), XML.gz %lu, JSON %lu, JSON.gz %lu, written XML %lu",
                  text.size(), in->items, in->xmlGzip.GetLength(), in->json.GetLength(), in->jsonGzip.GetLength(),
                  in->xmlOutput.GetLength());
    Descriptions()[targetBytes] = line;
    std::fprintf(stderr, "inputs: %s\n", line);
    return in;
}

} // namespace

Inputs& InputsFor(std::size_t targetBytes)
{
    static std::unique_ptr<Inputs> current;
    if (!current || current->targetBytes != targetBytes) {
        current.reset();
        current = Build(targetBytes);
    }
    return *current;
}

std::string DescribeInputs(std::size_t targetBytes)
{
    const auto found = Descriptions().find(targetBytes);
    return found == Descriptions().end() ? std::string() : found->second;
}

} // namespace TsXmlLibBench
