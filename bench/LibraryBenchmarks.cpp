// The library's own pipelines: typed reading and writing of the purchase
// order as XML text, JSON and Fast Infoset, plain and compressed, and the
// untyped element tree of the same document.
#include "bench/BenchSupport.h"

#include "tsxmllib/XmlDocument.h"

using namespace TsXmlLib16;
using TsXmlLibSamples::CPurchaseOrder;

namespace TsXmlLibBench {

namespace {

BenchmarkBody Repeat(ReadOperation op)
{
    return [op](benchmark::State& state, Inputs& in) {
        for (auto _ : state)
            op(in);
    };
}

// The Fast Infoset pipelines report themselves skipped while the library
// cannot write (or read back) that form.
BenchmarkBody RepeatIfFastInfoset(ReadOperation op, std::string Inputs::*error = &Inputs::fastInfosetError)
{
    return [op, error](benchmark::State& state, Inputs& in) {
        if (!(in.*error).empty()) {
            state.SkipWithError((in.*error).c_str());
            return;
        }
        for (auto _ : state)
            op(in);
    };
}

// The operation, or nothing while the library cannot write (or read back) Fast Infoset.
ReadOperation IfFastInfoset(ReadOperation op, std::string Inputs::*error)
{
    return [op, error](Inputs& in) {
        if ((in.*error).empty())
            op(in);
    };
}

ReadOperation ReadOrder(CBinaryData Inputs::*bytes)
{
    return [bytes](Inputs& in) {
        CSmartPtr<CPurchaseOrder> order = CPurchaseOrder::CreateInstance();
        order->FromXmlStream(in.*bytes, in.context);
        benchmark::DoNotOptimize(order.get());
    };
}

ReadOperation ReadOrderFromJson(CBinaryData Inputs::*bytes)
{
    return [bytes](Inputs& in) {
        CSmartPtr<CPurchaseOrder> order = CPurchaseOrder::CreateInstance();
        order->FromJsonStream(in.*bytes, in.context);
        benchmark::DoNotOptimize(order.get());
    };
}

ReadOperation WriteXml(CompressionType compression)
{
    return [compression](Inputs& in) {
        CBinaryData out = in.order->ToXmlStream(true, true, XmlEncoding_UTF8, EOLType_LF, in.context, compression);
        benchmark::DoNotOptimize(out.GetData());
    };
}

ReadOperation WriteJson(CompressionType compression)
{
    return [compression](Inputs& in) {
        CBinaryData out = in.order->ToJsonStream(false, XmlEncoding_UTF8, EOLType_LF, in.context, compression);
        benchmark::DoNotOptimize(out.GetData());
    };
}

} // namespace

void RegisterLibraryBenchmarks(const std::string& label, std::size_t size)
{
    const ReadOperation readXml = ReadOrder(&Inputs::xml);
    const ReadOperation readXmlGzip = ReadOrder(&Inputs::xmlGzip);
    const ReadOperation readJson = ReadOrderFromJson(&Inputs::json);
    const ReadOperation readJsonGzip = ReadOrderFromJson(&Inputs::jsonGzip);
    const ReadOperation readFastInfoset = ReadOrder(&Inputs::fastInfoset);
    const ReadOperation loadDocument = [](Inputs& in) {
        CXmlDocument doc(in.context);
        doc.LoadXmlStream(in.xml.GetData(), in.xml.GetLength());
        benchmark::DoNotOptimize(doc.GetDocumentElement());
    };
    const ReadOperation readElement = [](Inputs& in) {
        CSmartPtr<CElement> element(new CElement("purchaseOrder"));
        element->FromXmlStream(in.xml, in.context);
        benchmark::DoNotOptimize(element.get());
    };
    const ReadOperation writeElement = [](Inputs& in) {
        CBinaryData out = in.element->ToXmlStream(true, false, XmlEncoding_UTF8, EOLType_LF, in.context,
                                                  CompressionType_None);
        benchmark::DoNotOptimize(out.GetData());
    };
    const ReadOperation writeFastInfoset = [](Inputs& in) {
        CBinaryData out = in.order->ToFastInfosetStream(FInfoDecl_Encoding, in.context, CompressionType_None);
        benchmark::DoNotOptimize(out.GetData());
    };

    const ReadOperation writeXml = WriteXml(CompressionType_None);
    const ReadOperation writeXmlGzip = WriteXml(CompressionType_GZIP);
    const ReadOperation writeJson = WriteJson(CompressionType_None);
    const ReadOperation writeJsonGzip = WriteJson(CompressionType_GZIP);

    AddBenchmark(label, "Read/XML", size, Repeat(readXml), readXml, readXml);
    AddBenchmark(label, "Read/XML.gz", size, Repeat(readXmlGzip), readXmlGzip, readXmlGzip);
    AddBenchmark(label, "Read/JSON", size, Repeat(readJson), readJson, readJson);
    AddBenchmark(label, "Read/JSON.gz", size, Repeat(readJsonGzip), readJsonGzip, readJsonGzip);
    AddBenchmark(label, "Read/FI", size, RepeatIfFastInfoset(readFastInfoset, &Inputs::fastInfosetReadError),
                 IfFastInfoset(readFastInfoset, &Inputs::fastInfosetReadError),
                 IfFastInfoset(readFastInfoset, &Inputs::fastInfosetReadError));
    AddBenchmark(label, "Read/CElement", size, Repeat(readElement), readElement, readElement);
    AddBenchmark(label, "Read/CXmlDocument", size, Repeat(loadDocument), loadDocument, loadDocument);
    AddBenchmark(label, "Write/XML", size, Repeat(writeXml), writeXml);
    AddBenchmark(label, "Write/XML.gz", size, Repeat(writeXmlGzip), writeXmlGzip);
    AddBenchmark(label, "Write/JSON", size, Repeat(writeJson), writeJson);
    AddBenchmark(label, "Write/JSON.gz", size, Repeat(writeJsonGzip), writeJsonGzip);
    AddBenchmark(label, "Write/FI", size, RepeatIfFastInfoset(writeFastInfoset),
                 IfFastInfoset(writeFastInfoset, &Inputs::fastInfosetError));
    AddBenchmark(label, "Write/CElement", size, Repeat(writeElement), writeElement);
}

} // namespace TsXmlLibBench
