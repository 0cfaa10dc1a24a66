// Helpers shared by the tests.
#ifndef TSXMLLIB_TESTS_TESTSUPPORT_H
#define TSXMLLIB_TESTS_TESTSUPPORT_H

#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlWriter.h"

#include <cstdio>
#include <string>

namespace TestSupport {

// Elements holding only text, in every situation a writer treats apart: in
// the default namespace, in none under a default (which undeclares it), in a
// declared and in an undeclared namespace, empty, default, markup, a CDATA
// section, a zero byte, many names and long text, after a start tag with an attribute and
// deeper down. Written with
// WriteValueElement when fused is set, else each with StartElement,
// WriteText and EndElement: a writer must give the same document both ways.
inline void WriteValueElements(TsXmlLib16::CXmlWriter& w, bool fused)
{
    using TsXmlLib16::ItemType_string;
    const auto value = [&](const std::string& name, const std::string& ns, const std::string& text,
                           bool isDefault = false) {
        if (fused) {
            w.WriteValueElement(name, ns, text, ItemType_string, isDefault);
        } else {
            w.StartElement(name, ns);
            w.WriteText(text, ItemType_string, isDefault);
            w.EndElement();
        }
    };
    w.SetDefaultNamespace("urn:d");
    w.AddNamespace("p", "urn:p");
    w.StartElement("root", "urn:d");
    w.WriteAttribute("a", "", "1", ItemType_string);
    value("first", "urn:d", "text");
    value("none", "", "no namespace");
    value("prefixed", "urn:p", "x");
    value("undeclared", "urn:u", "declared on itself");
    value("undeclared", "urn:u", "and again");
    value("empty", "urn:d", "");
    value("default", "urn:d", "42", true);
    value("markup", "urn:d", "a<b & c>\"d\"\r\ne");
    value("cdata", "urn:d", "<![CDATA[<kept>]]>");
    value("plain", "urn:d", "tab\tand \xC3\xA9");
    value("zero", "urn:d", std::string("cut\0off", 7));
    // Lengths on both sides of what a writer may put together in one piece.
    for (std::size_t length = 200; length <= 270; ++length)
        value("long", "urn:d", std::string(length, 'x') + (length % 2 ? "" : "&"));
    // More names than the shortest index form holds.
    for (int i = 0; i < 40; ++i)
        value("n" + std::to_string(i), "urn:d", "value");
    // Short texts seen before, by table indexes of one octet and of more.
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 24; ++i)
            value("q", "urn:d", std::to_string(i));
    w.StartElement("inner", "urn:p");
    value("deep", "urn:d", "x");
    value("deep", "urn:p", "x");
    w.EndElement();
    value("last", "urn:d", "text");
    w.EndElement();
}

// The message of the exception of the given class that the call throws, or
// "<no exception>" when it throws none. Other exceptions pass through.
template <typename Exception = TsXmlLib16::CTsException, typename F>
std::string MessageOf(F&& call)
{
    try {
        call();
    } catch (const Exception& e) {
        return e.GetMessage();
    }
    return "<no exception>";
}

// Whether the independent command-line checker of the platform's XML tools
// accepts the text as a well-formed document; its complaint goes to error.
inline bool IsWellFormedXml(const std::string& text, std::string& error)
{
    FILE* pipe = popen("xmllint --noout - >/dev/null 2>&1", "w");
    if (!pipe) {
        error = "xmllint could not be started";
        return false;
    }
    std::fwrite(text.data(), 1, text.size(), pipe);
    const int status = pclose(pipe);
    if (status != 0)
        error = "xmllint refused the text (status " + std::to_string(status) + ")";
    return status == 0;
}

} // namespace TestSupport

#endif
