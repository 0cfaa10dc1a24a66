// The descriptors of the members of a choice: one class per content kind and cardinality.
#ifndef TSXMLLIB_ELEMENTINFOCHOICE_H
#define TSXMLLIB_ELEMENTINFOCHOICE_H

#include "tsxmllib/ElementInfoMembers.h"

namespace TsXmlLib16Data {

// A collection of any kind that needs no treatment of its own.
class TSXMLLIB_EXPORT CElementInfoChoiceCol : public CElementInfoColMember<CElementInfo::Group_Choice> {
public:
    CElementInfoChoiceCol(const char* name, const char* ns, int propertyIndex);
    ~CElementInfoChoiceCol() override;
};

// A collection of child objects.
class TSXMLLIB_EXPORT CElementInfoChoiceAbsClsCol : public CElementInfoClassColMember<CElementInfoChoiceCol> {
public:
    CElementInfoChoiceAbsClsCol(const char* name, const char* ns, int propertyIndex, XmlElementType childType);
    ~CElementInfoChoiceAbsClsCol() override;
};

// A collection of child objects.
class TSXMLLIB_EXPORT CElementInfoChoiceClsCol : public CElementInfoClassColMember<CElementInfoChoiceCol> {
public:
    CElementInfoChoiceClsCol(const char* name, const char* ns, int propertyIndex, XmlElementType childType);
    ~CElementInfoChoiceClsCol() override;
};

// A collection of simple values.
class TSXMLLIB_EXPORT CElementInfoChoiceEnumCol : public CElementInfoChoiceCol {
public:
    CElementInfoChoiceEnumCol(const char* name, const char* ns, int propertyIndex);
    ~CElementInfoChoiceEnumCol() override;
};

// A collection of simple values.
class TSXMLLIB_EXPORT CElementInfoChoicePrimCol : public CElementInfoChoiceCol {
public:
    CElementInfoChoicePrimCol(const char* name, const char* ns, int propertyIndex);
    ~CElementInfoChoicePrimCol() override;
};

// A child object whose class is chosen from its element.
class TSXMLLIB_EXPORT CElementInfoChoiceAbsClsOpt : public CElementInfoAbsClsMember<CElementInfo::Group_Choice, false> {
public:
    CElementInfoChoiceAbsClsOpt(const char* name, const char* ns, int propertyIndex, XmlElementType childType,
                                ElementClassCreator creator);
    ~CElementInfoChoiceAbsClsOpt() override;
};

// A child object of a fixed class.
class TSXMLLIB_EXPORT CElementInfoChoiceClsOpt : public CElementInfoClsMember<CElementInfo::Group_Choice, false> {
public:
    CElementInfoChoiceClsOpt(const char* name, const char* ns, int propertyIndex, XmlElementType childType,
                             ClassIdCreator creator, int classId);
    ~CElementInfoChoiceClsOpt() override;
};

// An enumerated value.
class TSXMLLIB_EXPORT CElementInfoChoiceEnumOpt : public CElementInfoValueMember<CElementInfo::Group_Choice, false, true> {
public:
    CElementInfoChoiceEnumOpt(const char* name, const char* ns, int propertyIndex, bool nillable,
                              EnumToTextFunction enumToText, TextToEnumFunction textToEnum,
                              const char* defaultValue);
    ~CElementInfoChoiceEnumOpt() override;
};

// A primitive value.
class TSXMLLIB_EXPORT CElementInfoChoicePrimOpt : public CElementInfoValueMember<CElementInfo::Group_Choice, false, false> {
public:
    CElementInfoChoicePrimOpt(const char* name, const char* ns, int propertyIndex, bool nillable,
                              TsXmlLib16::ItemType itemType, const char* format,
                              TsXmlLib16::CWhitespaceUtils::WhitespaceRule whitespaceRule,
                              const TsXmlLib16::CPrimitiveRestrictions& restrictions, const char* defaultValue);
    ~CElementInfoChoicePrimOpt() override;
};

// A collection of wildcard elements.
class TSXMLLIB_EXPORT CElementInfoChoiceUntpdCol : public CElementInfoUntpdColMember<CElementInfoChoiceCol> {
public:
    CElementInfoChoiceUntpdCol(const char* name, const char* ns, int propertyIndex);
    ~CElementInfoChoiceUntpdCol() override;
};

// A wildcard element held as an untyped element.
class TSXMLLIB_EXPORT CElementInfoChoiceUntpdOpt : public CElementInfoUntpdMember<CElementInfo::Group_Choice, false> {
public:
    CElementInfoChoiceUntpdOpt(const char* name, const char* ns, int propertyIndex, const char* constraint,
                               const char* targetNamespace);
    ~CElementInfoChoiceUntpdOpt() override;
};

} // namespace TsXmlLib16Data

#endif
