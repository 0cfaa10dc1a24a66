// The object base: lifetime, version checks, choice and property helpers, the
// namespace test, and the collection base's count check and events.
#include "tsxmllib/GlobalSettings.h"
#include "tsxmllib/MemoryLeakHelp.h"
#include "tsxmllib/SmartPtr.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlCollectionBase.h"
#include "tsxmllib/XmlObjectBase.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>
#include <vector>

using namespace TsXmlLib16;

namespace {

class Probe : public CXmlObjectBase, private CInstanceMonitor {
public:
    Probe() : TS_INSTANCE_MONITOR("CProbeObject") {}
    CXmlObjectBase* GetBase() override { return this; }
    std::string GetNamespace() override { return "urn:probe"; }

    using CXmlObjectBase::Choice_CollectionChanged;
    using CXmlObjectBase::Choice_Read_Collection;
    using CXmlObjectBase::Choice_SelectElement;
    using CXmlObjectBase::Choice_SetElementValid;
    using CXmlObjectBase::GetElementName;
    using CXmlObjectBase::IsNamespaceValid;
    using CXmlObjectBase::SetElementName;
    using CXmlObjectBase::TestNamespace;
    using CXmlObjectBase::Throw_IfElementNameDiffers;
    using CXmlObjectBase::Throw_IfPropertyIsNull;

protected:
    std::string GetTargetNamespace() override { return "urn:probe"; }
    void ToXml_Int(CXmlWriter*, bool, const char*, const CSerializationContext&, bool) const override {}
    CXmlElement* FromXml_Int(CXmlElement*, CXmlElement* first, const CSerializationContext&, bool) override
    {
        return first;
    }
};

// A collection that holds a plain count and never consumes elements.
class CountingCollection : public CXmlCollectionBase, private CInstanceMonitor {
public:
    CountingCollection(int minOccurs, int maxOccurs)
        : CXmlCollectionBase("item", "urn:c", minOccurs, maxOccurs), TS_INSTANCE_MONITOR("CCountingCollection")
    {
    }
    int GetCount() const override { return m_count; }
    void Clear() override { m_count = 0; }
    void Remove(int) override
    {
        FireOnCollectionRemove(-1);
        --m_count;
        FireOnCollectionRemoveComplete(-1);
        FireOnCollectionChange();
    }
    void Add(void* item)
    {
        FireOnCollectionAdd(item);
        ++m_count;
        FireOnCollectionAddComplete(item);
        FireOnCollectionChange();
    }
    int validations = 0;
    void ValidateCount(const CSerializationContext& ctx) const override
    {
        ++const_cast<CountingCollection*>(this)->validations;
        CXmlCollectionBase::ValidateCount(ctx);
    }
    using CXmlCollectionBase::GetTargetNamespace;

protected:
    void ToXml_Int(CXmlWriter*, bool, const char*, const CSerializationContext&, bool) const override {}
    CXmlElement* FromXml_Int(CXmlElement*, CXmlElement* first, const CSerializationContext&, bool) override
    {
        return first;
    }

private:
    int m_count = 0;
};

struct Recorder : IEventSink {
    struct Event {
        CXmlObjectBase* source;
        MsgType type;
        void* data;
    };
    std::vector<Event> events;
    void OnEvent(CXmlObjectBase* source, MsgType type, void* data) override { events.push_back({source, type, data}); }
};

TEST(ObjectBase, ReferenceCounting)
{
    Probe* p = new Probe;
    EXPECT_EQ(p->AddRef(), 1);
    EXPECT_EQ(p->AddRef(), 2);
    EXPECT_EQ(p->Release(), 1);
    EXPECT_EQ(CInstanceMonitor::GetInstanceCount("CProbeObject"), 1);
    EXPECT_EQ(p->Release(), 0);
    EXPECT_EQ(CInstanceMonitor::GetInstanceCount("CProbeObject"), 0);

    CSmartPtr<Probe> a(new Probe);
    CSmartPtr<Probe> b = a;
    CSmartPtr<Probe>& same = a;
    a = same;  // self-assignment keeps the object alive
    b = nullptr;
    EXPECT_EQ(CInstanceMonitor::GetInstanceCount("CProbeObject"), 1);
    a = new Probe;
    EXPECT_EQ(CInstanceMonitor::GetInstanceCount("CProbeObject"), 1);
}

TEST(ObjectBase, CopyStartsWithoutReferences)
{
    CSmartPtr<Probe> original(new Probe);
    original->SetElementName("order");
    Probe* copy = new Probe(*original);
    EXPECT_EQ(copy->GetElementName(), "order");
    EXPECT_EQ(copy->AddRef(), 1);
    EXPECT_EQ(copy->Release(), 0);
}

TEST(ObjectBase, WrongGeneratorVersionIsRefused)
{
    std::int32_t major, minor;
    GetGeneratorVersion(major, minor);
    SetGeneratorVersion(15, 0);
    Probe probe;
    try {
        probe.ToXml(false, false, EOLType_LF, CSerializationContext::GetDefaultContext());
        ADD_FAILURE() << "no exception";
    } catch (const CTsException& e) {
        EXPECT_EQ(e.GetMessage(), "Wrong Version (Tessel Runtime: v16.1, Generator: v15.0)");
    }
    SetGeneratorVersion(major, minor);
}

TEST(ObjectBase, ZlibFilesAreRefusedBeforeAnythingIsWritten)
{
    Probe probe;
    const std::string path = ::testing::TempDir() + "zlib-refused" + std::to_string(getpid());
    std::remove(path.c_str());
    const CSerializationContext ctx;
    const auto expectRefused = [&](auto&& call) {
        try {
            call();
            ADD_FAILURE() << "no exception";
        } catch (const CTsException& e) {
            EXPECT_EQ(e.GetMessage(), "ZLIB Compression only available for To Stream methods.");
        }
        EXPECT_NE(access(path.c_str(), F_OK), 0);
    };
    expectRefused([&] { probe.ToXmlFile(path.c_str(), true, true, XmlEncoding_UTF8, EOLType_LF, ctx, CompressionType_ZLIB); });
    expectRefused([&] { probe.ToJsonFile(path.c_str(), true, XmlEncoding_UTF8, EOLType_LF, ctx, CompressionType_ZLIB); });
    expectRefused([&] { probe.ToFastInfosetFile(path.c_str(), FInfoDecl_None, ctx, CompressionType_ZLIB); });
}

TEST(ObjectBase, ChoiceSelection)
{
    Probe probe, value;
    std::string selected = "B";
    try {
        probe.Choice_SelectElement("A", &value, selected);
        FAIL();
    } catch (const CTsInvalidStateException& e) {
        EXPECT_EQ(e.GetMessage(),
                  "The Property [B] is already set. Only one element within this class bay be set at a time");
    }
    selected = "A";
    probe.Choice_SelectElement("A", nullptr, selected);
    EXPECT_EQ(selected, "");
    probe.Choice_SelectElement("C", nullptr, selected);
    EXPECT_EQ(selected, "");
    probe.Choice_SelectElement("C", &value, selected);
    EXPECT_EQ(selected, "C");
    probe.Choice_SelectElement("C", &value, selected);
    EXPECT_EQ(selected, "C");

    try {
        probe.Choice_SetElementValid(true, "D", selected);
        FAIL();
    } catch (const CTsInvalidStateException& e) {
        EXPECT_EQ(e.GetMessage(),
                  "The Property C is already set. Only one element within this class bay be set at a time");
    }
    probe.Choice_SetElementValid(false, "D", selected);  // empties whichever branch was set
    EXPECT_EQ(selected, "");
    probe.Choice_SetElementValid(true, "D", selected);
    EXPECT_EQ(selected, "D");

    try {
        probe.Choice_CollectionChanged("E", 2, selected);
        FAIL();
    } catch (const CTsInvalidStateException& e) {
        EXPECT_EQ(e.GetMessage(),
                  "The Property [D] is already set. Only one element within this class bay be set at a time");
    }
    probe.Choice_CollectionChanged("E", 0, selected);
    EXPECT_EQ(selected, "D");
    selected.clear();
    probe.Choice_CollectionChanged("E", 3, selected);
    EXPECT_EQ(selected, "E");
    probe.Choice_CollectionChanged("E", 0, selected);
    EXPECT_EQ(selected, "");
}

TEST(ObjectBase, ChoiceReadCollectionThatConsumesNothing)
{
    Probe probe;
    CSmartPtr<CountingCollection> col(new CountingCollection(0, -1));
    CXmlElement* current = nullptr;
    long count = 0;
    probe.Choice_Read_Collection(col, nullptr, current, count, CSerializationContext::GetDefaultContext());
    EXPECT_EQ(count, 0);
    EXPECT_EQ(current, nullptr);
    EXPECT_EQ(col->validations, 0);
}

TEST(ObjectBase, MandatoryAndNamedProperties)
{
    Probe probe, named;
    try {
        probe.Throw_IfPropertyIsNull(nullptr, "Customer");
        FAIL();
    } catch (const CTsInvalidParamException& e) {
        EXPECT_EQ(e.GetMessage(), "The Property [Customer] is mandatory, it may node be NULL");
    }
    probe.Throw_IfPropertyIsNull(&named, "Customer");
    named.SetElementName("billTo");
    probe.Throw_IfElementNameDiffers(&named, "billTo");
    probe.Throw_IfElementNameDiffers(nullptr, "shipTo");
    try {
        probe.Throw_IfElementNameDiffers(&named, "shipTo");
        FAIL();
    } catch (const CTsInvalidParamException& e) {
        EXPECT_EQ(e.GetMessage(),
                  "This property requires an element with the name shipTo the element being set has the element "
                  "name billTo");
    }
}

TEST(ObjectBase, NamespaceConstraint)
{
    Probe probe;
    EXPECT_TRUE(probe.IsNamespaceValid("", "urn:a urn:b", "urn:t"));
    EXPECT_TRUE(probe.IsNamespaceValid("urn:b", "urn:a urn:b", "urn:t"));
    EXPECT_FALSE(probe.IsNamespaceValid("urn:c", "urn:a urn:b", "urn:t"));
    EXPECT_FALSE(probe.IsNamespaceValid("urn:t", "##other", "urn:t"));
    EXPECT_TRUE(probe.IsNamespaceValid("", "##other", "urn:t"));
    EXPECT_FALSE(probe.IsNamespaceValid("", "##other", ""));
    EXPECT_FALSE(probe.IsNamespaceValid("", "", "urn:t"));
    EXPECT_TRUE(probe.IsNamespaceValid("urn:x", "##any", "urn:t"));
    EXPECT_TRUE(probe.IsNamespaceValid("", "##local", "urn:t"));
    EXPECT_FALSE(probe.IsNamespaceValid("urn:x", "##local", "urn:t"));
    EXPECT_TRUE(probe.IsNamespaceValid("urn:t", "##local ##targetNamespace", "urn:t"));
    try {
        probe.TestNamespace("urn:c", "urn:a urn:b", "urn:t");
        FAIL();
    } catch (const CTsInvalidNamespaceException& e) {
        EXPECT_EQ(e.GetMessage(), "Invalid namespace [urn:c]. The namespace must be one of [urn:a urn:b] where the "
                                  "target namespace is [urn:t].");
        EXPECT_EQ(e.GetPath(), "");
    }
}

TEST(CollectionBase, CountBounds)
{
    CSmartPtr<CountingCollection> col(new CountingCollection(1, 2));
    CSerializationContext ctx;
    try {
        col->ValidateCount(ctx);
        FAIL();
    } catch (const CTsValidationException& e) {
        EXPECT_EQ(e.GetMessage(), "The Minimum number of [item] elements allowed in this collection is 1");
    }
    EXPECT_FALSE(col->IsValidCount(ctx));
    col->Add(nullptr);
    col->Add(nullptr);
    EXPECT_TRUE(col->IsValidCount(ctx));
    col->Add(nullptr);
    try {
        col->ValidateCount(ctx);
        FAIL();
    } catch (const CTsValidationException& e) {
        EXPECT_EQ(e.GetMessage(), "The Maximum number of [item] elements allowed in this collection is 2");
    }
    ctx.SetIgnoreInvalidCollectionCounts(true);
    EXPECT_TRUE(col->IsValidCount(ctx));
    col->ValidateCount(ctx);
    EXPECT_EQ(col->GetNamespace(), "urn:c");
    try {
        col->GetTargetNamespace();
        FAIL();
    } catch (const CTsException& e) {
        EXPECT_EQ(e.GetMessage(), "CXmlCollectionBase::GetTargetNamespace Should not be used from within a "
                                  "Collection (program logic error)");
    }
}

TEST(CollectionBase, EventsReachEveryListenerInOrder)
{
    CSmartPtr<CountingCollection> col(new CountingCollection(0, -1));
    Recorder first, second;
    col->AddEventListener(&first);
    col->AddEventListener(&second);
    col->AddEventListener(&first);
    int item = 7;
    col->Add(&item);
    ASSERT_EQ(first.events.size(), 6u);  // registered twice
    ASSERT_EQ(second.events.size(), 3u);
    EXPECT_EQ(second.events[0].type, IEventSink::OnCollectionAdd);
    EXPECT_EQ(second.events[0].data, &item);
    EXPECT_EQ(second.events[1].type, IEventSink::OnCollectionAddComplete);
    EXPECT_EQ(second.events[2].type, IEventSink::OnCollectionChange);
    EXPECT_EQ(second.events[2].data, nullptr);
    EXPECT_EQ(second.events[0].source, col->GetBase());

    col->RemoveEventListener(&first);  // every occurrence
    col->Remove(0);
    EXPECT_EQ(first.events.size(), 6u);
    ASSERT_EQ(second.events.size(), 6u);
    EXPECT_EQ(second.events[3].type, IEventSink::OnCollectionRemove);
    EXPECT_EQ(second.events[3].data, nullptr);  // index -1 carries no data
    EXPECT_EQ(second.events[4].type, IEventSink::OnCollectionRemoveComplete);
    col->RemoveEventListener(&second);
    col->RemoveEventListener(&second);  // absent: no error
}

} // namespace
