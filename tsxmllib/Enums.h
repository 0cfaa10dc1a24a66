// Enumerations shared by the entry points, the writers and the readers.
#ifndef TSXMLLIB_ENUMS_H
#define TSXMLLIB_ENUMS_H

namespace TsXmlLib16 {

// Character encoding of text output.
enum XmlEncoding {
    XmlEncoding_Unknown = 0,    // text wanted as the library's narrow string, no bytes
    XmlEncoding_UTF8 = 1,
    XmlEncoding_UTF16 = 2,      // UTF-16LE, FF FE at the start of a file
    XmlEncoding_UTF16NoDecl = 3 // UTF-16LE without encoding attribute in the header
};

// Line end written by the text writers.
enum EOLType { EOLType_CRLF = 0, EOLType_LF = 1 };

// Compression of byte output.
enum CompressionType { CompressionType_None = 0, CompressionType_GZIP = 1, CompressionType_ZLIB = 2 };

// The XML declaration in front of a Fast Infoset document.
enum FInfoDecl {
    FInfoDecl_None = 0,
    FInfoDecl_Encoding = 1,
    FInfoDecl_EncodingStandaloneYes = 2,
    FInfoDecl_EncodingStandaloneNo = 3,
    FInfoDecl_Version10 = 4,
    FInfoDecl_Version10StandaloneYes = 5,
    FInfoDecl_Version10StandaloneNo = 6,
    FInfoDecl_Version11 = 7,
    FInfoDecl_Version11StandaloneYes = 8,
    FInfoDecl_Version11StandaloneNo = 9
};

// How documents treat namespaces: SchemaType_NoNamespaces makes every reader
// match names on the local name alone.
enum SchemaType { SchemaType_Default = 0, SchemaType_Namespaces = 1, SchemaType_NoNamespaces = 2 };

// How much XML information the JSON form keeps.
enum JsonRoundTrip { JsonRoundTrip_None = 0, JsonRoundTrip_Standard = 1, JsonRoundTrip_Full = 2 };

} // namespace TsXmlLib16

#endif
