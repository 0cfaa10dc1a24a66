// Loads arbitrary bytes into the sample-model classes through FromXmlStream:
// the first byte chooses the class (purchase order or the coverage root) and
// the document-level options; the rest is the document in any form the
// library recognises (XML text, compressed, Fast Infoset). A failure must be a
// CTsException; an object that loads must write itself out again.
#include "FuzzInput.h"

#include "samples/coverage/CoverageObject.h"
#include "samples/po/PurchaseOrder.h"
#include "tsxmllib/BinaryData.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlObjectBase.h"

#include <vector>

using namespace TsXmlLib16;
using namespace TsXmlLibSamples;

namespace {

template <typename T>
void Exercise(const CSmartPtr<T>& object, std::vector<unsigned char>& bytes, const CSerializationContext& ctx)
{
    try {
        object->FromXmlStream(bytes.data(), static_cast<unsigned long>(bytes.size()), ctx);
    } catch (const CTsException&) {
        return;
    }
    try {
        // Values that were read need not satisfy the restrictions checked on
        // output, so writing may refuse them, but only with a library exception.
        (void)object->ToXml(false, false, EOLType_LF, ctx);
        (void)object->ToFastInfosetStream(FInfoDecl_None, ctx, CompressionType_None);
    } catch (const CTsException&) {
    }
}

} // namespace

// The sample classes stand for code generated for this version of the library.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetGeneratorVersion(TsRuntimeVersionMajor, TsRuntimeVersionMinor);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::uint8_t options = input.TakeByte();
    CSerializationContext ctx;
    ctx.SetSchemaType((options & 2) ? SchemaType_NoNamespaces : SchemaType_Default);
    const std::string rest = input.TakeRest();
    std::vector<unsigned char> bytes(rest.begin(), rest.end());
    if (bytes.empty())
        return 0;
    if (options & 1)
        Exercise(CCoverageObject::Create(Coverage_Root, "root"), bytes, ctx);
    else
        Exercise(CPurchaseOrder::CreateInstance(), bytes, ctx);
    return 0;
}
