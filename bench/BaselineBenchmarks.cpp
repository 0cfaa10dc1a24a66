// What the pipelines are measured against, on the same bytes: the bare expat
// parse the library's reader sits on, a copy of the output size, zlib at the
// library's compression level, and two complete XML libraries that build and
// save their own trees.
#include "bench/BenchSupport.h"

#include <expat.h>
#include <zlib.h>

#ifdef TSXMLLIB_BENCH_HAVE_PUGIXML
#include <pugixml.hpp>
#endif
#ifdef TSXMLLIB_BENCH_HAVE_LIBXML2
#include <libxml/parser.h>
#include <libxml/tree.h>
#endif

#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

using namespace TsXmlLib16;

namespace TsXmlLibBench {

namespace {

void XMLCALL OnStart(void*, const XML_Char*, const XML_Char**) {}
void XMLCALL OnEnd(void*, const XML_Char*) {}
void XMLCALL OnText(void*, const XML_Char*, int) {}

void ExpatParse(const CBinaryData& bytes)
{
    XML_Parser parser = XML_ParserCreateNS(nullptr, '|');
    XML_SetElementHandler(parser, OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser, OnText);
    const XML_Status status = XML_Parse(parser, reinterpret_cast<const char*>(bytes.GetData()),
                                        static_cast<int>(bytes.GetLength()), XML_TRUE);
    XML_ParserFree(parser);
    if (status != XML_STATUS_OK)
        throw std::runtime_error("expat refused the benchmark document");
}

BenchmarkBody Copy(CBinaryData Inputs::*bytes)
{
    return [bytes](benchmark::State& state, Inputs& in) {
        const CBinaryData& source = in.*bytes;
        std::vector<unsigned char> target(source.GetLength());
        for (auto _ : state) {
            std::memcpy(target.data(), source.GetData(), source.GetLength());
            benchmark::ClobberMemory();
        }
    };
}

// Level 1 (the library's level) into a buffer of the bound size, zlib format.
BenchmarkBody Deflate(CBinaryData Inputs::*bytes)
{
    return [bytes](benchmark::State& state, Inputs& in) {
        const CBinaryData& source = in.*bytes;
        std::vector<unsigned char> target(compressBound(source.GetLength()));
        for (auto _ : state) {
            uLongf length = static_cast<uLongf>(target.size());
            if (compress2(target.data(), &length, source.GetData(), source.GetLength(), 1) != Z_OK)
                throw std::runtime_error("deflate failed");
            benchmark::DoNotOptimize(length);
        }
    };
}

// Inflates a gzip stream into a buffer of the known plain size.
BenchmarkBody Inflate(CBinaryData Inputs::*compressed, CBinaryData Inputs::*plain)
{
    return [compressed, plain](benchmark::State& state, Inputs& in) {
        const CBinaryData& source = in.*compressed;
        std::vector<unsigned char> target((in.*plain).GetLength());
        for (auto _ : state) {
            z_stream stream{};
            inflateInit2(&stream, 16 + MAX_WBITS);
            stream.next_in = source.GetData();
            stream.avail_in = source.GetLength();
            stream.next_out = target.data();
            stream.avail_out = static_cast<uInt>(target.size());
            const int status = inflate(&stream, Z_FINISH);
            inflateEnd(&stream);
            if (status != Z_STREAM_END)
                throw std::runtime_error("inflate failed");
        }
    };
}

BenchmarkBody Repeat(ReadOperation op)
{
    return [op](benchmark::State& state, Inputs& in) {
        for (auto _ : state)
            op(in);
    };
}

#ifdef TSXMLLIB_BENCH_HAVE_PUGIXML
struct StringWriter : pugi::xml_writer {
    std::string text;
    void write(const void* data, std::size_t size) override { text.append(static_cast<const char*>(data), size); }
};
#endif

} // namespace

void RegisterBaselineBenchmarks(const std::string& label, std::size_t size)
{
    const ReadOperation expat = [](Inputs& in) { ExpatParse(in.xml); };
    AddBenchmark(label, "Base/expat", size, Repeat(expat), expat, expat);
    AddBenchmark(label, "Base/memcpy-xml", size, Copy(&Inputs::xmlOutput));
    AddBenchmark(label, "Base/memcpy-json", size, Copy(&Inputs::jsonOutput));
    AddBenchmark(label, "Base/deflate-xml", size, Deflate(&Inputs::xmlOutput));
    AddBenchmark(label, "Base/deflate-json", size, Deflate(&Inputs::jsonOutput));
    AddBenchmark(label, "Base/inflate-xml", size, Inflate(&Inputs::xmlGzip, &Inputs::xml));
    AddBenchmark(label, "Base/inflate-json", size, Inflate(&Inputs::jsonGzip, &Inputs::json));

#ifdef TSXMLLIB_BENCH_HAVE_PUGIXML
    const ReadOperation pugiParse = [](Inputs& in) {
        pugi::xml_document doc;
        if (!doc.load_buffer(in.xml.GetData(), in.xml.GetLength()))
            throw std::runtime_error("pugixml refused the benchmark document");
        benchmark::DoNotOptimize(doc.first_child());
    };
    AddBenchmark(label, "Base/pugixml-parse", size, Repeat(pugiParse), pugiParse, pugiParse);
    // The tree saved is parsed once per document, outside the timing; only
    // the tree of the latest document is kept.
    const ReadOperation pugiSave = [](Inputs& in) {
        // The inputs of one size replace those of the last one (possibly at
        // the same address): the size tells them apart.
        static std::size_t parsedFor = 0;
        static std::unique_ptr<pugi::xml_document> doc;
        if (!doc || parsedFor != in.targetBytes) {
            doc.reset();
            doc = std::make_unique<pugi::xml_document>();
            if (!doc->load_buffer(in.xml.GetData(), in.xml.GetLength()))
                throw std::runtime_error("pugixml refused the benchmark document");
            parsedFor = in.targetBytes;
        }
        StringWriter writer;
        writer.text.reserve(in.xml.GetLength());
        doc->save(writer);
        benchmark::DoNotOptimize(writer.text.data());
    };
    AddBenchmark(label, "Base/pugixml-save", size, [pugiSave](benchmark::State& state, Inputs& in) {
        pugiSave(in); // parses before the timing starts
        for (auto _ : state)
            pugiSave(in);
    }, pugiSave, nullptr, false);
#endif

#ifdef TSXMLLIB_BENCH_HAVE_LIBXML2
    const ReadOperation libxml2Read = [](Inputs& in) {
        xmlDocPtr doc = xmlReadMemory(reinterpret_cast<const char*>(in.xml.GetData()),
                                      static_cast<int>(in.xml.GetLength()), "po.xml", nullptr, XML_PARSE_HUGE);
        if (!doc)
            throw std::runtime_error("libxml2 refused the benchmark document");
        xmlFreeDoc(doc);
    };
    AddBenchmark(label, "Base/libxml2-read", size, Repeat(libxml2Read), libxml2Read, libxml2Read);
    AddBenchmark(label, "Base/libxml2-dump", size, [](benchmark::State& state, Inputs& in) {
        xmlDocPtr doc = xmlReadMemory(reinterpret_cast<const char*>(in.xml.GetData()),
                                      static_cast<int>(in.xml.GetLength()), "po.xml", nullptr, XML_PARSE_HUGE);
        for (auto _ : state) {
            xmlChar* text = nullptr;
            int length = 0;
            xmlDocDumpMemory(doc, &text, &length);
            benchmark::DoNotOptimize(text);
            xmlFree(text);
        }
        xmlFreeDoc(doc);
    });
#endif
}

} // namespace TsXmlLibBench
