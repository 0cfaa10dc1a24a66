#include "tsxmllib/ElementInfoAll.h"

namespace TsXmlLib16Data {

CElementInfoAllCol::CElementInfoAllCol(const char* name, const char* ns, int propertyIndex)
    : CElementInfoColMember<CElementInfo::Group_All>(name, ns, propertyIndex)
{
}

CElementInfoAllCol::~CElementInfoAllCol() = default;

CElementInfoAllAbsClsCol::CElementInfoAllAbsClsCol(const char* name, const char* ns, int propertyIndex,
                                                    XmlElementType childType)
    : CElementInfoClassColMember<CElementInfoAllCol>(name, ns, propertyIndex, childType)
{
}

CElementInfoAllAbsClsCol::~CElementInfoAllAbsClsCol() = default;

CElementInfoAllClsCol::CElementInfoAllClsCol(const char* name, const char* ns, int propertyIndex,
                                              XmlElementType childType)
    : CElementInfoClassColMember<CElementInfoAllCol>(name, ns, propertyIndex, childType)
{
}

CElementInfoAllClsCol::~CElementInfoAllClsCol() = default;

CElementInfoAllPrimCol::CElementInfoAllPrimCol(const char* name, const char* ns, int propertyIndex)
    : CElementInfoAllCol(name, ns, propertyIndex)
{
}

CElementInfoAllPrimCol::~CElementInfoAllPrimCol() = default;

CElementInfoAllEnumCol::CElementInfoAllEnumCol(const char* name, const char* ns, int propertyIndex)
    : CElementInfoColMember<CElementInfo::Group_All>(name, ns, propertyIndex)
{
}

CElementInfoAllEnumCol::~CElementInfoAllEnumCol() = default;

CElementInfoAllAbsClsMnd::CElementInfoAllAbsClsMnd(const char* name, const char* ns, int propertyIndex,
                                                    XmlElementType childType, ElementClassCreator creator,
                                                    int reserved)
    : CElementInfoAbsClsMember<CElementInfo::Group_All, true>(name, ns, propertyIndex, childType, creator), m_reserved(reserved)
{
}

CElementInfoAllAbsClsMnd::~CElementInfoAllAbsClsMnd() = default;

CElementInfoAllClsMnd::CElementInfoAllClsMnd(const char* name, const char* ns, int propertyIndex,
                                              XmlElementType childType, ClassIdCreator creator, int classId,
                                              bool mustConsume)
    : CElementInfoClsMember<CElementInfo::Group_All, true>(name, ns, propertyIndex, childType, creator, classId, mustConsume)
{
}

CElementInfoAllClsMnd::~CElementInfoAllClsMnd() = default;

CElementInfoAllEnumMnd::CElementInfoAllEnumMnd(const char* name, const char* ns, int propertyIndex,
                                                bool nillable, EnumToTextFunction enumToText,
                                                TextToEnumFunction textToEnum, const char* defaultValue)
    : CElementInfoValueMember<CElementInfo::Group_All, true, true>(name, ns, propertyIndex, nillable, enumToText, textToEnum, defaultValue)
{
}

CElementInfoAllEnumMnd::~CElementInfoAllEnumMnd() = default;

CElementInfoAllPrimMnd::CElementInfoAllPrimMnd(const char* name, const char* ns, int propertyIndex,
                                                bool nillable, TsXmlLib16::ItemType itemType,
                                                const char* format,
                                                TsXmlLib16::CWhitespaceUtils::WhitespaceRule whitespaceRule,
                                                const TsXmlLib16::CPrimitiveRestrictions& restrictions,
                                                const char* defaultValue)
    : CElementInfoValueMember<CElementInfo::Group_All, true, false>(name, ns, propertyIndex, nillable, itemType, format, whitespaceRule, restrictions, defaultValue)
{
}

CElementInfoAllPrimMnd::~CElementInfoAllPrimMnd() = default;

CElementInfoAllAbsClsOpt::CElementInfoAllAbsClsOpt(const char* name, const char* ns, int propertyIndex,
                                                    XmlElementType childType, ElementClassCreator creator)
    : CElementInfoAbsClsMember<CElementInfo::Group_All, false>(name, ns, propertyIndex, childType, creator)
{
}

CElementInfoAllAbsClsOpt::~CElementInfoAllAbsClsOpt() = default;

CElementInfoAllClsOpt::CElementInfoAllClsOpt(const char* name, const char* ns, int propertyIndex,
                                              XmlElementType childType, ClassIdCreator creator, int classId)
    : CElementInfoClsMember<CElementInfo::Group_All, false>(name, ns, propertyIndex, childType, creator, classId, false)
{
}

CElementInfoAllClsOpt::~CElementInfoAllClsOpt() = default;

CElementInfoAllEnumOpt::CElementInfoAllEnumOpt(const char* name, const char* ns, int propertyIndex,
                                                bool nillable, EnumToTextFunction enumToText,
                                                TextToEnumFunction textToEnum, const char* defaultValue)
    : CElementInfoValueMember<CElementInfo::Group_All, false, true>(name, ns, propertyIndex, nillable, enumToText, textToEnum, defaultValue)
{
}

CElementInfoAllEnumOpt::~CElementInfoAllEnumOpt() = default;

CElementInfoAllPrimOpt::CElementInfoAllPrimOpt(const char* name, const char* ns, int propertyIndex,
                                                bool nillable, TsXmlLib16::ItemType itemType,
                                                const char* format,
                                                TsXmlLib16::CWhitespaceUtils::WhitespaceRule whitespaceRule,
                                                const TsXmlLib16::CPrimitiveRestrictions& restrictions,
                                                const char* defaultValue)
    : CElementInfoValueMember<CElementInfo::Group_All, false, false>(name, ns, propertyIndex, nillable, itemType, format, whitespaceRule, restrictions, defaultValue)
{
}

CElementInfoAllPrimOpt::~CElementInfoAllPrimOpt() = default;

CElementInfoAllUntpdCol::CElementInfoAllUntpdCol(const char* name, const char* ns, int propertyIndex)
    : CElementInfoUntpdColMember<CElementInfoAllCol>(name, ns, propertyIndex)
{
}

CElementInfoAllUntpdCol::~CElementInfoAllUntpdCol() = default;

CElementInfoAllUntpdMnd::CElementInfoAllUntpdMnd(const char* name, const char* ns, int propertyIndex, const char* constraint,
                                                 const char* targetNamespace)
    : CElementInfoUntpdMember<CElementInfo::Group_All, true>(name, ns, propertyIndex, constraint, targetNamespace)
{
}

CElementInfoAllUntpdMnd::~CElementInfoAllUntpdMnd() = default;

CElementInfoAllUntpdOpt::CElementInfoAllUntpdOpt(const char* name, const char* ns, int propertyIndex, const char* constraint,
                                                 const char* targetNamespace)
    : CElementInfoUntpdMember<CElementInfo::Group_All, false>(name, ns, propertyIndex, constraint, targetNamespace)
{
}

CElementInfoAllUntpdOpt::~CElementInfoAllUntpdOpt() = default;

} // namespace TsXmlLib16Data
