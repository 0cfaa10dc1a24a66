// Options of the JSON form, owned by the serialization context.
#ifndef TSXMLLIB_JSONCONTEXT_H
#define TSXMLLIB_JSONCONTEXT_H

#include "tsxmllib/Enums.h"
#include "tsxmllib/Export.h"

#include <string>

namespace TsXmlLib16 {

class TSXMLLIB_EXPORT CJsonContext {
public:
    CJsonContext() = default;
    CJsonContext(const CJsonContext&) = default;
    CJsonContext& operator=(const CJsonContext&) = default;
    virtual ~CJsonContext() = default;

    JsonRoundTrip GetSupportRoundtrip() const { return m_roundTrip; }
    void SetSupportRoundtrip(JsonRoundTrip mode) { m_roundTrip = mode; }
    std::string GetRootElementName() const { return m_rootElementName; }
    void SetRootElementName(const char* name) { m_rootElementName = name ? name : ""; }
    bool GetAllowComments() const { return m_allowComments; }
    void GetAllowComments(bool allow) { m_allowComments = allow; }

private:
    JsonRoundTrip m_roundTrip = JsonRoundTrip_Full;
    std::string m_rootElementName;
    bool m_allowComments = true;
};

} // namespace TsXmlLib16

#endif
