// The base of the class factories that generated code writes to pick the
// concrete class of a polymorphic element from its instance type attribute.
#ifndef TSXMLLIB_CLASSFACTORYBASE_H
#define TSXMLLIB_CLASSFACTORYBASE_H

#include "tsxmllib/Export.h"

#include <string>

namespace TsXmlLib16 {

class CXmlElement;

class TSXMLLIB_EXPORT CClassfactoryBase {
public:
    virtual ~CClassfactoryBase();

protected:
    // The local part of the element's type attribute ("" when absent).
    static std::string GetElementType(CXmlElement* element);
    // The namespace of the element's type: the namespace bound to the type's
    // prefix, or the element's own namespace without a prefix or binding.
    static std::string GetElementTypeNamespaceUri(CXmlElement* element);
};

} // namespace TsXmlLib16

#endif
