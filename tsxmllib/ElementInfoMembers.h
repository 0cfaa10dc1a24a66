// The behaviour shared by the concrete element descriptors, one template per
// content kind, parameterised by the model group and the cardinality. The
// named descriptors (CElementInfoSeqPrimMnd, ...) are thin classes on top.
#ifndef TSXMLLIB_ELEMENTINFOMEMBERS_H
#define TSXMLLIB_ELEMENTINFOMEMBERS_H

#include "tsxmllib/ElementInfo.h"

namespace TsXmlLib16Data {

// A simple-typed value held as a primitive (IsEnum false) or as an enumeration.
template <int G, bool IsMandatory, bool IsEnum>
class TSXMLLIB_EXPORT CElementInfoValueMember : public CElementInfo {
public:
    bool ElementToXml(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj,
                      TsXmlLib16::CXmlWriter* writer) const override
    {
        const bool written = IsEnum ? ElementToXmlEnum(ctx, obj, writer) : ElementToXmlPrim(ctx, obj, writer);
        return IsMandatory ? RequireWritten(written) : written;
    }
    bool ElementFromXml(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                        TsXmlLib16::CXmlElement* parent, TsXmlLib16::CXmlElement** current, const char*,
                        XmlElementType parentType) override
    {
        return ReadValueMember(ctx, obj, parent, current, parentType, Group(G), IsMandatory, IsEnum);
    }
    bool Validate(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj, bool found,
                  bool parentIsElement) const override
    {
        if (G != Group_All)
            return CElementInfo::Validate(ctx, obj, found, parentIsElement);
        return IsMandatory ? ValidateMandatory(found, parentIsElement) : true;
    }

protected:
    CElementInfoValueMember(const char* name, const char* ns, int propertyIndex, bool nillable,
                            EnumToTextFunction enumToText, TextToEnumFunction textToEnum, const char* defaultValue)
        : CElementInfo(name, ns, propertyIndex, nillable, enumToText, textToEnum, defaultValue)
    {
    }
    CElementInfoValueMember(const char* name, const char* ns, int propertyIndex, bool nillable,
                            TsXmlLib16::ItemType itemType, const char* format,
                            TsXmlLib16::CWhitespaceUtils::WhitespaceRule whitespaceRule,
                            const TsXmlLib16::CPrimitiveRestrictions& restrictions, const char* defaultValue)
        : CElementInfo(name, ns, propertyIndex, nillable, itemType, format, whitespaceRule, restrictions, defaultValue)
    {
    }
};

// A child object of a fixed class.
template <int G, bool IsMandatory>
class TSXMLLIB_EXPORT CElementInfoClsMember : public CElementInfo {
public:
    bool ElementToXml(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj,
                      TsXmlLib16::CXmlWriter* writer) const override
    {
        const bool written = ElementToXmlCls(ctx, obj, writer, G == Group_Choice);
        return IsMandatory ? RequireWritten(written) : written;
    }
    bool ElementFromXml(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                        TsXmlLib16::CXmlElement* parent, TsXmlLib16::CXmlElement** current, const char*,
                        XmlElementType parentType) override
    {
        return ReadClsMember(ctx, obj, parent, current, parentType, Group(G), IsMandatory, m_childType, m_creator,
                             m_classId, m_mustConsume);
    }
    bool Validate(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj, bool found,
                  bool parentIsElement) const override
    {
        if (G != Group_All)
            return CElementInfo::Validate(ctx, obj, found, parentIsElement);
        // A mandatory child that may legitimately consume nothing is no error.
        if (IsMandatory && !found && parentIsElement && (m_childType == XmlElementType_InLine || m_mustConsume))
            ValidateMandatory(false, true);
        return true;
    }
    void PseudoChildAttributeToXml(const TsXmlLib16::CSerializationContext& ctx,
                                   const TsXmlLib16::CXmlGeneratedClass* obj,
                                   TsXmlLib16::CXmlWriter* writer) const override
    {
        PseudoChildAttributes(ctx, obj, writer, m_childType, false);
    }

    XmlElementType GetChildElementType() const { return m_childType; }
    int GetClassId() const { return m_classId; }
    bool GetMustConsume() const { return m_mustConsume; }

protected:
    CElementInfoClsMember(const char* name, const char* ns, int propertyIndex, XmlElementType childType,
                          ClassIdCreator creator, int classId, bool mustConsume)
        : CElementInfo(name, ns, propertyIndex), m_childType(childType), m_creator(creator), m_classId(classId),
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
class TSXMLLIB_EXPORT CElementInfoAbsClsMember : public CElementInfo {
public:
    bool ElementToXml(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj,
                      TsXmlLib16::CXmlWriter* writer) const override
    {
        const bool written = ElementToXmlCls(ctx, obj, writer, G == Group_Choice);
        return IsMandatory ? RequireWritten(written) : written;
    }
    bool ElementFromXml(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                        TsXmlLib16::CXmlElement* parent, TsXmlLib16::CXmlElement** current, const char*,
                        XmlElementType parentType) override
    {
        return ReadAbsClsMember(ctx, obj, parent, current, parentType, Group(G), IsMandatory, m_creator);
    }
    bool Validate(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj, bool found,
                  bool parentIsElement) const override
    {
        if (G != Group_All)
            return CElementInfo::Validate(ctx, obj, found, parentIsElement);
        return IsMandatory ? ValidateMandatory(found, parentIsElement) : true;
    }
    void PseudoChildAttributeToXml(const TsXmlLib16::CSerializationContext& ctx,
                                   const TsXmlLib16::CXmlGeneratedClass* obj,
                                   TsXmlLib16::CXmlWriter* writer) const override
    {
        PseudoChildAttributes(ctx, obj, writer, m_childType, false);
    }

    XmlElementType GetChildElementType() const { return m_childType; }

protected:
    CElementInfoAbsClsMember(const char* name, const char* ns, int propertyIndex, XmlElementType childType,
                             ElementClassCreator creator)
        : CElementInfo(name, ns, propertyIndex), m_childType(childType), m_creator(creator)
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
    static constexpr Group kGroup = Group(G);

    bool ElementToXml(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj,
                      TsXmlLib16::CXmlWriter* writer) const override
    {
        return ElementToXmlCol(ctx, obj, writer, G != Group_Choice);
    }
    bool ElementFromXml(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                        TsXmlLib16::CXmlElement* parent, TsXmlLib16::CXmlElement** current, const char*,
                        XmlElementType parentType) override
    {
        return ReadColMember(ctx, obj, parent, current, parentType, Group(G));
    }
    bool Validate(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj, bool found,
                  bool parentIsElement) const override
    {
        // The all-group reader never records a collection as found; its count
        // was checked while reading.
        if (G != Group_All)
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
class TSXMLLIB_EXPORT CElementInfoUntpdMember : public CElementInfo {
public:
    bool ElementToXml(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj,
                      TsXmlLib16::CXmlWriter* writer) const override
    {
        const bool written = ElementToXmlCls(ctx, obj, writer, G == Group_Choice);
        return IsMandatory ? RequireWritten(written) : written;
    }
    bool ElementFromXml(const TsXmlLib16::CSerializationContext& ctx, TsXmlLib16::CXmlGeneratedClass* obj,
                        TsXmlLib16::CXmlElement* parent, TsXmlLib16::CXmlElement** current,
                        const char* parentNamespace, XmlElementType parentType) override
    {
        return ReadUntpdMember(ctx, obj, parent, current, parentNamespace, parentType, Group(G), IsMandatory,
                               m_constraint, m_targetNamespace);
    }
    bool Validate(const TsXmlLib16::CSerializationContext& ctx, const TsXmlLib16::CXmlGeneratedClass* obj, bool found,
                  bool parentIsElement) const override
    {
        if (G != Group_All)
            return CElementInfo::Validate(ctx, obj, found, parentIsElement);
        return IsMandatory ? ValidateMandatory(found, parentIsElement) : true;
    }

    const std::string& GetConstraint() const { return m_constraint; }
    const std::string& GetTargetNamespace() const { return m_targetNamespace; }

protected:
    CElementInfoUntpdMember(const char* name, const char* ns, int propertyIndex, const char* constraint,
                            const char* targetNamespace)
        : CElementInfo(name, ns, propertyIndex), m_constraint(constraint ? constraint : ""),
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
