// The behaviour shared by the concrete element descriptors, one template per
// content kind, parameterised by the model group and the cardinality. The
// named descriptors (CElementInfoSeqPrimMnd, ...) are thin classes on top.
#ifndef TSXMLLIB_ELEMENTINFOMEMBERS_H
#define TSXMLLIB_ELEMENTINFOMEMBERS_H

#include "tsxmllib/ElementInfo.h"

namespace TsXmlLib16Data {

// What every single (not repeated) member shares: a mandatory member that
// wrote nothing is an error, and in an all group a mandatory member that was
// not found is one when its owner has a tag.
template <int G, bool IsMandatory>
class TSXMLLIB_EXPORT CElementInfoMember : public CElementInfo {
public:
    bool Validate(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj, bool found,
                  bool parentIsElement) const override
    {
        if (G != Group_All)
            return CElementInfo::Validate(ctx, obj, found, parentIsElement);
        return IsMandatory ? ValidateMandatory(found, parentIsElement) : true;
    }

protected:
    using CElementInfo::CElementInfo;
    bool Written(bool written) const { return IsMandatory ? RequireWritten(written) : written; }
};

// A simple-typed value held as a primitive (IsEnum false) or as an enumeration.
template <int G, bool IsMandatory, bool IsEnum>
class TSXMLLIB_EXPORT CElementInfoValueMember : public CElementInfoMember<G, IsMandatory> {
public:
    bool ElementToXml(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj,
                      TsXmlLib16::CXmlWriter* writer) const override
    {
        const bool written = IsEnum ? this->ElementToXmlEnum(ctx, obj, writer) : this->ElementToXmlPrim(ctx, obj, writer);
        return this->Written(written);
    }
    bool ElementFromXml(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                        TsXmlLib16::CXmlElement* parent, TsXmlLib16::CXmlElement** current, const char*,
                        XmlElementType parentType) override
    {
        return this->ReadValueMember(ctx, obj, parent, current, parentType, CElementInfo::Group(G), IsMandatory, IsEnum);
    }

protected:
    CElementInfoValueMember(const char* name, const char* ns, int propertyIndex, bool nillable,
                            EnumToTextFunction enumToText, TextToEnumFunction textToEnum, const char* defaultValue)
        : CElementInfoMember<G, IsMandatory>(name, ns, propertyIndex, nillable, enumToText, textToEnum, defaultValue)
    {
    }
    CElementInfoValueMember(const char* name, const char* ns, int propertyIndex, bool nillable,
                            TsXmlLib16::ItemType itemType, const char* format,
                            TsXmlLib16::CWhitespaceUtils::WhitespaceRule whitespaceRule,
                            const TsXmlLib16::CPrimitiveRestrictions& restrictions, const char* defaultValue)
        : CElementInfoMember<G, IsMandatory>(name, ns, propertyIndex, nillable, itemType, format, whitespaceRule, restrictions, defaultValue)
    {
    }
};

// A child object of a fixed class.
template <int G, bool IsMandatory>
class TSXMLLIB_EXPORT CElementInfoClsMember : public CElementInfoMember<G, IsMandatory> {
public:
    bool ElementToXml(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj,
                      TsXmlLib16::CXmlWriter* writer) const override
    {
        const bool written = this->ElementToXmlCls(ctx, obj, writer, G == CElementInfo::Group_Choice);
        return this->Written(written);
    }
    bool ElementFromXml(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                        TsXmlLib16::CXmlElement* parent, TsXmlLib16::CXmlElement** current, const char*,
                        XmlElementType parentType) override
    {
        return this->ReadClsMember(ctx, obj, parent, current, parentType, CElementInfo::Group(G), IsMandatory, m_childType, m_creator,
                             m_classId, m_mustConsume);
    }
    bool Validate(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj, bool found,
                  bool parentIsElement) const override
    {
        if (G != CElementInfo::Group_All)
            return CElementInfo::Validate(ctx, obj, found, parentIsElement);
        // A mandatory child that may legitimately consume nothing is no error.
        if (IsMandatory && !found && parentIsElement && (m_childType == XmlElementType_InLine || m_mustConsume))
            this->ValidateMandatory(false, true);
        return true;
    }
    void PseudoChildAttributeToXml(const TsXmlLib16::CSerializationContext& ctx,
                                   const TsXmlLib16::CXmlGeneratedClass* obj,
                                   TsXmlLib16::CXmlWriter* writer) const override
    {
        this->PseudoChildAttributes(ctx, obj, writer, m_childType, false);
    }

    XmlElementType GetChildElementType() const { return m_childType; }
    int GetClassId() const { return m_classId; }
    bool GetMustConsume() const { return m_mustConsume; }

protected:
    CElementInfoClsMember(const char* name, const char* ns, int propertyIndex, XmlElementType childType,
                          ClassIdCreator creator, int classId, bool mustConsume)
        : CElementInfoMember<G, IsMandatory>(name, ns, propertyIndex), m_childType(childType), m_creator(creator),
          m_classId(classId),
          m_mustConsume(mustConsume)
    {
    }

private:
    XmlElementType m_childType;
    ClassIdCreator m_creator;
    int m_classId;
    bool m_mustConsume;
};

// A child object whose concrete class is chosen from the element.
template <int G, bool IsMandatory>
class TSXMLLIB_EXPORT CElementInfoAbsClsMember : public CElementInfoMember<G, IsMandatory> {
public:
    bool ElementToXml(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj,
                      TsXmlLib16::CXmlWriter* writer) const override
    {
        const bool written = this->ElementToXmlCls(ctx, obj, writer, G == CElementInfo::Group_Choice);
        return this->Written(written);
    }
    bool ElementFromXml(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                        TsXmlLib16::CXmlElement* parent, TsXmlLib16::CXmlElement** current, const char*,
                        XmlElementType parentType) override
    {
        return this->ReadAbsClsMember(ctx, obj, parent, current, parentType, CElementInfo::Group(G), IsMandatory, m_creator);
    }
    void PseudoChildAttributeToXml(const TsXmlLib16::CSerializationContext& ctx,
                                   const TsXmlLib16::CXmlGeneratedClass* obj,
                                   TsXmlLib16::CXmlWriter* writer) const override
    {
        this->PseudoChildAttributes(ctx, obj, writer, m_childType, false);
    }

    XmlElementType GetChildElementType() const { return m_childType; }

protected:
    CElementInfoAbsClsMember(const char* name, const char* ns, int propertyIndex, XmlElementType childType,
                             ElementClassCreator creator)
        : CElementInfoMember<G, IsMandatory>(name, ns, propertyIndex), m_childType(childType), m_creator(creator)
    {
    }

private:
    XmlElementType m_childType;
    ElementClassCreator m_creator;
};

// A repeated element of any kind, held in a collection that reads and writes
// its items itself. The count is checked on output in sequences and all groups.
template <int G>
class TSXMLLIB_EXPORT CElementInfoColMember : public CElementInfo {
public:
    static constexpr Group kGroup = CElementInfo::Group(G);

    bool ElementToXml(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj,
                      TsXmlLib16::CXmlWriter* writer) const override
    {
        return this->ElementToXmlCol(ctx, obj, writer, G != CElementInfo::Group_Choice);
    }
    bool ElementFromXml(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                        TsXmlLib16::CXmlElement* parent, TsXmlLib16::CXmlElement** current, const char*,
                        XmlElementType parentType) override
    {
        return this->ReadColMember(ctx, obj, parent, current, parentType, CElementInfo::Group(G));
    }
    bool Validate(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj, bool found,
                  bool parentIsElement) const override
    {
        // The all-group reader never records a collection as found; its count
        // was checked while reading.
        if (G != CElementInfo::Group_All)
            return CElementInfo::Validate(ctx, obj, found, parentIsElement);
        return true;
    }

protected:
    CElementInfoColMember(const char* name, const char* ns, int propertyIndex)
        : CElementInfo(name, ns, propertyIndex)
    {
    }
};

// A collection of child objects (fixed or chosen class): in-line items put
// their attributes on the owner's tag.
template <class ColBase>
class TSXMLLIB_EXPORT CElementInfoClassColMember : public ColBase {
public:
    void PseudoChildAttributeToXml(const TsXmlLib16::CSerializationContext& ctx,
                                   const TsXmlLib16::CXmlGeneratedClass* obj,
                                   TsXmlLib16::CXmlWriter* writer) const override
    {
        this->PseudoChildAttributes(ctx, obj, writer, m_childType, true);
    }

    XmlElementType GetChildElementType() const { return m_childType; }

protected:
    CElementInfoClassColMember(const char* name, const char* ns, int propertyIndex, XmlElementType childType)
        : ColBase(name, ns, propertyIndex), m_childType(childType)
    {
    }

private:
    XmlElementType m_childType;
};

// A wildcard element held as an untyped element. The two strings are the
// wildcard's namespace constraint and the namespace it is evaluated against.
template <int G, bool IsMandatory>
class TSXMLLIB_EXPORT CElementInfoUntpdMember : public CElementInfoMember<G, IsMandatory> {
public:
    bool ElementToXml(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj,
                      TsXmlLib16::CXmlWriter* writer) const override
    {
        const bool written = this->ElementToXmlCls(ctx, obj, writer, G == CElementInfo::Group_Choice);
        return this->Written(written);
    }
    bool ElementFromXml(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                        TsXmlLib16::CXmlElement* parent, TsXmlLib16::CXmlElement** current,
                        const char* parentNamespace, XmlElementType parentType) override
    {
        return this->ReadUntpdMember(ctx, obj, parent, current, parentNamespace, parentType, CElementInfo::Group(G), IsMandatory,
                               m_constraint, m_targetNamespace);
    }

    const std::string& GetConstraint() const { return m_constraint; }
    const std::string& GetTargetNamespace() const { return m_targetNamespace; }

protected:
    CElementInfoUntpdMember(const char* name, const char* ns, int propertyIndex, const char* constraint,
                            const char* targetNamespace)
        : CElementInfoMember<G, IsMandatory>(name, ns, propertyIndex), m_constraint(constraint ? constraint : ""),
          m_targetNamespace(targetNamespace ? targetNamespace : "")
    {
    }

private:
    std::string m_constraint;
    std::string m_targetNamespace;
};

// A collection of wildcard elements: any elements for "AnyElement", else the
// run of siblings with the descriptor's name.
template <class ColBase>
class TSXMLLIB_EXPORT CElementInfoUntpdColMember : public ColBase {
public:
    bool ElementFromXml(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                        TsXmlLib16::CXmlElement* parent, TsXmlLib16::CXmlElement** current, const char*,
                        XmlElementType parentType) override
    {
        return this->ReadUntpdColMember(ctx, obj, parent, current, parentType, ColBase::kGroup);
    }

protected:
    CElementInfoUntpdColMember(const char* name, const char* ns, int propertyIndex)
        : ColBase(name, ns, propertyIndex)
    {
    }
};

} // namespace TsXmlLib16Data

#endif
