// The documents one size of the benchmark works on, built once per size: the
// generated XML text, its compressed form, the JSON form of the same order,
// the bound objects and the trees the baseline parsers build from it.
#ifndef TSXMLLIB_BENCH_INPUTS_H
#define TSXMLLIB_BENCH_INPUTS_H

#include "samples/po/PurchaseOrder.h"
#include "tsxmllib/BinaryData.h"
#include "tsxmllib/Element.h"
#include "tsxmllib/SerializationContext.h"

#include <cstddef>
#include <memory>
#include <string>

namespace TsXmlLibBench {

struct Inputs {
    std::size_t targetBytes = 0;
    TsXmlLib16::CSerializationContext context;
    TsXmlLib16::CBinaryData xml;
    TsXmlLib16::CBinaryData xmlGzip;
    TsXmlLib16::CBinaryData json;
    TsXmlLib16::CBinaryData jsonGzip;
    std::size_t items = 0;
    // The order read from xml, written by the write benchmarks.
    TsXmlLib16::CSmartPtr<TsXmlLibSamples::CPurchaseOrder> order;
    TsXmlLib16::CSmartPtr<TsXmlLib16::CElement> element;
    // Sizes of what the writers produce, for the copy and deflate baselines.
    TsXmlLib16::CBinaryData xmlOutput;
    TsXmlLib16::CBinaryData jsonOutput;
    // The order as Fast Infoset, or why the library could not write it.
    TsXmlLib16::CBinaryData fastInfoset;
    std::string fastInfosetError;
    std::string fastInfosetReadError; // why the Fast Infoset bytes cannot be read back (empty when they can)
};

// The seed every document is generated from.
constexpr unsigned long long kSeed = 20261120;

// The options every benchmark reads and writes with: the order's namespace is
// the default namespace, JSON keeps the full XML information.
void ConfigureContext(TsXmlLib16::CSerializationContext& ctx);

// The inputs of one size; the inputs of the previous size are released first,
// so that only one size is held in memory at a time.
Inputs& InputsFor(std::size_t targetBytes);

// One line about the inputs of a size that has been built ("" before that):
// byte counts of each form and the number of items.
std::string DescribeInputs(std::size_t targetBytes);

} // namespace TsXmlLibBench

#endif
