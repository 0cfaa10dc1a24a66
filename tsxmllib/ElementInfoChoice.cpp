#include "tsxmllib/ElementInfoChoice.h"

namespace TsXmlLib16Data {

CElementInfoChoiceCol::CElementInfoChoiceCol(const char* name, const char* ns, int propertyIndex)
    : CElementInfoColMember<CElementInfo::Group_Choice>(name, ns, propertyIndex)
{
}

CElementInfoChoiceCol::~CElementInfoChoiceCol() = default;

CElementInfoChoiceAbsClsCol::CElementInfoChoiceAbsClsCol(const char* name, const char* ns, int propertyIndex,
                                                          XmlElementType childType)
    : CElementInfoClassColMember<CElementInfoChoiceCol>(name, ns, propertyIndex, childType)
{
}

CElementInfoChoiceAbsClsCol::~CElementInfoChoiceAbsClsCol() = default;

CElementInfoChoiceClsCol::CElementInfoChoiceClsCol(const char* name, const char* ns, int propertyIndex,
                                                    XmlElementType childType)
    : CElementInfoClassColMember<CElementInfoChoiceCol>(name, ns, propertyIndex, childType)
{
}

CElementInfoChoiceClsCol::~CElementInfoChoiceClsCol() = default;

CElementInfoChoiceEnumCol::CElementInfoChoiceEnumCol(const char* name, const char* ns, int propertyIndex)
    : CElementInfoChoiceCol(name, ns, propertyIndex)
{
}

CElementInfoChoiceEnumCol::~CElementInfoChoiceEnumCol() = default;

CElementInfoChoicePrimCol::CElementInfoChoicePrimCol(const char* name, const char* ns, int propertyIndex)
    : CElementInfoChoiceCol(name, ns, propertyIndex)
{
}

CElementInfoChoicePrimCol::~CElementInfoChoicePrimCol() = default;

CElementInfoChoiceAbsClsOpt::CElementInfoChoiceAbsClsOpt(const char* name, const char* ns, int propertyIndex,
                                                          XmlElementType childType,
                                                          ElementClassCreator creator)
    : CElementInfoAbsClsMember<CElementInfo::Group_Choice, false>(name, ns, propertyIndex, childType, creator)
{
}

CElementInfoChoiceAbsClsOpt::~CElementInfoChoiceAbsClsOpt() = default;

CElementInfoChoiceClsOpt::CElementInfoChoiceClsOpt(const char* name, const char* ns, int propertyIndex,
                                                    XmlElementType childType, ClassIdCreator creator,
                                                    int classId)
    : CElementInfoClsMember<CElementInfo::Group_Choice, false>(name, ns, propertyIndex, childType, creator, classId, false)
{
}

CElementInfoChoiceClsOpt::~CElementInfoChoiceClsOpt() = default;

CElementInfoChoiceEnumOpt::CElementInfoChoiceEnumOpt(const char* name, const char* ns, int propertyIndex,
                                                      bool nillable, EnumToTextFunction enumToText,
                                                      TextToEnumFunction textToEnum, const char* defaultValue)
    : CElementInfoValueMember<CElementInfo::Group_Choice, false, true>(name, ns, propertyIndex, nillable, enumToText, textToEnum, defaultValue)
{
}

CElementInfoChoiceEnumOpt::~CElementInfoChoiceEnumOpt() = default;

CElementInfoChoicePrimOpt::CElementInfoChoicePrimOpt(const char* name, const char* ns, int propertyIndex,
                                                      bool nillable, TsXmlLib16::ItemType itemType,
                                                      const char* format,
                                                      TsXmlLib16::CWhitespaceUtils::WhitespaceRule whitespaceRule,
                                                      const TsXmlLib16::CPrimitiveRestrictions& restrictions,
                                                      const char* defaultValue)
    : CElementInfoValueMember<CElementInfo::Group_Choice, false, false>(name, ns, propertyIndex, nillable, itemType, format, whitespaceRule, restrictions, defaultValue)
{
}

CElementInfoChoicePrimOpt::~CElementInfoChoicePrimOpt() = default;

CElementInfoChoiceUntpdCol::CElementInfoChoiceUntpdCol(const char* name, const char* ns, int propertyIndex)
    : CElementInfoUntpdColMember<CElementInfoChoiceCol>(name, ns, propertyIndex)
{
}

CElementInfoChoiceUntpdCol::~CElementInfoChoiceUntpdCol() = default;

CElementInfoChoiceUntpdOpt::CElementInfoChoiceUntpdOpt(const char* name, const char* ns, int propertyIndex, const char* constraint,
                                                       const char* targetNamespace)
    : CElementInfoUntpdMember<CElementInfo::Group_Choice, false>(name, ns, propertyIndex, constraint, targetNamespace)
{
}

CElementInfoChoiceUntpdOpt::~CElementInfoChoiceUntpdOpt() = default;

} // namespace TsXmlLib16Data
