// The target namespace of the purchase-order sample model.
#ifndef TSXMLLIB_SAMPLES_PONAMESPACE_H
#define TSXMLLIB_SAMPLES_PONAMESPACE_H

namespace TsXmlLibSamples {
constexpr const char* kPoNamespace = "urn:tsxmllib:samples:po";
} // namespace TsXmlLibSamples

#endif
