// The descriptors of the members of an all group: one class per content kind and cardinality.
#ifndef TSXMLLIB_ELEMENTINFOALL_H
#define TSXMLLIB_ELEMENTINFOALL_H

#include "tsxmllib/ElementInfoMembers.h"

namespace TsXmlLib16Data {

// A collection of any kind that needs no treatment of its own.
class TSXMLLIB_EXPORT CElementInfoAllCol : public CElementInfoColMember<CElementInfo::Group_All> {
public:
    CElementInfoAllCol(const char* name, const char* ns, int propertyIndex);
    ~CElementInfoAllCol() override;
};

// A collection of child objects.
class TSXMLLIB_EXPORT CElementInfoAllAbsClsCol : public CElementInfoClassColMember<CElementInfoAllCol> {
public:
    CElementInfoAllAbsClsCol(const char* name, const char* ns, int propertyIndex, XmlElementType childType);
    ~CElementInfoAllAbsClsCol() override;
};

// A collection of child objects.
class TSXMLLIB_EXPORT CElementInfoAllClsCol : public CElementInfoClassColMember<CElementInfoAllCol> {
public:
    CElementInfoAllClsCol(const char* name, const char* ns, int propertyIndex, XmlElementType childType);
    ~CElementInfoAllClsCol() override;
};

// A collection of simple values.
class TSXMLLIB_EXPORT CElementInfoAllPrimCol : public CElementInfoAllCol {
public:
    CElementInfoAllPrimCol(const char* name, const char* ns, int propertyIndex);
    ~CElementInfoAllPrimCol() override;
};

// A collection of enumerated values; it reads and writes as the other all-group collections.
class TSXMLLIB_EXPORT CElementInfoAllEnumCol : public CElementInfoColMember<CElementInfo::Group_All> {
public:
    CElementInfoAllEnumCol(const char* name, const char* ns, int propertyIndex);
    ~CElementInfoAllEnumCol() override;
};

// A child object whose class is chosen from its element; the last constructor
// argument is kept for generated code and not used in reading or writing.
class TSXMLLIB_EXPORT CElementInfoAllAbsClsMnd : public CElementInfoAbsClsMember<CElementInfo::Group_All, true> {
public:
    CElementInfoAllAbsClsMnd(const char* name, const char* ns, int propertyIndex, XmlElementType childType,
                             ElementClassCreator creator, int reserved);
    ~CElementInfoAllAbsClsMnd() override;
    int GetReserved() const { return m_reserved; }

private:
    int m_reserved;
};

// A child object of a fixed class.
class TSXMLLIB_EXPORT CElementInfoAllClsMnd : public CElementInfoClsMember<CElementInfo::Group_All, true> {
public:
    CElementInfoAllClsMnd(const char* name, const char* ns, int propertyIndex, XmlElementType childType,
                          ClassIdCreator creator, int classId, bool mustConsume);
    ~CElementInfoAllClsMnd() override;
};

// An enumerated value.
class TSXMLLIB_EXPORT CElementInfoAllEnumMnd : public CElementInfoValueMember<CElementInfo::Group_All, true, true> {
public:
    CElementInfoAllEnumMnd(const char* name, const char* ns, int propertyIndex, bool nillable,
                           EnumToTextFunction enumToText, TextToEnumFunction textToEnum,
                           const char* defaultValue);
    ~CElementInfoAllEnumMnd() override;
};

// A primitive value.
class TSXMLLIB_EXPORT CElementInfoAllPrimMnd : public CElementInfoValueMember<CElementInfo::Group_All, true, false> {
public:
    CElementInfoAllPrimMnd(const char* name, const char* ns, int propertyIndex, bool nillable,
                           TsXmlLib16::ItemType itemType, const char* format,
                           TsXmlLib16::CWhitespaceUtils::WhitespaceRule whitespaceRule,
                           const TsXmlLib16::CPrimitiveRestrictions& restrictions, const char* defaultValue);
    ~CElementInfoAllPrimMnd() override;
};

// A child object whose class is chosen from its element.
class TSXMLLIB_EXPORT CElementInfoAllAbsClsOpt : public CElementInfoAbsClsMember<CElementInfo::Group_All, false> {
public:
    CElementInfoAllAbsClsOpt(const char* name, const char* ns, int propertyIndex, XmlElementType childType,
                             ElementClassCreator creator);
    ~CElementInfoAllAbsClsOpt() override;
};

// A child object of a fixed class.
class TSXMLLIB_EXPORT CElementInfoAllClsOpt : public CElementInfoClsMember<CElementInfo::Group_All, false> {
public:
    CElementInfoAllClsOpt(const char* name, const char* ns, int propertyIndex, XmlElementType childType,
                          ClassIdCreator creator, int classId);
    ~CElementInfoAllClsOpt() override;
};

// An enumerated value.
class TSXMLLIB_EXPORT CElementInfoAllEnumOpt : public CElementInfoValueMember<CElementInfo::Group_All, false, true> {
public:
    CElementInfoAllEnumOpt(const char* name, const char* ns, int propertyIndex, bool nillable,
                           EnumToTextFunction enumToText, TextToEnumFunction textToEnum,
                           const char* defaultValue);
    ~CElementInfoAllEnumOpt() override;
};

// A primitive value.
class TSXMLLIB_EXPORT CElementInfoAllPrimOpt : public CElementInfoValueMember<CElementInfo::Group_All, false, false> {
public:
    CElementInfoAllPrimOpt(const char* name, const char* ns, int propertyIndex, bool nillable,
                           TsXmlLib16::ItemType itemType, const char* format,
                           TsXmlLib16::CWhitespaceUtils::WhitespaceRule whitespaceRule,
                           const TsXmlLib16::CPrimitiveRestrictions& restrictions, const char* defaultValue);
    ~CElementInfoAllPrimOpt() override;
};

// A collection of wildcard elements.
class TSXMLLIB_EXPORT CElementInfoAllUntpdCol : public CElementInfoUntpdColMember<CElementInfoAllCol> {
public:
    CElementInfoAllUntpdCol(const char* name, const char* ns, int propertyIndex);
    ~CElementInfoAllUntpdCol() override;
};

// A wildcard element held as an untyped element.
class TSXMLLIB_EXPORT CElementInfoAllUntpdMnd : public CElementInfoUntpdMember<CElementInfo::Group_All, true> {
public:
    CElementInfoAllUntpdMnd(const char* name, const char* ns, int propertyIndex, const char* constraint,
                            const char* targetNamespace);
    ~CElementInfoAllUntpdMnd() override;
};

// A wildcard element held as an untyped element.
class TSXMLLIB_EXPORT CElementInfoAllUntpdOpt : public CElementInfoUntpdMember<CElementInfo::Group_All, false> {
public:
    CElementInfoAllUntpdOpt(const char* name, const char* ns, int propertyIndex, const char* constraint,
                            const char* targetNamespace);
    ~CElementInfoAllUntpdOpt() override;
};

} // namespace TsXmlLib16Data

#endif
