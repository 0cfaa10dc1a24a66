// Helpers of the typed collection tests: building collections with facets,
// recording notifications and writer calls, reading from a small document.
#ifndef TSXMLLIB_TESTS_TYPEDCOLLECTIONTESTSUPPORT_H
#define TSXMLLIB_TESTS_TYPEDCOLLECTIONTESTSUPPORT_H

#include "tsxmllib/EventSink.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/SmartPtr.h"
#include "tsxmllib/TypedCollections.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"
#include "tsxmllib/XmlWriter.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <type_traits>
#include <vector>

namespace TypedColTest {

using namespace TsXmlLib16;

constexpr CWhitespaceUtils::WhitespaceRule kNone = CWhitespaceUtils::WhitespaceRule_None;

// The constructor arguments of a collection named "v" in namespace "urn:n".
struct Facets {
    std::string pattern, minInclusive, maxInclusive, minExclusive, maxExclusive, format;
    long minLength = -1, maxLength = -1, length = -1, totalDigits = -1, fractionDigits = -1;
    int minOccurs = 0, maxOccurs = -1;
    CWhitespaceUtils::WhitespaceRule rule = kNone;

    Facets& Pattern(std::string v) { pattern = std::move(v); return *this; }
    Facets& MinInclusive(std::string v) { minInclusive = std::move(v); return *this; }
    Facets& MaxInclusive(std::string v) { maxInclusive = std::move(v); return *this; }
    Facets& Format(std::string v) { format = std::move(v); return *this; }
    Facets& MaxLength(long v) { maxLength = v; return *this; }
    Facets& Length(long v) { length = v; return *this; }
    Facets& FractionDigits(long v) { fractionDigits = v; return *this; }
    Facets& Occurs(int min, int max) { minOccurs = min; maxOccurs = max; return *this; }
    Facets& Rule(CWhitespaceUtils::WhitespaceRule r) { rule = r; return *this; }
};

inline const char* OrNull(const std::string& s) { return s.empty() ? nullptr : s.c_str(); }

// A collection whose protected reading and writing the tests may call.
template <class Col>
class Open : public Col {
public:
    using Col::Col;
    using Col::FromXml_Int;
    using Col::ToXml_Int;
};

template <class Col>
Col MakeCol(const Facets& f = Facets())
{
    return Col("v", "urn:n", f.minOccurs, f.maxOccurs, OrNull(f.pattern), f.minLength, f.maxLength,
               OrNull(f.minInclusive), OrNull(f.maxInclusive), OrNull(f.minExclusive), OrNull(f.maxExclusive),
               f.length, f.totalDigits, f.fractionDigits, f.rule, f.format.c_str());
}

using ColMaker = std::function<CSmartPtr<CXmlTypeCollection>(const Facets&)>;

template <class Col>
ColMaker Maker()
{
    return [](const Facets& f) { return CSmartPtr<CXmlTypeCollection>(new Col(MakeCol<Col>(f))); };
}

// Every notification as text: "add(data)", "added(data)", "change", "remove[index]", "removed[index]".
struct Recorder : IEventSink {
    std::function<std::string(void*)> describe; // renders the item of add notifications
    std::function<void(int)> watch;             // called with the type after each logged notification
    std::vector<std::string> log;

    Recorder() = default;
    explicit Recorder(std::function<std::string(void*)> d) : describe(std::move(d)) {}

    void OnEvent(CXmlObjectBase*, MsgType type, void* data) override
    {
        static const char* names[] = {"change", "add", "added", "remove", "removed"};
        std::string entry = names[type];
        if ((type == OnCollectionAdd || type == OnCollectionAddComplete) && describe)
            entry += "(" + describe(data) + ")";
        if ((type == OnCollectionRemove || type == OnCollectionRemoveComplete) && data)
            entry += "[" + std::to_string(*static_cast<int*>(data)) + "]";
        log.push_back(entry);
        if (watch)
            watch(type);
    }
    // The log, with or without data.
    std::string Text(bool withData = true) const
    {
        std::string text;
        for (const std::string& e : log)
            text += (text.empty() ? "" : " ") + (withData ? e : e.substr(0, e.find_first_of("([")));
        return text;
    }
    std::string Types() const { return Text(false); }
};

// Writer calls as text: "<name ns>text#itemType</name>"; anything else as "!call".
class RecordingWriter : public CXmlWriter {
public:
    RecordingWriter() : CXmlWriter("CTestRecordingWriter") {}
    std::string log;

    void WriteComment(const std::string&) override { log += "!comment"; }
    void WriteProcessingInstruction(const std::string&) override { log += "!pi"; }
    void WriteInlineSchema(const std::string&) override { log += "!schema"; }
    void StartElement(const std::string& name, const std::string& ns) override
    {
        m_open.push_back(name);
        log += "<" + name + " " + ns + ">";
    }
    void WriteText(const std::string& text, ItemType type, bool isDefault) override
    {
        log += text + "#" + std::to_string(type) + (isDefault ? "!default" : "");
    }
    void EndElement() override { log += "</" + m_open.back() + ">", m_open.pop_back(); }
    void WriteAttribute(const std::string&, const std::string&, const std::string&, ItemType) override
    {
        log += "!attribute";
    }
    void WriteXsiType(const std::string&, const std::string&, ItemType) override { log += "!xsitype"; }
    void WriteNil() override { log += "!nil"; }

private:
    std::vector<std::string> m_open;
};

// Reaches the protected static entry points of the object base.
struct Access : CXmlObjectBase {
    static CXmlElement* Read(CXmlObjectBase& obj, CXmlElement* parent, CXmlElement* first,
                             const CSerializationContext& ctx)
    {
        return FromXml_Int(&obj, parent, first, ctx);
    }
    static void Write(const CXmlObjectBase& obj, CXmlWriter& writer, const CSerializationContext& ctx)
    {
        ToXml_Int(&obj, &writer, false, "", ctx, false);
    }
};

inline std::vector<std::string> Split(const std::string& texts)
{
    std::vector<std::string> parts;
    for (std::string::size_type start = 0;;) {
        const auto bar = texts.find('|', start);
        parts.push_back(texts.substr(start, bar - start));
        if (bar == std::string::npos)
            return parts;
        start = bar + 1;
    }
}

// Reads "<v xmlns='urn:n'>text</v>" for each |-separated text, followed by
// <other/>; returns the local name of the element the reader stopped at.
inline std::string ReadDocument(CXmlObjectBase& col, const std::string& texts)
{
    std::string xml = "<r>";
    for (const std::string& text : Split(texts)) {
        xml += "<v xmlns='urn:n'>";
        for (char c : text)
            xml += c == '<' ? std::string("&lt;") : c == '&' ? std::string("&amp;") : std::string(1, c);
        xml += "</v>";
    }
    xml += "<other/></r>";
    CXmlDocument doc;
    doc.LoadXml(xml.c_str());
    const CSerializationContext ctx;
    CXmlElement* rest = Access::Read(col, doc.GetDocumentElement(), doc.GetDocumentElement()->GetFirstElement(), ctx);
    return rest ? rest->GetLocalName() : std::string();
}

inline void WriteTo(const CXmlObjectBase& col, RecordingWriter& writer, const CSerializationContext& ctx)
{
    writer.log.clear();
    Access::Write(col, writer, ctx);
}

// What WriteTo records for the |-separated texts, each of the given type.
inline std::string Written(const std::string& texts, ItemType type)
{
    std::string expected;
    for (const std::string& text : Split(texts))
        expected += "<v urn:n>" + text + "#" + std::to_string(type) + "</v>";
    return expected;
}

} // namespace TypedColTest

#endif
