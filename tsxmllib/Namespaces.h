// The namespace names defined by the XML standards that the library knows by itself.
#ifndef TSXMLLIB_NAMESPACES_H
#define TSXMLLIB_NAMESPACES_H

namespace TsXmlLib16 {

// Bound to the prefix "xml" in every document.
inline constexpr const char* XmlNamespaceUri = "http://www.w3.org/XML/1998/namespace";
// The namespace of xmlns declarations themselves.
inline constexpr const char* XmlnsNamespaceUri = "http://www.w3.org/2000/xmlns/";
// The instance attributes type, nil, schemaLocation and noNamespaceSchemaLocation.
inline constexpr const char* XmlSchemaInstanceNamespaceUri = "http://www.w3.org/2001/XMLSchema-instance";

} // namespace TsXmlLib16

#endif
