#include "tsxmllib/TypedCollections.h"

namespace TsXmlLib16 {

// Every item type is compiled here once, so that the library itself checks
// each instantiation; applications instantiate the inline members they use.
template class CTypedCol<ItemType_hexBinary>;
template class CTypedCol<ItemType_base64Binary>;
template class CTypedCol<ItemType_i1>;
template class CTypedCol<ItemType_i2>;
template class CTypedCol<ItemType_i4>;
template class CTypedCol<ItemType_i8>;
template class CTypedCol<ItemType_ui1>;
template class CTypedCol<ItemType_ui2>;
template class CTypedCol<ItemType_ui4>;
template class CTypedCol<ItemType_ui8>;
template class CTypedCol<ItemType_r4>;
template class CTypedCol<ItemType_r8>;
template class CTypedCol<ItemType_duration>;
template class CTypedCol<ItemType_year>;
template class CTypedCol<ItemType_month>;
template class CTypedCol<ItemType_day>;
template class CTypedCol<ItemType_string>;
template class CTypedCol<ItemType_boolean>;
template class CTypedCol<ItemType_decimal>;
template class CTypedCol<ItemType_integer>;

#define TSXMLLIB_DEFINE_TYPED_COLLECTION(Name, Type)                                                               \
    Name::Name(TSXMLLIB_TYPEDCOL_PARAMS)                                                                           \
        : CTypedCol<Type>(TSXMLLIB_TYPEDCOL_ARGS), TS_INSTANCE_MONITOR(#Name)                                      \
    {                                                                                                              \
    }                                                                                                              \
    Name::~Name() = default;

TSXMLLIB_DEFINE_TYPED_COLLECTION(ChexBinaryCol, ItemType_hexBinary)
TSXMLLIB_DEFINE_TYPED_COLLECTION(Cbase64BinaryCol, ItemType_base64Binary)
TSXMLLIB_DEFINE_TYPED_COLLECTION(Ci1Col, ItemType_i1)
TSXMLLIB_DEFINE_TYPED_COLLECTION(Ci2Col, ItemType_i2)
TSXMLLIB_DEFINE_TYPED_COLLECTION(Ci4Col, ItemType_i4)
TSXMLLIB_DEFINE_TYPED_COLLECTION(Ci8Col, ItemType_i8)
TSXMLLIB_DEFINE_TYPED_COLLECTION(Cui1Col, ItemType_ui1)
TSXMLLIB_DEFINE_TYPED_COLLECTION(Cui2Col, ItemType_ui2)
TSXMLLIB_DEFINE_TYPED_COLLECTION(Cui4Col, ItemType_ui4)
TSXMLLIB_DEFINE_TYPED_COLLECTION(Cui8Col, ItemType_ui8)
TSXMLLIB_DEFINE_TYPED_COLLECTION(Cr4Col, ItemType_r4)
TSXMLLIB_DEFINE_TYPED_COLLECTION(Cr8Col, ItemType_r8)
TSXMLLIB_DEFINE_TYPED_COLLECTION(CdurationCol, ItemType_duration)
TSXMLLIB_DEFINE_TYPED_COLLECTION(CyearCol, ItemType_year)
TSXMLLIB_DEFINE_TYPED_COLLECTION(CmonthCol, ItemType_month)
TSXMLLIB_DEFINE_TYPED_COLLECTION(CdayCol, ItemType_day)
TSXMLLIB_DEFINE_TYPED_COLLECTION(CstringCol, ItemType_string)
TSXMLLIB_DEFINE_TYPED_COLLECTION(CbooleanCol, ItemType_boolean)
TSXMLLIB_DEFINE_TYPED_COLLECTION(CdecimalCol, ItemType_decimal)
TSXMLLIB_DEFINE_TYPED_COLLECTION(CintegerCol, ItemType_integer)

#undef TSXMLLIB_DEFINE_TYPED_COLLECTION

} // namespace TsXmlLib16
