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

// The primitive type of a value: the type tag of variants and the selector of
// text conversions. The writers receive it with every value they write.
enum ItemType {
    ItemType_Invalid = 0,
    ItemType_hexBinary = 1,
    ItemType_base64Binary = 2,
    ItemType_i1 = 3,
    ItemType_i2 = 4,
    ItemType_i4 = 5,
    ItemType_i8 = 6,
    ItemType_ui1 = 7,
    ItemType_ui2 = 8,
    ItemType_ui4 = 9,
    ItemType_ui8 = 10,
    ItemType_r4 = 11,
    ItemType_r8 = 12,
    ItemType_duration = 13,
    ItemType_yearMonth = 14,
    ItemType_monthDay = 15,
    ItemType_year = 16,
    ItemType_month = 17,
    ItemType_day = 18,
    ItemType_date = 19,
    ItemType_datetime = 20,
    ItemType_time = 21,
    ItemType_char = 22,
    ItemType_string = 23,
    ItemType_boolean = 24,
    ItemType_decimal = 25,
    ItemType_integer = 26,
    ItemType_XmlObjectBase = 27,
    ItemType_XmlCollection = 28
};

} // namespace TsXmlLib16

#endif
