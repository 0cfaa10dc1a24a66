// The collections of primitive values, one class per XML Schema type. Each is
// a run of sibling elements with the collection's element name, one per item.
// The date and time collections are declared in DatetimeBaseCol.h, which this
// header includes, so that one include brings all of them.
#ifndef TSXMLLIB_TYPEDCOLLECTIONS_H
#define TSXMLLIB_TYPEDCOLLECTIONS_H

#include "tsxmllib/DatetimeBaseCol.h"
#include "tsxmllib/MemoryLeakHelp.h"
#include "tsxmllib/TypedCol.h"

namespace TsXmlLib16 {

// xs:hexBinary values; Item returns a copy that shares the bytes.
class TSXMLLIB_EXPORT ChexBinaryCol : public CTypedCol<ItemType_hexBinary>, private CInstanceMonitor {
public:
    ChexBinaryCol(TSXMLLIB_TYPEDCOL_PARAMS);
    ChexBinaryCol(const ChexBinaryCol&) = default;
    ChexBinaryCol& operator=(const ChexBinaryCol&) = default;
    ~ChexBinaryCol() override;
};

// xs:base64Binary values; Item returns a copy that shares the bytes.
class TSXMLLIB_EXPORT Cbase64BinaryCol : public CTypedCol<ItemType_base64Binary>, private CInstanceMonitor {
public:
    Cbase64BinaryCol(TSXMLLIB_TYPEDCOL_PARAMS);
    Cbase64BinaryCol(const Cbase64BinaryCol&) = default;
    Cbase64BinaryCol& operator=(const Cbase64BinaryCol&) = default;
    ~Cbase64BinaryCol() override;
};

// xs:byte values.
class TSXMLLIB_EXPORT Ci1Col : public CTypedCol<ItemType_i1>, private CInstanceMonitor {
public:
    Ci1Col(TSXMLLIB_TYPEDCOL_PARAMS);
    Ci1Col(const Ci1Col&) = default;
    Ci1Col& operator=(const Ci1Col&) = default;
    ~Ci1Col() override;
};

// xs:short values.
class TSXMLLIB_EXPORT Ci2Col : public CTypedCol<ItemType_i2>, private CInstanceMonitor {
public:
    Ci2Col(TSXMLLIB_TYPEDCOL_PARAMS);
    Ci2Col(const Ci2Col&) = default;
    Ci2Col& operator=(const Ci2Col&) = default;
    ~Ci2Col() override;
};

// xs:int values.
class TSXMLLIB_EXPORT Ci4Col : public CTypedCol<ItemType_i4>, private CInstanceMonitor {
public:
    Ci4Col(TSXMLLIB_TYPEDCOL_PARAMS);
    Ci4Col(const Ci4Col&) = default;
    Ci4Col& operator=(const Ci4Col&) = default;
    ~Ci4Col() override;
};

// xs:long values.
class TSXMLLIB_EXPORT Ci8Col : public CTypedCol<ItemType_i8>, private CInstanceMonitor {
public:
    Ci8Col(TSXMLLIB_TYPEDCOL_PARAMS);
    Ci8Col(const Ci8Col&) = default;
    Ci8Col& operator=(const Ci8Col&) = default;
    ~Ci8Col() override;
};

// xs:unsignedByte values.
class TSXMLLIB_EXPORT Cui1Col : public CTypedCol<ItemType_ui1>, private CInstanceMonitor {
public:
    Cui1Col(TSXMLLIB_TYPEDCOL_PARAMS);
    Cui1Col(const Cui1Col&) = default;
    Cui1Col& operator=(const Cui1Col&) = default;
    ~Cui1Col() override;
};

// xs:unsignedShort values.
class TSXMLLIB_EXPORT Cui2Col : public CTypedCol<ItemType_ui2>, private CInstanceMonitor {
public:
    Cui2Col(TSXMLLIB_TYPEDCOL_PARAMS);
    Cui2Col(const Cui2Col&) = default;
    Cui2Col& operator=(const Cui2Col&) = default;
    ~Cui2Col() override;
};

// xs:unsignedInt values.
class TSXMLLIB_EXPORT Cui4Col : public CTypedCol<ItemType_ui4>, private CInstanceMonitor {
public:
    Cui4Col(TSXMLLIB_TYPEDCOL_PARAMS);
    Cui4Col(const Cui4Col&) = default;
    Cui4Col& operator=(const Cui4Col&) = default;
    ~Cui4Col() override;
};

// xs:unsignedLong values.
class TSXMLLIB_EXPORT Cui8Col : public CTypedCol<ItemType_ui8>, private CInstanceMonitor {
public:
    Cui8Col(TSXMLLIB_TYPEDCOL_PARAMS);
    Cui8Col(const Cui8Col&) = default;
    Cui8Col& operator=(const Cui8Col&) = default;
    ~Cui8Col() override;
};

// xs:float values, written with the collection's format string.
class TSXMLLIB_EXPORT Cr4Col : public CTypedCol<ItemType_r4>, private CInstanceMonitor {
public:
    Cr4Col(TSXMLLIB_TYPEDCOL_PARAMS);
    Cr4Col(const Cr4Col&) = default;
    Cr4Col& operator=(const Cr4Col&) = default;
    ~Cr4Col() override;
};

// xs:double values, written with the collection's format string.
class TSXMLLIB_EXPORT Cr8Col : public CTypedCol<ItemType_r8>, private CInstanceMonitor {
public:
    Cr8Col(TSXMLLIB_TYPEDCOL_PARAMS);
    Cr8Col(const Cr8Col&) = default;
    Cr8Col& operator=(const Cr8Col&) = default;
    ~Cr8Col() override;
};

// xs:duration values.
class TSXMLLIB_EXPORT CdurationCol : public CTypedCol<ItemType_duration>, private CInstanceMonitor {
public:
    CdurationCol(TSXMLLIB_TYPEDCOL_PARAMS);
    CdurationCol(const CdurationCol&) = default;
    CdurationCol& operator=(const CdurationCol&) = default;
    ~CdurationCol() override;
};

// xs:gYear values held as the year number.
class TSXMLLIB_EXPORT CyearCol : public CTypedCol<ItemType_year>, private CInstanceMonitor {
public:
    CyearCol(TSXMLLIB_TYPEDCOL_PARAMS);
    CyearCol(const CyearCol&) = default;
    CyearCol& operator=(const CyearCol&) = default;
    ~CyearCol() override;
};

// xs:gMonth values held as the month number, written --MM.
class TSXMLLIB_EXPORT CmonthCol : public CTypedCol<ItemType_month>, private CInstanceMonitor {
public:
    CmonthCol(TSXMLLIB_TYPEDCOL_PARAMS);
    CmonthCol(const CmonthCol&) = default;
    CmonthCol& operator=(const CmonthCol&) = default;
    ~CmonthCol() override;
};

// xs:gDay values held as the day number, written ---DD.
class TSXMLLIB_EXPORT CdayCol : public CTypedCol<ItemType_day>, private CInstanceMonitor {
public:
    CdayCol(TSXMLLIB_TYPEDCOL_PARAMS);
    CdayCol(const CdayCol&) = default;
    CdayCol& operator=(const CdayCol&) = default;
    ~CdayCol() override;
};

// Strings; the whitespace rule is applied when reading.
class TSXMLLIB_EXPORT CstringCol : public CTypedCol<ItemType_string>, private CInstanceMonitor {
public:
    CstringCol(TSXMLLIB_TYPEDCOL_PARAMS);
    CstringCol(const CstringCol&) = default;
    CstringCol& operator=(const CstringCol&) = default;
    ~CstringCol() override;
};

// xs:boolean values, stored as a bit vector.
class TSXMLLIB_EXPORT CbooleanCol : public CTypedCol<ItemType_boolean>, private CInstanceMonitor {
public:
    CbooleanCol(TSXMLLIB_TYPEDCOL_PARAMS);
    CbooleanCol(const CbooleanCol&) = default;
    CbooleanCol& operator=(const CbooleanCol&) = default;
    ~CbooleanCol() override;
};

// xs:decimal values; a format string gives the number of fraction digits written.
class TSXMLLIB_EXPORT CdecimalCol : public CTypedCol<ItemType_decimal>, private CInstanceMonitor {
public:
    CdecimalCol(TSXMLLIB_TYPEDCOL_PARAMS);
    CdecimalCol(const CdecimalCol&) = default;
    CdecimalCol& operator=(const CdecimalCol&) = default;
    ~CdecimalCol() override;
};

// xs:integer values of any size.
class TSXMLLIB_EXPORT CintegerCol : public CTypedCol<ItemType_integer>, private CInstanceMonitor {
public:
    CintegerCol(TSXMLLIB_TYPEDCOL_PARAMS);
    CintegerCol(const CintegerCol&) = default;
    CintegerCol& operator=(const CintegerCol&) = default;
    ~CintegerCol() override;
};

} // namespace TsXmlLib16

#endif
