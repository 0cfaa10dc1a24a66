#include "tsxmllib/JsonReaderHandler.h"

namespace TsXmlLib16 {

IJsonReaderHandler::IJsonReaderHandler() : TS_INSTANCE_MONITOR("IJsonReaderHandler") {}

IJsonReaderHandler::~IJsonReaderHandler() = default;

} // namespace TsXmlLib16
