#include "tsxmllib/ElementInfoSeq.h"

namespace TsXmlLib16Data {

CElementInfoSeqCol::CElementInfoSeqCol(const char* name, const char* ns, int propertyIndex)
    : CElementInfoColMember<CElementInfo::Group_Seq>(name, ns, propertyIndex)
{
}

CElementInfoSeqCol::~CElementInfoSeqCol() = default;

CElementInfoSeqAbsClsCol::CElementInfoSeqAbsClsCol(const char* name, const char* ns, int propertyIndex,
                                                    XmlElementType childType)
    : CElementInfoClassColMember<CElementInfoSeqCol>(name, ns, propertyIndex, childType)
{
}

CElementInfoSeqAbsClsCol::~CElementInfoSeqAbsClsCol() = default;

CElementInfoSeqClsCol::CElementInfoSeqClsCol(const char* name, const char* ns, int propertyIndex,
                                              XmlElementType childType)
    : CElementInfoClassColMember<CElementInfoSeqCol>(name, ns, propertyIndex, childType)
{
}

CElementInfoSeqClsCol::~CElementInfoSeqClsCol() = default;

CElementInfoSeqEnumCol::CElementInfoSeqEnumCol(const char* name, const char* ns, int propertyIndex)
    : CElementInfoSeqCol(name, ns, propertyIndex)
{
}

CElementInfoSeqEnumCol::~CElementInfoSeqEnumCol() = default;

CElementInfoSeqPrimCol::CElementInfoSeqPrimCol(const char* name, const char* ns, int propertyIndex)
    : CElementInfoSeqCol(name, ns, propertyIndex)
{
}

CElementInfoSeqPrimCol::~CElementInfoSeqPrimCol() = default;

CElementInfoSeqAbsClsMnd::CElementInfoSeqAbsClsMnd(const char* name, const char* ns, int propertyIndex,
                                                    XmlElementType childType, ElementClassCreator creator)
    : CElementInfoAbsClsMember<CElementInfo::Group_Seq, true>(name, ns, propertyIndex, childType, creator)
{
}

CElementInfoSeqAbsClsMnd::~CElementInfoSeqAbsClsMnd() = default;

CElementInfoSeqClsMnd::CElementInfoSeqClsMnd(const char* name, const char* ns, int propertyIndex,
                                              XmlElementType childType, ClassIdCreator creator, int classId,
                                              bool mustConsume)
    : CElementInfoClsMember<CElementInfo::Group_Seq, true>(name, ns, propertyIndex, childType, creator, classId, mustConsume)
{
}

CElementInfoSeqClsMnd::~CElementInfoSeqClsMnd() = default;

CElementInfoSeqEnumMnd::CElementInfoSeqEnumMnd(const char* name, const char* ns, int propertyIndex,
                                                bool nillable, EnumToTextFunction enumToText,
                                                TextToEnumFunction textToEnum, const char* defaultValue)
    : CElementInfoValueMember<CElementInfo::Group_Seq, true, true>(name, ns, propertyIndex, nillable, enumToText, textToEnum, defaultValue)
{
}

CElementInfoSeqEnumMnd::~CElementInfoSeqEnumMnd() = default;

CElementInfoSeqPrimMnd::CElementInfoSeqPrimMnd(const char* name, const char* ns, int propertyIndex,
                                                bool nillable, TsXmlLib16::ItemType itemType,
                                                const char* format,
                                                TsXmlLib16::CWhitespaceUtils::WhitespaceRule whitespaceRule,
                                                const TsXmlLib16::CPrimitiveRestrictions& restrictions,
                                                const char* defaultValue)
    : CElementInfoValueMember<CElementInfo::Group_Seq, true, false>(name, ns, propertyIndex, nillable, itemType, format, whitespaceRule, restrictions, defaultValue)
{
}

CElementInfoSeqPrimMnd::~CElementInfoSeqPrimMnd() = default;

CElementInfoSeqAbsClsOpt::CElementInfoSeqAbsClsOpt(const char* name, const char* ns, int propertyIndex,
                                                    XmlElementType childType, ElementClassCreator creator)
    : CElementInfoAbsClsMember<CElementInfo::Group_Seq, false>(name, ns, propertyIndex, childType, creator)
{
}

CElementInfoSeqAbsClsOpt::~CElementInfoSeqAbsClsOpt() = default;

CElementInfoSeqClsOpt::CElementInfoSeqClsOpt(const char* name, const char* ns, int propertyIndex,
                                              XmlElementType childType, ClassIdCreator creator, int classId)
    : CElementInfoClsMember<CElementInfo::Group_Seq, false>(name, ns, propertyIndex, childType, creator, classId, false)
{
}

CElementInfoSeqClsOpt::~CElementInfoSeqClsOpt() = default;

CElementInfoSeqEnumOpt::CElementInfoSeqEnumOpt(const char* name, const char* ns, int propertyIndex,
                                                bool nillable, EnumToTextFunction enumToText,
                                                TextToEnumFunction textToEnum, const char* defaultValue)
    : CElementInfoValueMember<CElementInfo::Group_Seq, false, true>(name, ns, propertyIndex, nillable, enumToText, textToEnum, defaultValue)
{
}

CElementInfoSeqEnumOpt::~CElementInfoSeqEnumOpt() = default;

CElementInfoSeqPrimOpt::CElementInfoSeqPrimOpt(const char* name, const char* ns, int propertyIndex,
                                                bool nillable, TsXmlLib16::ItemType itemType,
                                                const char* format,
                                                TsXmlLib16::CWhitespaceUtils::WhitespaceRule whitespaceRule,
                                                const TsXmlLib16::CPrimitiveRestrictions& restrictions,
                                                const char* defaultValue)
    : CElementInfoValueMember<CElementInfo::Group_Seq, false, false>(name, ns, propertyIndex, nillable, itemType, format, whitespaceRule, restrictions, defaultValue)
{
}

CElementInfoSeqPrimOpt::~CElementInfoSeqPrimOpt() = default;

CElementInfoSeqUntpdCol::CElementInfoSeqUntpdCol(const char* name, const char* ns, int propertyIndex)
    : CElementInfoUntpdColMember<CElementInfoSeqCol>(name, ns, propertyIndex)
{
}

CElementInfoSeqUntpdCol::~CElementInfoSeqUntpdCol() = default;

CElementInfoSeqUntpdMnd::CElementInfoSeqUntpdMnd(const char* name, const char* ns, int propertyIndex, const char* constraint,
                                                 const char* targetNamespace)
    : CElementInfoUntpdMember<CElementInfo::Group_Seq, true>(name, ns, propertyIndex, constraint, targetNamespace)
{
}

CElementInfoSeqUntpdMnd::~CElementInfoSeqUntpdMnd() = default;

CElementInfoSeqUntpdOpt::CElementInfoSeqUntpdOpt(const char* name, const char* ns, int propertyIndex, const char* constraint,
                                                 const char* targetNamespace)
    : CElementInfoUntpdMember<CElementInfo::Group_Seq, false>(name, ns, propertyIndex, constraint, targetNamespace)
{
}

CElementInfoSeqUntpdOpt::~CElementInfoSeqUntpdOpt() = default;

} // namespace TsXmlLib16Data
