#include "tsxmllib/FastInfosetContext.h"

namespace TsXmlLib16 {

CFastInfosetContext::CFastInfosetContext() = default;
CFastInfosetContext::CFastInfosetContext(const CFastInfosetContext&) = default;
CFastInfosetContext& CFastInfosetContext::operator=(const CFastInfosetContext&) = default;
CFastInfosetContext::~CFastInfosetContext() = default;

} // namespace TsXmlLib16
