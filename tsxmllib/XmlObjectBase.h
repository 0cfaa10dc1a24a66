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

    // ---- Entry points ----
    // Every entry point first checks that the generator version reported with
    // SetGeneratorVersion is this runtime's (CTsException "Wrong Version ..."
    // otherwise), runs entirely on the caller's thread and reports failures by
    // throwing CTsException or a subclass. ctx holds the options of the call
    // and is owned by the caller.

    // Writing. The object is written as the document element, under its
    // element name and in GetTargetNamespace(). bIncludeDocHeader writes the
    // XML declaration; bPrettyPrint indents with ctx.GetIndentChars() and
    // breaks lines with eol. Byte results are encoded with encoding (UTF-8 or
    // UTF-16LE; XmlEncoding_Unknown is refused) and compressed as asked; the
    // file methods accept no CompressionType_ZLIB. A UTF-16 file starts with
    // FF FE.
    virtual void ToXmlFile(const char* fileName, bool bIncludeDocHeader, bool bPrettyPrint, XmlEncoding encoding,
                           EOLType eol, const CSerializationContext& ctx, CompressionType compression) const;
    // Fast Infoset has no layout options: decl selects the XML declaration
    // written in front (FInfoDecl_None: none); the vocabulary options are
    // those of ctx.GetFIContext().
    virtual void ToFastInfosetFile(const char* fileName, FInfoDecl decl, const CSerializationContext& ctx,
                                   CompressionType compression) const;
    // JSON as mapped by ctx.GetJsonContext().
    virtual void ToJsonFile(const char* fileName, bool bPrettyPrint, XmlEncoding encoding, EOLType eol,
                            const CSerializationContext& ctx, CompressionType compression) const;
    // The XML text as a narrow string in the local encoding; the declaration has
    // no encoding attribute.
    virtual std::string ToXml(bool bIncludeDocHeader, bool bPrettyPrint, EOLType eol,
                              const CSerializationContext& ctx) const;
    virtual std::string ToJson(bool bPrettyPrint, EOLType eol, const CSerializationContext& ctx) const;
    // The XML text as bytes in encoding (without FF FE), compressed when asked
    // (gzip or zlib format).
    virtual CBinaryData ToXmlStream(bool bIncludeDocHeader, bool bPrettyPrint, XmlEncoding encoding, EOLType eol,
                                    const CSerializationContext& ctx, CompressionType compression) const;
    // The Fast Infoset bytes, compressed when asked.
    virtual CBinaryData ToFastInfosetStream(FInfoDecl decl, const CSerializationContext& ctx,
                                            CompressionType compression) const;
    // The JSON text as bytes in encoding, compressed when asked.
    virtual CBinaryData ToJsonStream(bool bPrettyPrint, XmlEncoding encoding, EOLType eol,
                                     const CSerializationContext& ctx, CompressionType compression) const;

    // Reading. The object is filled from the document element, whatever its
    // name (which becomes the object's element name). Byte and file input is
    // recognised by its first bytes: gzip or zlib compressed, Fast Infoset or
    // XML text in any encoding the parser detects (a file read in chunks, see
    // AsyncFromXmlFile, must be XML text). A failure leaves the object
    // partly filled; its exception carries the path of the offending node
    // (GetPath) when there is one.
    virtual void FromXmlFile(const char* fileName, const CSerializationContext& ctx);
    virtual void FromJsonFile(const char* fileName, const CSerializationContext& ctx);
    // Wide text holds one Unicode code point per unit.
    virtual void FromXml(const wchar_t* text, const CSerializationContext& ctx);
    // The bytes of the text go to the parser as they are: UTF-8 unless the
    // XML declaration names another encoding.
    virtual void FromXml(const char* text, const CSerializationContext& ctx);
    // JSON is turned into XML text and read as such. Unless the JSON context
    // asks for JsonRoundTrip_Full, elements match by local name only: the
    // context's IgnoreNamespaces is set for the duration of the call, so a
    // context must not be shared with a call running at the same time.
    virtual void FromJson(const wchar_t* text, const CSerializationContext& ctx);
    virtual void FromJson(const char* text, const CSerializationContext& ctx);
    virtual void FromXmlStream(const CBinaryData& data, const CSerializationContext& ctx);
    virtual void FromXmlStream(unsigned char* const data, unsigned long length, const CSerializationContext& ctx);
    virtual void FromJsonStream(const CBinaryData& data, const CSerializationContext& ctx);
    virtual void FromJsonStream(unsigned char* const data, unsigned long length, const CSerializationContext& ctx);
    // Reads an untyped element as if it were a document of its own.
    virtual void FromXmlElement(const CElement* element, const CSerializationContext& ctx);
    // Reads one element of a loaded document (for example inside an element
    // filter of CXmlDocument); the element stays owned by its document.
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

    const std::string& GetElementName() const { return m_elementName; }
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
    // Loads a document with load and fills the object from it while it is parsed.
    template <class Load>
    void ReadDocument(const CSerializationContext& ctx, Load&& load);

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
