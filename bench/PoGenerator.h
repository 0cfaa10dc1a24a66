// Purchase-order documents of a requested size for the benchmarks: the two
// addresses and a comment, then as many item elements as the size needs. The
// same seed and size always give the same bytes.
#ifndef TSXMLLIB_BENCH_POGENERATOR_H
#define TSXMLLIB_BENCH_POGENERATOR_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace TsXmlLibBench {

// UTF-8 XML text with declaration, indented by two spaces per level, of at
// least targetBytes bytes (the last item may run past the target).
std::string GeneratePurchaseOrder(std::size_t targetBytes, std::uint64_t seed);

// Number of item elements in a document made by GeneratePurchaseOrder.
std::size_t CountItems(const std::string& document);

} // namespace TsXmlLibBench

#endif
