// The descriptors of the members of a sequence: one class per content kind and cardinality.
#ifndef TSXMLLIB_ELEMENTINFOSEQ_H
#define TSXMLLIB_ELEMENTINFOSEQ_H

#include "tsxmllib/ElementInfoMembers.h"

namespace TsXmlLib16Data {

// A collection of any kind that needs no treatment of its own.
class TSXMLLIB_EXPORT CElementInfoSeqCol : public CElementInfoColMember<CElementInfo::Group_Seq> {
public:
    CElementInfoSeqCol(const char* name, const char* ns, int propertyIndex);
    ~CElementInfoSeqCol() override;
};

// A collection of child objects.
class TSXMLLIB_EXPORT CElementInfoSeqAbsClsCol : public CElementInfoClassColMember<CElementInfoSeqCol> {
public:
    CElementInfoSeqAbsClsCol(const char* name, const char* ns, int propertyIndex, XmlElementType childType);
    ~CElementInfoSeqAbsClsCol() override;
};

// A collection of child objects.
class TSXMLLIB_EXPORT CElementInfoSeqClsCol : public CElementInfoClassColMember<CElementInfoSeqCol> {
public:
    CElementInfoSeqClsCol(const char* name, const char* ns, int propertyIndex, XmlElementType childType);
    ~CElementInfoSeqClsCol() override;
};

// A collection of simple values.
class TSXMLLIB_EXPORT CElementInfoSeqEnumCol : public CElementInfoSeqCol {
public:
    CElementInfoSeqEnumCol(const char* name, const char* ns, int propertyIndex);
    ~CElementInfoSeqEnumCol() override;
};

// A collection of simple values.
class TSXMLLIB_EXPORT CElementInfoSeqPrimCol : public CElementInfoSeqCol {
public:
    CElementInfoSeqPrimCol(const char* name, const char* ns, int propertyIndex);
    ~CElementInfoSeqPrimCol() override;
};

// A child object whose class is chosen from its element.
class TSXMLLIB_EXPORT CElementInfoSeqAbsClsMnd : public CElementInfoAbsClsMember<CElementInfo::Group_Seq, true> {
public:
    CElementInfoSeqAbsClsMnd(const char* name, const char* ns, int propertyIndex, XmlElementType childType,
                             ElementClassCreator creator);
    ~CElementInfoSeqAbsClsMnd() override;
};

// A child object of a fixed class.
class TSXMLLIB_EXPORT CElementInfoSeqClsMnd : public CElementInfoClsMember<CElementInfo::Group_Seq, true> {
public:
    CElementInfoSeqClsMnd(const char* name, const char* ns, int propertyIndex, XmlElementType childType,
                          ClassIdCreator creator, int classId, bool mustConsume);
    ~CElementInfoSeqClsMnd() override;
};

// An enumerated value.
class TSXMLLIB_EXPORT CElementInfoSeqEnumMnd : public CElementInfoValueMember<CElementInfo::Group_Seq, true, true> {
public:
    CElementInfoSeqEnumMnd(const char* name, const char* ns, int propertyIndex, bool nillable,
                           EnumToTextFunction enumToText, TextToEnumFunction textToEnum,
                           const char* defaultValue);
    ~CElementInfoSeqEnumMnd() override;
};

// A primitive value.
class TSXMLLIB_EXPORT CElementInfoSeqPrimMnd : public CElementInfoValueMember<CElementInfo::Group_Seq, true, false> {
public:
    CElementInfoSeqPrimMnd(const char* name, const char* ns, int propertyIndex, bool nillable,
                           TsXmlLib16::ItemType itemType, const char* format,
                           TsXmlLib16::CWhitespaceUtils::WhitespaceRule whitespaceRule,
                           const TsXmlLib16::CPrimitiveRestrictions& restrictions, const char* defaultValue);
    ~CElementInfoSeqPrimMnd() override;
};

// A child object whose class is chosen from its element.
class TSXMLLIB_EXPORT CElementInfoSeqAbsClsOpt : public CElementInfoAbsClsMember<CElementInfo::Group_Seq, false> {
public:
    CElementInfoSeqAbsClsOpt(const char* name, const char* ns, int propertyIndex, XmlElementType childType,
                             ElementClassCreator creator);
    ~CElementInfoSeqAbsClsOpt() override;
};

// A child object of a fixed class.
class TSXMLLIB_EXPORT CElementInfoSeqClsOpt : public CElementInfoClsMember<CElementInfo::Group_Seq, false> {
public:
    CElementInfoSeqClsOpt(const char* name, const char* ns, int propertyIndex, XmlElementType childType,
                          ClassIdCreator creator, int classId);
    ~CElementInfoSeqClsOpt() override;
};

// An enumerated value.
class TSXMLLIB_EXPORT CElementInfoSeqEnumOpt : public CElementInfoValueMember<CElementInfo::Group_Seq, false, true> {
public:
    CElementInfoSeqEnumOpt(const char* name, const char* ns, int propertyIndex, bool nillable,
                           EnumToTextFunction enumToText, TextToEnumFunction textToEnum,
                           const char* defaultValue);
    ~CElementInfoSeqEnumOpt() override;
};

// A primitive value.
class TSXMLLIB_EXPORT CElementInfoSeqPrimOpt : public CElementInfoValueMember<CElementInfo::Group_Seq, false, false> {
public:
    CElementInfoSeqPrimOpt(const char* name, const char* ns, int propertyIndex, bool nillable,
                           TsXmlLib16::ItemType itemType, const char* format,
                           TsXmlLib16::CWhitespaceUtils::WhitespaceRule whitespaceRule,
                           const TsXmlLib16::CPrimitiveRestrictions& restrictions, const char* defaultValue);
    ~CElementInfoSeqPrimOpt() override;
};

// A collection of wildcard elements.
class TSXMLLIB_EXPORT CElementInfoSeqUntpdCol : public CElementInfoUntpdColMember<CElementInfoSeqCol> {
public:
    CElementInfoSeqUntpdCol(const char* name, const char* ns, int propertyIndex);
    ~CElementInfoSeqUntpdCol() override;
};

// A wildcard element held as an untyped element.
class TSXMLLIB_EXPORT CElementInfoSeqUntpdMnd : public CElementInfoUntpdMember<CElementInfo::Group_Seq, true> {
public:
    CElementInfoSeqUntpdMnd(const char* name, const char* ns, int propertyIndex, const char* constraint,
                            const char* targetNamespace);
    ~CElementInfoSeqUntpdMnd() override;
};

// A wildcard element held as an untyped element.
class TSXMLLIB_EXPORT CElementInfoSeqUntpdOpt : public CElementInfoUntpdMember<CElementInfo::Group_Seq, false> {
public:
    CElementInfoSeqUntpdOpt(const char* name, const char* ns, int propertyIndex, const char* constraint,
                            const char* targetNamespace);
    ~CElementInfoSeqUntpdOpt() override;
};

} // namespace TsXmlLib16Data

#endif
