// Reads arbitrary bytes as JSON in every round-trip mode, with and without a
// root element name and comments, and converts them into XML text, which then
// goes through the XML reader. That reading may fail by design (JSON with no
// member or several top-level members gives no single document element, string
// values holding CDATA markup are written as they stand, bytes that are not
// UTF-8 pass through), but never in any other way than by CTsException.
#include "FuzzInput.h"

#include "tsxmllib/JsonContext.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlDocument.h"

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
    try {
        CXmlDocument back(ctx);
        back.LoadXmlStream(xml.GetData(), xml.GetLength());
    } catch (const CTsException&) {
    }
    return 0;
}
