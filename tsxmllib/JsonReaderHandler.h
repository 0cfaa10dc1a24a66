// Receiver of the events of the JSON reader: names, values and the boundaries
// of objects and arrays, in document order.
#ifndef TSXMLLIB_JSONREADERHANDLER_H
#define TSXMLLIB_JSONREADERHANDLER_H

#include "tsxmllib/Export.h"
#include "tsxmllib/MemoryLeakHelp.h"

#include <string>

namespace TsXmlLib16 {

class TSXMLLIB_EXPORT IJsonReaderHandler : private CInstanceMonitor {
public:
    IJsonReaderHandler();
    IJsonReaderHandler(const IJsonReaderHandler&) = delete;
    IJsonReaderHandler& operator=(const IJsonReaderHandler&) = delete;
    ~IJsonReaderHandler() override;

    virtual void StartDocument() = 0;
    virtual void EndDocument() = 0;
    virtual void Name(const std::string& name) = 0;
    virtual void String(const std::string& value) = 0;
    // The number exactly as it was written.
    virtual void Number(const std::string& value) = 0;
    virtual void StartObject() = 0;
    virtual void EndObject() = 0;
    virtual void StartArray() = 0;
    virtual void EndArray() = 0;
    virtual void Bool(bool value) = 0;
    virtual void Null() = 0;
};

} // namespace TsXmlLib16

#endif
