// Options of the Fast Infoset form, owned by the serialization context.
#ifndef TSXMLLIB_FASTINFOSETCONTEXT_H
#define TSXMLLIB_FASTINFOSETCONTEXT_H

#include "tsxmllib/Export.h"

namespace TsXmlLib16 {

class TSXMLLIB_EXPORT CFastInfosetContext {
public:
    CFastInfosetContext();
    CFastInfosetContext(const CFastInfosetContext& other);
    CFastInfosetContext& operator=(const CFastInfosetContext& other);
    virtual ~CFastInfosetContext();
};

} // namespace TsXmlLib16

#endif
