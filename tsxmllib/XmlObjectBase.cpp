#include "tsxmllib/XmlObjectBase.h"

#include "tsxmllib/Element.h"
#include "tsxmllib/FastInfosetWriter.h"
#include "tsxmllib/FileBinaryStream.h"
#include "tsxmllib/FileTextStream.h"
#include "tsxmllib/FormatString.h"
#include "tsxmllib/GlobalSettings.h"
#include "tsxmllib/JsonContext.h"
#include "tsxmllib/JsonTextWriter.h"
#include "tsxmllib/Platform.h"
#include "tsxmllib/TextStream.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsZip.h"
#include "tsxmllib/XmlCollectionBase.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"
#include "tsxmllib/XmlTextWriter.h"

#include <atomic>
#include <cstring>
#include <string>
#include <string_view>

namespace TsXmlLib16 {

namespace {
std::atomic<std::int32_t> g_generatorMajor{0};
std::atomic<std::int32_t> g_generatorMinor{0};
bool g_constructionChecked = false;

bool VersionMatches()
{
    return g_generatorMajor.load() == TsRuntimeVersionMajor && g_generatorMinor.load() == TsRuntimeVersionMinor;
}

void ShowVersionMismatch()
{
    const std::string text =
        FormatString("Please ensure your generated code is the same version as this library (Tessel Runtime: "
                     "v%d.%d, Generator: v%d.%d).",
                     TsRuntimeVersionMajor, TsRuntimeVersionMinor, g_generatorMajor.load(), g_generatorMinor.load());
    Platform::ShowErrorMessage("Version Mismatch Error", text.c_str());
}

// Byte output is compressed in place for every compression type but none;
// types the compressor does not know leave the bytes as they are.
void CompressIfAsked(CBinaryData& data, CompressionType compression)
{
    if (compression != CompressionType_None)
        CTsZip().Compress(data, compression);
}

const char kZlibForFiles[] = "ZLIB Compression only available for To Stream methods.";

// The XML text pipeline over a stream: a text writer with the call's layout
// settings, the optional declaration, the object itself (writeObject), and the
// close that checks every element was ended.
template <typename WriteObject>
void WriteXmlText(CTextStream& stream, bool bIncludeDocHeader, bool bPrettyPrint, EOLType eol,
                  const CSerializationContext& ctx, WriteObject writeObject)
{
    CXmlTextWriter writer(&stream);
    writer.Open();
    writer.SetPrettyPrint(bPrettyPrint);
    writer.SetIndentChars(ctx.GetIndentChars().c_str());
    writer.SetEOLType(eol);
    writer.SetWriteDefaultElementValues(ctx.GetWriteDefaultElementValues());
    if (bIncludeDocHeader)
        writer.WriteDocHeader();
    writeObject(&writer);
    writer.Close();
}

// The element a loaded document hands to the object's reader.
CXmlElement* DocumentElementOf(const CXmlDocument& doc)
{
    CXmlElement* root = doc.GetDocumentElement();
    if (!root)
        throw CTsException("Invalid or empty XML document");
    return root;
}
} // namespace

template <class Load>
void CXmlObjectBase::ReadDocument(const CSerializationContext& ctx, Load&& load)
{
    CheckVersion();
    // The document is parsed as the objects read it, and releases what they
    // have read. A parse error wins over whatever the objects made of the
    // tree before it, as it would if the document had been parsed first.
    CXmlDocument doc(ctx);
    doc.ReadWhileWalking();
    load(doc);
    try {
        FromDocumentElement_Int(DocumentElementOf(doc), ctx);
    } catch (...) {
        doc.FinishReading();
        throw;
    }
    doc.FinishReading();
}

void SetGeneratorVersion(std::int32_t major, std::int32_t minor)
{
    g_generatorMajor = major;
    g_generatorMinor = minor;
}

void GetGeneratorVersion(std::int32_t& major, std::int32_t& minor)
{
    major = g_generatorMajor;
    minor = g_generatorMinor;
}

// ---- lifetime ----

CXmlObjectBase::CXmlObjectBase()
{
    if (!g_constructionChecked) {
        g_constructionChecked = true;
        if (!VersionMatches())
            ShowVersionMismatch();
    }
}

// A copy is a new object: it starts without references of its own, so neither
// object's holders can keep the other alive or delete it.
CXmlObjectBase::CXmlObjectBase(const CXmlObjectBase& other) : IEventSink(other), m_elementName(other.m_elementName) {}

CXmlObjectBase& CXmlObjectBase::operator=(const CXmlObjectBase& other)
{
    m_elementName = other.m_elementName;
    return *this;
}

CXmlObjectBase::~CXmlObjectBase() = default;

long CXmlObjectBase::AddRef() { return m_refCount.fetch_add(1, std::memory_order_relaxed) + 1; }

long CXmlObjectBase::Release()
{
    const std::int32_t left = m_refCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0)
        delete this;
    return left;
}

const CXmlObjectBase* CXmlObjectBase::GetBase() const { return const_cast<CXmlObjectBase*>(this)->GetBase(); }

void CXmlObjectBase::OnEvent(CXmlObjectBase*, IEventSink::MsgType, void*) {}

void CXmlObjectBase::AttributesToXml_Int(CXmlWriter*, const CSerializationContext&) const {}

void CXmlObjectBase::CheckVersion()
{
    if (!VersionMatches()) {
        ShowVersionMismatch();
        throw CTsException(FormatString("Wrong Version (Tessel Runtime: v%d.%d, Generator: v%d.%d)",
                                        TsRuntimeVersionMajor, TsRuntimeVersionMinor, g_generatorMajor.load(),
                                        g_generatorMinor.load()));
    }
}

// ---- writing ----

std::string CXmlObjectBase::ToXml(bool bIncludeDocHeader, bool bPrettyPrint, EOLType eol,
                                  const CSerializationContext& ctx) const
{
    CheckVersion();
    CTextStream stream(XmlEncoding_Unknown);
    WriteXmlText(stream, bIncludeDocHeader, bPrettyPrint, eol, ctx, [&](CXmlWriter* writer) {
        ToXml_Int(writer, true, GetTargetNamespace(this).c_str(), ctx, false);
    });
    return stream.GetText();
}

CBinaryData CXmlObjectBase::ToXmlStream(bool bIncludeDocHeader, bool bPrettyPrint, XmlEncoding encoding, EOLType eol,
                                        const CSerializationContext& ctx, CompressionType compression) const
{
    CheckVersion();
    CTextStream stream(encoding);
    WriteXmlText(stream, bIncludeDocHeader, bPrettyPrint, eol, ctx, [&](CXmlWriter* writer) {
        ToXml_Int(writer, true, GetTargetNamespace(this).c_str(), ctx, false);
    });
    CBinaryData data = stream.GetBytes();
    CompressIfAsked(data, compression);
    return data;
}

void CXmlObjectBase::ToXmlFile(const char* fileName, bool bIncludeDocHeader, bool bPrettyPrint, XmlEncoding encoding,
                               EOLType eol, const CSerializationContext& ctx, CompressionType compression) const
{
    if (compression == CompressionType_ZLIB)
        throw CTsException(kZlibForFiles);
    if (IsAsyncToXmlFile() && compression == CompressionType_None) {
        // The text goes to the file while it is produced.
        CheckVersion();
        CFileTextStream stream(fileName, encoding);
        WriteXmlText(stream, bIncludeDocHeader, bPrettyPrint, eol, ctx, [&](CXmlWriter* writer) {
            ToXml_Int(writer, true, GetTargetNamespace(this).c_str(), ctx, false);
        });
        return;
    }
    const CBinaryData buffer = ToXmlStream(bIncludeDocHeader, bPrettyPrint, encoding, eol, ctx, compression);
    CFileBinaryStream(fileName, encoding, buffer).WriteToFile();
}

namespace {
// The JSON pipeline over a stream: a JSON writer with the call's layout
// settings and the context's round-trip mode, the document object around the
// object itself (writeObject), and the close that checks every element was ended.
template <typename WriteObject>
void WriteJsonText(CTextStream& stream, bool bPrettyPrint, EOLType eol, const CSerializationContext& ctx,
                   WriteObject writeObject)
{
    CJsonTextWriter writer(&stream);
    writer.Open();
    writer.SetPrettyPrint(bPrettyPrint);
    writer.SetIndentChars(ctx.GetIndentChars().c_str());
    writer.SetEOLType(eol);
    writer.SetSupportRoundtrip(ctx.GetJsonContext().GetSupportRoundtrip());
    writer.StartDocument();
    writeObject(&writer);
    writer.EndDocument();
    writer.Close();
}
} // namespace

std::string CXmlObjectBase::ToJson(bool bPrettyPrint, EOLType eol, const CSerializationContext& ctx) const
{
    CheckVersion();
    CTextStream stream(XmlEncoding_Unknown);
    WriteJsonText(stream, bPrettyPrint, eol, ctx, [&](CXmlWriter* writer) {
        ToXml_Int(writer, true, GetTargetNamespace(this).c_str(), ctx, false);
    });
    return stream.GetText();
}

CBinaryData CXmlObjectBase::ToJsonStream(bool bPrettyPrint, XmlEncoding encoding, EOLType eol,
                                         const CSerializationContext& ctx, CompressionType compression) const
{
    CheckVersion();
    CTextStream stream(encoding);
    WriteJsonText(stream, bPrettyPrint, eol, ctx, [&](CXmlWriter* writer) {
        ToXml_Int(writer, true, GetTargetNamespace(this).c_str(), ctx, false);
    });
    CBinaryData data = stream.GetBytes();
    CompressIfAsked(data, compression);
    return data;
}

void CXmlObjectBase::ToJsonFile(const char* fileName, bool bPrettyPrint, XmlEncoding encoding, EOLType eol,
                                const CSerializationContext& ctx, CompressionType compression) const
{
    if (compression == CompressionType_ZLIB)
        throw CTsException(kZlibForFiles);
    if (IsAsyncToXmlFile() && compression == CompressionType_None) {
        // The text goes to the file while it is produced (FF FE first for UTF-16).
        CheckVersion();
        CFileTextStream stream(fileName, encoding);
        WriteJsonText(stream, bPrettyPrint, eol, ctx, [&](CXmlWriter* writer) {
            ToXml_Int(writer, true, GetTargetNamespace(this).c_str(), ctx, false);
        });
        return;
    }
    const CBinaryData buffer = ToJsonStream(bPrettyPrint, encoding, eol, ctx, compression);
    // The buffered JSON file never carries a byte-order mark.
    CFileBinaryStream(fileName, XmlEncoding_UTF8, buffer).WriteToFile();
}

CBinaryData CXmlObjectBase::ToFastInfosetStream(FInfoDecl decl, const CSerializationContext& ctx,
                                                CompressionType compression) const
{
    CheckVersion();
    CBinaryStream stream;
    CFastInfosetWriter writer(ctx.GetFIContext(), &stream);
    writer.Open();
    writer.WriteHeader(decl);
    ToXml_Int(&writer, true, GetTargetNamespace(this).c_str(), ctx, false);
    writer.WriteDocumentEnd();
    writer.Close();
    CBinaryData data = stream.GetData();
    CompressIfAsked(data, compression);
    return data;
}

void CXmlObjectBase::ToFastInfosetFile(const char* fileName, FInfoDecl decl, const CSerializationContext& ctx,
                                       CompressionType compression) const
{
    if (compression == CompressionType_ZLIB)
        throw CTsException(kZlibForFiles);
    const CBinaryData buffer = ToFastInfosetStream(decl, ctx, compression);
    CFileBinaryStream(fileName, XmlEncoding_Unknown, buffer).WriteToFile();
}

// ---- reading ----

void CXmlObjectBase::FromXmlFile(const char* fileName, const CSerializationContext& ctx)
{
    ReadDocument(ctx, [&](CXmlDocument& doc) { doc.Load(fileName); });
}

void CXmlObjectBase::FromXml(const wchar_t* text, const CSerializationContext& ctx)
{
    ReadDocument(ctx, [&](CXmlDocument& doc) { doc.LoadXml(text); });
}

void CXmlObjectBase::FromXml(const char* text, const CSerializationContext& ctx)
{
    ReadDocument(ctx, [&](CXmlDocument& doc) { doc.LoadXml(text); });
}

void CXmlObjectBase::FromXmlStream(const CBinaryData& data, const CSerializationContext& ctx)
{
    FromXmlStream(data.GetData(), data.GetLength(), ctx);
}

void CXmlObjectBase::FromXmlStream(unsigned char* const data, unsigned long length, const CSerializationContext& ctx)
{
    ReadDocument(ctx, [&](CXmlDocument& doc) { doc.LoadXmlStream(data, length); });
}

void CXmlObjectBase::FromXmlElement(const CElement* element, const CSerializationContext& ctx)
{
    CheckVersion();
    if (!element)
        throw CTsInvalidParamException("No element to read from");
    // The untyped tree goes through its XML text, written with the default context.
    const std::string text = const_cast<CElement*>(element)->ToXml(false, false, EOLType_LF,
                                                                   CSerializationContext::GetDefaultContext());
    FromXml(text.c_str(), ctx);
}

void CXmlObjectBase::FromXmlElement(const CXmlElement* element, const CSerializationContext& ctx)
{
    CheckVersion();
    if (!element)
        throw CTsInvalidParamException("No element to read from");
    // The element stays owned by its document; readers only walk it.
    FromDocumentElement_Int(const_cast<CXmlElement*>(element), ctx);
}

void CXmlObjectBase::FromJsonFile(const char* fileName, const CSerializationContext& ctx)
{
    CheckVersion();
    CXmlDocument doc(ctx);
    FromJson_Int(doc.LoadJsonFile(fileName), ctx);
}

void CXmlObjectBase::FromJson(const wchar_t* text, const CSerializationContext& ctx)
{
    CheckVersion();
    CXmlDocument doc(ctx);
    FromJson_Int(doc.LoadJson(text), ctx);
}

void CXmlObjectBase::FromJson(const char* text, const CSerializationContext& ctx)
{
    CheckVersion();
    CXmlDocument doc(ctx);
    FromJson_Int(doc.LoadJson(text), ctx);
}

void CXmlObjectBase::FromJsonStream(const CBinaryData& data, const CSerializationContext& ctx)
{
    FromJsonStream(data.GetData(), data.GetLength(), ctx);
}

void CXmlObjectBase::FromJsonStream(unsigned char* const data, unsigned long length, const CSerializationContext& ctx)
{
    CheckVersion();
    CXmlDocument doc(ctx);
    FromJson_Int(doc.LoadJsonStream(data, length), ctx);
}

void CXmlObjectBase::FromJson_Int(const CBinaryData& xmlBytes, const CSerializationContext& ctx)
{
    // The JSON form keeps namespaces only in the full round-trip mode; otherwise
    // the XML made from it is read ignoring them, for the duration of this call.
    CSerializationContext& context = const_cast<CSerializationContext&>(ctx);
    const bool ignoreNamespaces = context.GetIgnoreNamespaces();
    const bool keepsNamespaces = context.GetJsonContext().GetSupportRoundtrip() == JsonRoundTrip_Full;
    struct Restore {
        CSerializationContext& ctx;
        bool active;
        bool value;
        ~Restore()
        {
            if (active)
                ctx.SetIgnoreNamespaces(value);
        }
    } restore{context, !keepsNamespaces, ignoreNamespaces};
    if (!keepsNamespaces)
        context.SetIgnoreNamespaces(true);
    try {
        FromXmlStream(xmlBytes, ctx);
    } catch (const CTsException& e) {
        const std::string text(reinterpret_cast<const char*>(xmlBytes.GetData()), xmlBytes.GetLength());
        throw CTsException(FormatString("Error converting JSON to XML:\n%s", text.c_str()), e);
    }
}

// ---- trampolines and events ----

void CXmlObjectBase::AttributesToXml_Int(const CXmlObjectBase* obj, CXmlWriter* writer,
                                         const CSerializationContext& ctx)
{
    obj->AttributesToXml_Int(writer, ctx);
}

void CXmlObjectBase::ToXml_Int(const CXmlObjectBase* obj, CXmlWriter* writer, bool isRoot, const char* ns,
                               const CSerializationContext& ctx, bool inChoice)
{
    obj->ToXml_Int(writer, isRoot, ns, ctx, inChoice);
}

CXmlElement* CXmlObjectBase::FromXml_Int(CXmlObjectBase* obj, CXmlElement* element, CXmlElement* first,
                                         const CSerializationContext& ctx)
{
    return obj->FromXml_Int(element, first, ctx, false);
}

std::string CXmlObjectBase::GetTargetNamespace(const CXmlObjectBase* obj)
{
    return const_cast<CXmlObjectBase*>(obj)->GetTargetNamespace();
}

void CXmlObjectBase::FireOnCollectionChangeEvent(IEventSink* sink, CXmlCollectionBase* col)
{
    sink->OnEvent(col->GetBase(), IEventSink::OnCollectionChange, nullptr);
}

void CXmlObjectBase::FireOnCollectionAddEvent(IEventSink* sink, CXmlCollectionBase* col, void* item)
{
    sink->OnEvent(col->GetBase(), IEventSink::OnCollectionAdd, item);
}

void CXmlObjectBase::FireOnCollectionAddCompleteEvent(IEventSink* sink, CXmlCollectionBase* col, void* item)
{
    sink->OnEvent(col->GetBase(), IEventSink::OnCollectionAddComplete, item);
}

void CXmlObjectBase::FireOnCollectionRemoveEvent(IEventSink* sink, CXmlCollectionBase* col, int index)
{
    sink->OnEvent(col->GetBase(), IEventSink::OnCollectionRemove, index == -1 ? nullptr : &index);
}

void CXmlObjectBase::FireOnCollectionRemoveCompleteEvent(IEventSink* sink, CXmlCollectionBase* col, int index)
{
    sink->OnEvent(col->GetBase(), IEventSink::OnCollectionRemoveComplete, index == -1 ? nullptr : &index);
}

// ---- helpers of generated property setters ----

void CXmlObjectBase::Choice_SelectElement(const char* name, CXmlObjectBase* value, std::string& selected)
{
    if (selected != name) {
        if (selected.empty() && value)
            selected = name;
        else if (!selected.empty() && value)
            throw CTsInvalidStateException(FormatString(
                "The Property [%s] is already set. Only one element within this class bay be set at a time",
                selected.c_str()));
    } else if (!value) {
        selected.clear();
    }
}

void CXmlObjectBase::Choice_SetElementValid(bool valid, const char* name, std::string& selected)
{
    if (!valid) {
        selected.clear();
        return;
    }
    if (!selected.empty() && selected != name)
        throw CTsInvalidStateException(FormatString(
            "The Property %s is already set. Only one element within this class bay be set at a time",
            selected.c_str()));
    selected = name;
}

void CXmlObjectBase::Choice_CollectionChanged(const char* name, long count, std::string& selected)
{
    if (selected != name) {
        if (selected.empty() && count > 0)
            selected = name;
        else if (!selected.empty() && count != 0)
            throw CTsInvalidStateException(FormatString(
                "The Property [%s] is already set. Only one element within this class bay be set at a time",
                selected.c_str()));
    } else if (count == 0) {
        selected.clear();
    }
}

void CXmlObjectBase::Choice_Read_Collection(CXmlCollectionBase* col, CXmlElement* parent, CXmlElement*& current,
                                            long& count, const CSerializationContext& ctx)
{
    if (count > 0)
        return;
    CXmlObjectBase* base = col;
    CXmlElement* next = base->FromXml_Int(parent, current, ctx, false);
    if (next == current)
        return;
    current = next;
    col->ValidateCount(ctx);
    ++count;
}

void CXmlObjectBase::Throw_IfPropertyIsNull(CXmlObjectBase* value, const char* name)
{
    if (!value)
        throw CTsInvalidParamException(FormatString("The Property [%s] is mandatory, it may node be NULL", name));
}

void CXmlObjectBase::Throw_IfElementNameDiffers(CXmlObjectBase* value, const char* name)
{
    if (!value)
        return;
    const std::string actual = value->GetBase()->GetElementName();
    if (actual != name)
        throw CTsInvalidParamException(FormatString("This property requires an element with the name %s the element "
                                                    "being set has the element name %s",
                                                    name, actual.c_str()));
}

// ---- namespace test and name match ----

bool IsNamespaceAllowed(const char* ns, const char* allowed, const char* targetNs)
{
    // Called for every element and attribute of untyped content: the tokens
    // are compared where they stand, without copying anything.
    const std::string_view nsText = ns ? ns : "";
    const std::string_view target = targetNs ? targetNs : "";
    const char* p = allowed ? allowed : "";
    while (*p) {
        const char* end = std::strchr(p, ' ');
        const std::size_t length = end ? static_cast<std::size_t>(end - p) : std::strlen(p);
        const std::string_view token(p, length);
        if (token == "##any")
            return true;
        if (token == "##other") {
            if (nsText != target)
                return true;
        } else if (token == "##local") {
            if (nsText.empty())
                return true;
        } else if (token == "##targetNamespace") {
            if (nsText == target)
                return true;
        } else if (!token.empty() && (nsText == token || nsText.empty())) {
            return true;
        }
        if (!end)
            break;
        p = end + 1;
    }
    return false;
}

void TestNamespaceAllowed(const char* ns, const char* allowed, const char* targetNs)
{
    if (!IsNamespaceAllowed(ns, allowed, targetNs))
        throw CTsInvalidNamespaceException(
            FormatString("Invalid namespace [%s]. The namespace must be one of [%s] where the target namespace is [%s].",
                         ns ? ns : "", allowed ? allowed : "", targetNs ? targetNs : ""),
            std::string());
}

void CXmlObjectBase::TestNamespace(const char* ns, const char* allowed, const char* targetNs) const
{
    TestNamespaceAllowed(ns, allowed, targetNs);
}

bool CXmlObjectBase::IsNamespaceValid(const char* ns, const char* allowed, const char* targetNs) const
{
    return IsNamespaceAllowed(ns, allowed, targetNs);
}

void CXmlObjectBase::FromDocumentElement_Int(CXmlElement* root, const CSerializationContext& ctx)
{
    FromXml_Int(root, root->GetFirstElement(), ctx, false);
}

void CXmlObjectBase::WriteRootDeclarations(CXmlWriter* writer, const CSerializationContext& ctx)
{
    for (const std::string& pi : ctx.GetProcessingInstructions())
        writer->WriteProcessingInstruction(pi);
    CNamespaceAliasMap aliases = ctx.GetNamespaceAliases();
    for (int i = 0; i < aliases.GetNamespaceCount(); ++i) {
        const std::string uri = aliases.GetNamespaceAt(i);
        writer->AddNamespace(aliases.GetAliasFromNamespace(uri.c_str()), uri);
    }
    if (!ctx.GetDefaultNamespaceURI().empty())
        writer->SetDefaultNamespace(ctx.GetDefaultNamespaceURI());
}

bool CXmlObjectBase::DoesElementNameMatch(const CSerializationContext& ctx, const CXmlElement* element,
                                          const char* name, const char* ns) const
{
    return ElementNameMatches(ctx, element, name, ns);
}

} // namespace TsXmlLib16
