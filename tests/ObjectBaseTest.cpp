// The object base: lifetime, version checks, choice and property helpers, the
// namespace test, and the collection base's count check and events.
#include "tests/TestSupport.h"
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
using TestSupport::MessageOf;

namespace {

class Probe : public CXmlObjectBase, private CInstanceMonitor {
public:
    Probe() : TS_INSTANCE_MONITOR("CProbeObject") {}
    CXmlObjectBase* GetBase() override { return this; }
    std::string GetNamespace() override { return "urn:probe"; }

    using CXmlObjectBase::Choice_CollectionChanged;
    using CXmlObjectBase::Choice_SelectElement;
    using CXmlObjectBase::Choice_SetElementValid;
    using CXmlObjectBase::GetElementName;
    using CXmlObjectBase::IsNamespaceValid;
    using CXmlObjectBase::SetElementName;
    using CXmlObjectBase::TestNamespace;

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
    // A copy starts without references.
    a->SetElementName("order");
    Probe* copy = new Probe(*a);
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
    EXPECT_EQ(MessageOf([&] { probe.ToXml(false, false, EOLType_LF, CSerializationContext::GetDefaultContext()); }),
              "Wrong Version (Tessel Runtime: v16.1, Generator: v15.0)");
    SetGeneratorVersion(major, minor);
}

TEST(ObjectBase, ZlibFilesAreRefusedBeforeAnythingIsWritten)
{
    Probe probe;
    const std::string path = ::testing::TempDir() + "zlib-refused" + std::to_string(getpid());
    std::remove(path.c_str());
    const CSerializationContext ctx;
    const auto expectRefused = [&](auto&& call) {
        EXPECT_EQ(MessageOf(call), "ZLIB Compression only available for To Stream methods.");
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
    EXPECT_EQ(MessageOf<CTsInvalidStateException>([&] { probe.Choice_SelectElement("A", &value, selected); }),
              "The Property [B] is already set. Only one element within this class bay be set at a time");
    selected = "A";
    probe.Choice_SelectElement("A", nullptr, selected);
    EXPECT_EQ(selected, "");
    probe.Choice_SelectElement("C", &value, selected);
    EXPECT_EQ(selected, "C");

    EXPECT_EQ(MessageOf<CTsInvalidStateException>([&] { probe.Choice_SetElementValid(true, "D", selected); }),
              "The Property C is already set. Only one element within this class bay be set at a time");
    probe.Choice_SetElementValid(false, "D", selected);  // empties whichever branch was set
    EXPECT_EQ(selected, "");
    probe.Choice_SetElementValid(true, "D", selected);
    EXPECT_EQ(selected, "D");

    EXPECT_EQ(MessageOf<CTsInvalidStateException>([&] { probe.Choice_CollectionChanged("E", 2, selected); }),
              "The Property [D] is already set. Only one element within this class bay be set at a time");
    probe.Choice_CollectionChanged("E", 0, selected);
    EXPECT_EQ(selected, "D");
    selected.clear();
    probe.Choice_CollectionChanged("E", 3, selected);
    EXPECT_EQ(selected, "E");
    probe.Choice_CollectionChanged("E", 0, selected);
    EXPECT_EQ(selected, "");
}

TEST(ObjectBase, NamespaceConstraint)
{
    Probe probe;
    const struct {
        const char *ns, *constraint, *target;
        bool valid;
    } cases[] = {
        {"", "urn:a urn:b", "urn:t", true},     {"urn:c", "urn:a urn:b", "urn:t", false},
        {"urn:t", "##other", "urn:t", false},   {"", "##other", "urn:t", true},
        {"", "##other", "", false},             {"", "", "urn:t", false},
        {"urn:x", "##any", "urn:t", true},      {"urn:x", "##local", "urn:t", false},
        {"urn:t", "##local ##targetNamespace", "urn:t", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(probe.IsNamespaceValid(c.ns, c.constraint, c.target), c.valid) << c.ns << " in " << c.constraint;
    try {
        probe.TestNamespace("urn:c", "urn:a urn:b", "urn:t");
        ADD_FAILURE() << "no exception";
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
    EXPECT_EQ(MessageOf<CTsValidationException>([&] { col->ValidateCount(ctx); }),
              "The Minimum number of [item] elements allowed in this collection is 1");
    EXPECT_FALSE(col->IsValidCount(ctx));
    col->Add(nullptr);
    col->Add(nullptr);
    EXPECT_TRUE(col->IsValidCount(ctx));
    col->Add(nullptr);
    EXPECT_EQ(MessageOf<CTsValidationException>([&] { col->ValidateCount(ctx); }),
              "The Maximum number of [item] elements allowed in this collection is 2");
    ctx.SetIgnoreInvalidCollectionCounts(true);
    EXPECT_TRUE(col->IsValidCount(ctx));
    col->ValidateCount(ctx);
}

TEST(CollectionBase, EventsReachEveryListenerAsOftenAsRegistered)
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

    col->RemoveEventListener(&first);  // every occurrence
    col->Remove(0);
    EXPECT_EQ(first.events.size(), 6u);
    ASSERT_EQ(second.events.size(), 6u);
    EXPECT_EQ(second.events[3].type, IEventSink::OnCollectionRemove);
    col->RemoveEventListener(&second);
    col->RemoveEventListener(&second);  // absent: no error
}

} // namespace
