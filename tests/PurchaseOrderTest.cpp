// The purchase-order sample read and written through its metadata: the
// values that arrive, the text that leaves, and the failures in between.
#include "samples/po/PoNamespace.h"
#include "samples/po/PurchaseOrder.h"
#include "tests/TestSupport.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TsZip.h"
#include "tsxmllib/XmlDocument.h"

#include <gtest/gtest.h>

#include <vector>

using namespace TsXmlLib16;
using namespace TsXmlLibSamples;
using TestSupport::MessageOf;

namespace {

const char* const kSample = TSXMLLIB_SAMPLES_DATA_DIR "/purchaseOrder.xml";

std::string Order(const std::string& body, const std::string& attributes = " orderDate='2026-11-20'")
{
    return "<purchaseOrder xmlns='urn:tsxmllib:samples:po'" + attributes + ">" + body + "</purchaseOrder>";
}

const std::string kAddresses =
    "<shipTo><name>A</name><street>S</street><city>C</city><state>CA</state><zip>1</zip></shipTo>"
    "<billTo><name>B</name><street>T</street><city>D</city><state>PA</state><zip>2</zip></billTo>";

std::string Item(const std::string& partNum, const std::string& quantity)
{
    return "<item partNum='" + partNum + "'><productName>P</productName><quantity>" + quantity +
           "</quantity><USPrice>1.5</USPrice></item>";
}

} // namespace

TEST(PurchaseOrder, BundledSampleReadsIntoTheClasses)
{
    CSmartPtr<CPurchaseOrder> po = CPurchaseOrder::CreateInstance();
    po->FromXmlFile(kSample, CSerializationContext::GetDefaultContext());
    ASSERT_TRUE(po->IsValidOrderDate());
    EXPECT_EQ("2026-11-20", po->GetOrderDate().ToString());
    EXPECT_EQ("US", po->GetShipTo()->GetCountry());
    EXPECT_EQ("95819", po->GetBillTo()->GetZip().ToString());
    CSmartPtr<CItemCol> items = po->GetItems()->GetItem();
    ASSERT_EQ(3, items->GetCount());
    EXPECT_FALSE(items->Item(0)->IsValidShipDate());
    EXPECT_EQ("2026-12-21", items->Item(1)->GetShipDate().ToString());
    EXPECT_EQ(2, items->Item(2)->GetQuantity());
    EXPECT_EQ("21.50", items->Item(2)->GetUSPrice().ToString(2));
    EXPECT_EQ("Gartenschlauch \xE2\x80\x93 25 m", items->Item(2)->GetProductName());
}

TEST(PurchaseOrder, WrittenTextReadsBackToTheSameText)
{
    CSerializationContext ctx;
    ctx.SetDefaultNamespaceURI(kPoNamespace);
    CSmartPtr<CPurchaseOrder> po = CPurchaseOrder::CreateInstance();
    po->FromXmlFile(kSample, ctx);
    const std::string first = po->ToXml(true, true, EOLType_LF, ctx);
    std::string error;
    EXPECT_TRUE(TestSupport::IsWellFormedXml(first, error)) << error;
    EXPECT_NE(std::string::npos, first.find("<purchaseOrder xmlns=\"urn:tsxmllib:samples:po\" orderDate=\"2026-11-20\">"));
    EXPECT_NE(std::string::npos, first.find("<shipDate>2026-12-21</shipDate>"));
    EXPECT_EQ(std::string::npos, first.find("xmlns=", first.find("<shipTo")));

    CSmartPtr<CPurchaseOrder> copy = CPurchaseOrder::CreateInstance();
    copy->FromXml(first.c_str(), ctx);
    EXPECT_EQ(first, copy->ToXml(true, true, EOLType_LF, ctx));
}

TEST(PurchaseOrder, ObjectsBuiltInCodeWriteInSchemaOrder)
{
    CSerializationContext ctx;
    ctx.SetDefaultNamespaceURI(kPoNamespace);
    CSmartPtr<CPurchaseOrder> po = CPurchaseOrder::CreateInstance();
    for (CUSAddress* a : {po->GetShipTo().get(), po->GetBillTo().get()}) {
        a->SetName("N");
        a->SetStreet("S");
        a->SetCity("C");
        a->SetState("ST");
        a->SetZip(CDecimal("12345"));
    }
    CSmartPtr<CItem> item = po->GetItems()->GetItem()->Add();
    item->SetPartNum("123-AB");
    item->SetProductName("Widget");
    item->SetQuantity(3);
    item->SetUSPrice(CDecimal("9.99"));
    const std::string addr = "<name>N</name><street>S</street><city>C</city><state>ST</state><zip>12345</zip>";
    EXPECT_EQ("<purchaseOrder xmlns=\"urn:tsxmllib:samples:po\"><shipTo country=\"US\">" + addr +
                  "</shipTo><billTo country=\"US\">" + addr +
                  "</billTo><items><item partNum=\"123-AB\"><productName>Widget</productName><quantity>3</quantity>"
                  "<USPrice>9.99</USPrice></item></items></purchaseOrder>",
              po->ToXml(false, false, EOLType_LF, ctx));

    // The optional attribute equal to its default is left out on request.
    CSerializationContext quiet;
    quiet.SetNoOptionalAttributeDefaultOutput(true);
    EXPECT_EQ(0u, po->ToXml(false, false, EOLType_LF, quiet).find("<AA:purchaseOrder xmlns:AA=\"urn:tsxmllib:samples:po\">"));
    EXPECT_EQ(std::string::npos, po->ToXml(false, false, EOLType_LF, quiet).find("country"));
}

TEST(PurchaseOrder, RestrictionsAreCheckedOnOutputOnly)
{
    const CSerializationContext& ctx = CSerializationContext::GetDefaultContext();
    CSmartPtr<CPurchaseOrder> po = CPurchaseOrder::CreateInstance();
    // Input is not checked against the facets: 100 and a bad part number read.
    po->FromXml(Order(kAddresses + "<items>" + Item("12-AB", "100") + "</items>").c_str(), ctx);
    CSmartPtr<CItem> item = po->GetItems()->GetItem()->Item(0);
    EXPECT_EQ(100, item->GetQuantity());
    const auto write = [&] { return MessageOf([&] { po->ToXml(false, false, EOLType_LF, ctx); }); };
    EXPECT_EQ("Invalid Value for partNum [12-AB].", write());
    item->SetPartNum("123-AB");
    EXPECT_EQ("Invalid Value for quantity [100]", write());
    item->SetQuantity(99);
    EXPECT_EQ("<no exception>", write());
}

TEST(PurchaseOrder, ReadingFailuresCarryThePathOfTheInnermostElement)
{
    const CSerializationContext& ctx = CSerializationContext::GetDefaultContext();
    CSmartPtr<CPurchaseOrder> po = CPurchaseOrder::CreateInstance();
    const struct {
        std::string xml;
        std::string path;
        std::string message;
    } cases[] = {
        {Order("<shipTo/>"), "/purchaseOrder/shipTo", "Failed to find the required child element [name]."},
        {Order(kAddresses + "<items/><extra/>"), "/purchaseOrder",
         "Failed read all the elements held within the element [purchaseOrder]. The unexpected element [extra] "
         "remains un processed"},
        // A conversion failure has no path of its own: the item stamps its element.
        {Order(kAddresses + "<items>" + Item("123-AB", "x") + "</items>"), "/purchaseOrder/items/item",
         "Failed to process the element.\nPath: /purchaseOrder/items/item\nThe value [x] can not be converted to a i4"},
        {Order(kAddresses + "<items/>", " orderDate='2026-11-20' bogus='1'"), "/purchaseOrder/@bogus",
         "Unexpected Attribute found."},
        {Order(kAddresses + "<items/>", " orderDate='2026-13-20'"), "/purchaseOrder",
         "Failed to process the element."},
    };
    for (const auto& c : cases) {
        std::string path, message = "<no exception>";
        try {
            po->FromXml(c.xml.c_str(), ctx);
        } catch (const CTsException& e) {
            path = e.GetPath();
            message = e.GetFullMessage();
        }
        EXPECT_EQ(c.path, path) << c.xml;
        EXPECT_EQ(0u, message.find(c.message)) << message;
    }
}

TEST(PurchaseOrder, TolerancesOfTheContext)
{
    std::string elsewhere = Order(kAddresses + "<items/>");
    elsewhere.replace(elsewhere.find("urn:tsxmllib:samples:po"), 23, "urn:elsewhere");
    const struct {
        void (*allow)(CSerializationContext&);
        std::string xml;
        int items;  // -1: the document has no items element
    } cases[] = {
        {[](CSerializationContext& c) { c.SetIgnoreUnknownElements(true); c.SetIgnoreUnknownAttributes(true); },
         Order("<noise/>" + kAddresses + "<items>" + Item("123-AB", "1") + "<stray/></items><extra/>",
               " orderDate='2026-11-20' bogus='1'"),
         1},
        {[](CSerializationContext& c) { c.SetIgnoreNamespaces(true); }, elsewhere, 0},
        // A missing mandatory element is passed over when that is allowed.
        {[](CSerializationContext& c) { c.SetIgnoreMissingMandatoryElements(true); }, Order(kAddresses), -1},
    };
    for (const auto& c : cases) {
        CSerializationContext ctx;
        c.allow(ctx);
        CSmartPtr<CPurchaseOrder> po = CPurchaseOrder::CreateInstance();
        po->FromXml(c.xml.c_str(), ctx);
        EXPECT_EQ("A/B/D", po->GetShipTo()->GetName() + "/" + po->GetBillTo()->GetName() + "/" +
                               po->GetBillTo()->GetCity()) << c.xml;
        EXPECT_EQ(c.items, c.items < 0 ? -1 : po->GetItems()->GetItem()->GetCount()) << c.xml;
    }
}

TEST(PurchaseOrder, LargeDocumentsAreReadWhileTheyAreParsed)
{
    // Far more elements than the parser reads ahead of the objects, so that
    // the objects meet the end of what is parsed many times over.
    const CSerializationContext& ctx = CSerializationContext::GetDefaultContext();
    std::string items;
    for (int i = 0; i < 3000; ++i)
        items += Item("123-AB", std::to_string(i % 90 + 1));
    const std::string good = Order(kAddresses + "<items>" + items + "</items>");
    CSmartPtr<CPurchaseOrder> po = CPurchaseOrder::CreateInstance();
    po->FromXml(good.c_str(), ctx);
    ASSERT_EQ(po->GetItems()->GetItem()->GetCount(), 3000);
    EXPECT_EQ(po->GetItems()->GetItem()->Item(2999)->GetQuantity(), 30);

    // Compressed bytes are inflated beside the caller's buffer, which stays as it was.
    CBinaryData bytes;
    bytes.Append(good);
    CTsZip().Compress(bytes, CompressionType_GZIP);
    const CBinaryData before = bytes;
    CSmartPtr<CPurchaseOrder> fromBytes = CPurchaseOrder::CreateInstance();
    fromBytes->FromXmlStream(bytes, ctx);
    EXPECT_EQ(fromBytes->GetItems()->GetItem()->GetCount(), 3000);
    EXPECT_TRUE(bytes == before);

    // Fast Infoset input is read in steps too; a cut-off document fails as
    // the document on its own does, whatever the objects made of its start.
    const CBinaryData fi = po->ToFastInfosetStream(FInfoDecl_None, ctx, CompressionType_None);
    CSmartPtr<CPurchaseOrder> fromFi = CPurchaseOrder::CreateInstance();
    fromFi->FromXmlStream(fi, ctx);
    ASSERT_EQ(fromFi->GetItems()->GetItem()->GetCount(), 3000);
    EXPECT_EQ(fromFi->GetItems()->GetItem()->Item(2999)->GetQuantity(), 30);
    std::vector<unsigned char> cut(fi.GetData(), fi.GetData() + fi.GetLength() / 2);
    const std::string cutError = MessageOf([&] {
        CXmlDocument().LoadXmlStream(cut.data(), static_cast<unsigned long>(cut.size()));
    });
    EXPECT_NE(cutError, "<no exception>");
    EXPECT_EQ(MessageOf([&] { fromFi->FromXmlStream(cut.data(), static_cast<unsigned long>(cut.size()), ctx); }),
              cutError);

    // The predicate of a path counts the siblings that are not parsed yet
    // when the failing element is read: here the only other item comes after
    // many elements that are skipped.
    CSerializationContext tolerant;
    tolerant.SetIgnoreUnknownElements(true);
    std::string skipped;
    for (int i = 0; i < 5000; ++i)
        skipped += "<skip/>";
    const std::string farApart =
        Order(kAddresses + "<items>" + Item("123-AB", "x") + skipped + Item("123-AB", "1") + "</items>");
    std::string path;
    try {
        po->FromXml(farApart.c_str(), tolerant);
    } catch (const CTsException& e) {
        path = e.GetPath();
    }
    EXPECT_EQ(path, "/purchaseOrder/items/item[1]");
    const std::string badFirst = Order(kAddresses + "<items>" + Item("123-AB", "x") + items + "</items>");

    // A parse error later in the document wins over what the objects found
    // wrong before it, as does anything after the document element: the
    // failure is the one of parsing the document on its own.
    const std::string broken = badFirst.substr(0, badFirst.size() - 8) + "</order>";
    for (const std::string& xml : {broken, good + "<again/>"}) {
        const std::string parseError = MessageOf([&] { CXmlDocument().LoadXml(xml.c_str()); });
        EXPECT_NE(parseError, "<no exception>");
        EXPECT_EQ(MessageOf([&] { po->FromXml(xml.c_str(), ctx); }), parseError);
    }
}
