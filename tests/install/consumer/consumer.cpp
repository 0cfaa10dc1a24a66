// An application built against an installed TsXmlLib: it sees only the
// installed headers and the installed library. It reads a small document into
// an untyped element, changes it and writes it back; it prints the XML it
// wrote, and the message and error path of a document that fails to read.
#include "tsxmllib/Element.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"

#include <cstdio>

using namespace TsXmlLib16;

int main()
{
    SetGeneratorVersion(TsRuntimeVersionMajor, TsRuntimeVersionMinor);
    try {
        CSmartPtr<CElement> note(new CElement("note"));
        note->FromXml("<note lang=\"en\"><to>Tove</to><body>Don&apos;t forget</body></note>");
        CSmartPtr<CElement> from(new CElement("from"));
        from->SetText("Jani & co");
        note->GetChildElements()->Add(from);
        std::printf("%s\n", note->ToXml(false, false, EOLType_LF, CSerializationContext()).c_str());
    } catch (const CTsException& e) {
        std::printf("unexpected failure: %s\n", e.GetFullMessage().c_str());
        return 1;
    }
    try {
        CSmartPtr<CElement> broken(new CElement("note"));
        broken->FromXml("<note><to>Tove</note>");
        std::printf("a malformed document was accepted\n");
        return 1;
    } catch (const CTsException& e) {
        std::printf("refused: %s\n", e.GetMessage().c_str());
    }
    return 0;
}
