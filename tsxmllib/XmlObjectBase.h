// The base of every object that can be turned into a document and back:
// reference counting, the element name, and the public entry points that read
// and write XML text, JSON and Fast Infoset.
#ifndef TSXMLLIB_XMLOBJECTBASE_H
#define TSXMLLIB_XMLOBJECTBASE_H

#include "tsxmllib/BinaryData.h"
#include "tsxmllib/Enums.h"
#include "tsxmllib/EventSink.h"
#include "tsxmllib/Export.h"
#include "tsxmllib/SerializationContext.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace TsXmlLib16Data {
class CElementInfo;
class CAttributeInfo;
} // namespace TsXmlLib16Data

namespace TsXmlLib16 {

class CXmlWriter;
class CXmlElement;
class CElement;
class CXmlCollectionBase;

// The version of this runtime; generated code of any other version is refused.
constexpr int TsRuntimeVersionMajor = 16;
constexpr int TsRuntimeVersionMinor = 1;

// Generated code reports the version of the generator that wrote it, once,
// before it creates objects. Until then the generator version is 0.0.
TSXMLLIB_EXPORT void SetGeneratorVersion(std::int32_t major, std::int32_t minor);
TSXMLLIB_EXPORT void GetGeneratorVersion(std::int32_t& major, std::int32_t& minor);

class TSXMLLIB_EXPORT CXmlObjectBase : public IEventSink {
    // The descriptors drive the protected reading and writing operations of
    // the objects and collections they describe.
    friend class TsXmlLib16Data::CElementInfo;
    friend class TsXmlLib16Data::CAttributeInfo;

public:
    long AddRef();
    // Deletes the object when the last reference goes; returns the new count.
    long Release();

    CXmlObjectBase(const CXmlObjectBase& other);
    CXmlObjectBase& operator=(const CXmlObjectBase& other);

    const CXmlObjectBase* GetBase() const;
    virtual CXmlObjectBase* GetBase() = 0;

    virtual void ToXmlFile(const char* fileName, bool bIncludeDocHeader, bool bPrettyPrint, XmlEncoding encoding,
                           EOLType eol, const CSerializationContext& ctx, CompressionType compression) const;
    virtual void ToFastInfosetFile(const char* fileName, FInfoDecl decl, const CSerializationContext& ctx,
                                   CompressionType compression) const;
    virtual void ToJsonFile(const char* fileName, bool bPrettyPrint, XmlEncoding encoding, EOLType eol,
                            const CSerializationContext& ctx, CompressionType compression) const;
    virtual std::string ToXml(bool bIncludeDocHeader, bool bPrettyPrint, EOLType eol,
                              const CSerializationContext& ctx) const;
    virtual std::string ToJson(bool bPrettyPrint, EOLType eol, const CSerializationContext& ctx) const;
    virtual CBinaryData ToXmlStream(bool bIncludeDocHeader, bool bPrettyPrint, XmlEncoding encoding, EOLType eol,
                                    const CSerializationContext& ctx, CompressionType compression) const;
    virtual CBinaryData ToFastInfosetStream(FInfoDecl decl, const CSerializationContext& ctx,
                                            CompressionType compression) const;
    virtual CBinaryData ToJsonStream(bool bPrettyPrint, XmlEncoding encoding, EOLType eol,
                                     const CSerializationContext& ctx, CompressionType compression) const;
    virtual void FromXmlFile(const char* fileName, const CSerializationContext& ctx);
    virtual void FromJsonFile(const char* fileName, const CSerializationContext& ctx);
    virtual void FromXml(const wchar_t* text, const CSerializationContext& ctx);
    virtual void FromXml(const char* text, const CSerializationContext& ctx);
    virtual void FromJson(const wchar_t* text, const CSerializationContext& ctx);
    virtual void FromJson(const char* text, const CSerializationContext& ctx);
    virtual void FromXmlStream(const CBinaryData& data, const CSerializationContext& ctx);
    virtual void FromXmlStream(unsigned char* const data, unsigned long length, const CSerializationContext& ctx);
    virtual void FromJsonStream(const CBinaryData& data, const CSerializationContext& ctx);
    virtual void FromJsonStream(unsigned char* const data, unsigned long length, const CSerializationContext& ctx);
    virtual void FromXmlElement(const CElement* element, const CSerializationContext& ctx);
    virtual void FromXmlElement(const CXmlElement* element, const CSerializationContext& ctx);

    virtual std::string GetNamespace() = 0;

protected:
    CXmlObjectBase();
    virtual ~CXmlObjectBase();

    void OnEvent(CXmlObjectBase* source, IEventSink::MsgType type, void* data) override;

    virtual std::string GetTargetNamespace() = 0;
    virtual void AttributesToXml_Int(CXmlWriter* writer, const CSerializationContext& ctx) const;
    virtual void ToXml_Int(CXmlWriter* writer, bool isRoot, const char* ns, const CSerializationContext& ctx,
                           bool inChoice) const = 0;
    virtual CXmlElement* FromXml_Int(CXmlElement* element, CXmlElement* first, const CSerializationContext& ctx,
                                     bool isOptional) = 0;

    // How the entry points hand over the element that holds the whole object:
    // its content starts at its first child. Untyped elements read the
    // element itself.
    virtual void FromDocumentElement_Int(CXmlElement* root, const CSerializationContext& ctx);

    std::string GetElementName() const { return m_elementName; }
    void SetElementName(const char* name) { m_elementName = name ? name : ""; }
    static void SetElementName(CXmlObjectBase* obj, const char* name) { obj->SetElementName(name); }

    // Let classes that are not friends reach the protected operations of any object.
    static void AttributesToXml_Int(const CXmlObjectBase* obj, CXmlWriter* writer, const CSerializationContext& ctx);
    static void ToXml_Int(const CXmlObjectBase* obj, CXmlWriter* writer, bool isRoot, const char* ns,
                          const CSerializationContext& ctx, bool inChoice);
    static CXmlElement* FromXml_Int(CXmlObjectBase* obj, CXmlElement* element, CXmlElement* first,
                                    const CSerializationContext& ctx);
    static std::string GetTargetNamespace(const CXmlObjectBase* obj);

    static void FireOnCollectionChangeEvent(IEventSink* sink, CXmlCollectionBase* col);
    static void FireOnCollectionAddEvent(IEventSink* sink, CXmlCollectionBase* col, void* item);
    static void FireOnCollectionAddCompleteEvent(IEventSink* sink, CXmlCollectionBase* col, void* item);
    static void FireOnCollectionRemoveEvent(IEventSink* sink, CXmlCollectionBase* col, int index);
    static void FireOnCollectionRemoveCompleteEvent(IEventSink* sink, CXmlCollectionBase* col, int index);

    void Choice_SelectElement(const char* name, CXmlObjectBase* value, std::string& selected);
    void Choice_SetElementValid(bool valid, const char* name, std::string& selected);
    void Choice_CollectionChanged(const char* name, long count, std::string& selected);
    void Choice_Read_Collection(CXmlCollectionBase* col, CXmlElement* parent, CXmlElement*& current, long& count,
                                const CSerializationContext& ctx);
    void Throw_IfPropertyIsNull(CXmlObjectBase* value, const char* name);
    void Throw_IfElementNameDiffers(CXmlObjectBase* value, const char* name);

    void TestNamespace(const char* ns, const char* allowed, const char* targetNs) const;
    bool IsNamespaceValid(const char* ns, const char* allowed, const char* targetNs) const;
    bool DoesElementNameMatch(const CSerializationContext& ctx, const CXmlElement* element, const char* name,
                              const char* ns) const;

    // What the document element's writer emits before its start tag: the
    // context's processing instructions, namespace aliases and default namespace.
    static void WriteRootDeclarations(CXmlWriter* writer, const CSerializationContext& ctx);

    // The entry-point version check: refuses to work with generated code of another version.
    static void CheckVersion();

private:
    void FromJson_Int(const CBinaryData& xmlBytes, const CSerializationContext& ctx);

    std::string m_elementName;
    std::atomic<std::int32_t> m_refCount{0};
};

// The namespace test of wildcards: whether ns is allowed by the constraint
// "allowed" (space-separated tokens ##any, ##other, ##local, ##targetNamespace or URIs).
TSXMLLIB_EXPORT bool IsNamespaceAllowed(const char* ns, const char* allowed, const char* targetNs);
// The same test, throwing CTsInvalidNamespaceException when it fails.
TSXMLLIB_EXPORT void TestNamespaceAllowed(const char* ns, const char* allowed, const char* targetNs);

} // namespace TsXmlLib16

#endif
