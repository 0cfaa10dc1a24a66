// The linked object collection: insertion positions, removal, events, copies;
// the class factory's reading of the type attribute.
#include "tsxmllib/ClassfactoryBase.h"
#include "tsxmllib/MemoryLeakHelp.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlCollection.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace TsXmlLib16;

namespace {

class Item : public CXmlObjectBase, private CInstanceMonitor {
public:
    explicit Item(const char* name) : TS_INSTANCE_MONITOR("CTestItem") { SetElementName(name); }
    CXmlObjectBase* GetBase() override { return this; }
    std::string GetNamespace() override { return ""; }
    std::string Name() const { return GetElementName(); }

protected:
    std::string GetTargetNamespace() override { return ""; }
    void ToXml_Int(CXmlWriter*, bool, const char*, const CSerializationContext&, bool) const override {}
    CXmlElement* FromXml_Int(CXmlElement*, CXmlElement* first, const CSerializationContext&, bool) override
    {
        return first;
    }
};

class ItemCol : public CXmlCollection, private CInstanceMonitor {
public:
    ItemCol() : CXmlCollection("item", "", 0, -1), TS_INSTANCE_MONITOR("CTestItemCol") {}
    ItemCol(const ItemCol& other) : CXmlCollection(other), TS_INSTANCE_MONITOR("CTestItemCol") {}
    using CXmlCollection::AddAfterItem;
    using CXmlCollection::AddBeforeItem;
    using CXmlCollection::AddItemAt;
    using CXmlCollection::AppendItem;
    using CXmlCollection::PrependItem;

    std::string Names() const
    {
        std::string names;
        for (CNode* n = GetHead(); n; n = n->next) {
            names += static_cast<const Item*>(static_cast<const CXmlObjectBase*>(n->item))->Name();
            if (n->next && n->next->previous != n)
                names += "!broken";
        }
        return names;
    }

protected:
    void ToXml_Int(CXmlWriter*, bool, const char*, const CSerializationContext&, bool) const override {}
    CXmlElement* FromXml_Int(CXmlElement*, CXmlElement* first, const CSerializationContext&, bool) override
    {
        return first;
    }
};

struct Recorder : IEventSink {
    std::vector<std::string> log;
    void OnEvent(CXmlObjectBase*, MsgType type, void* data) override
    {
        static const char* names[] = {"change", "add", "added", "remove", "removed"};
        log.push_back(std::string(names[type]) + (data ? "*" : ""));
    }
};

TEST(XmlCollection, InsertionPositions)
{
    CSmartPtr<ItemCol> col(new ItemCol);
    Item* b = new Item("b");
    col->AppendItem(b);
    col->PrependItem(new Item("a"));
    col->AddAfterItem(b, new Item("c"));
    col->AddBeforeItem(b, new Item("x"));
    EXPECT_EQ(col->Names(), "axbc");
    col->AddAfterItem(nullptr, new Item("0"));  // null existing: first
    col->AddBeforeItem(nullptr, new Item("z")); // null existing: last
    col->AddItemAt(col->GetCount(), new Item("9"));
    col->AddItemAt(2, new Item("m"));
    EXPECT_EQ(col->Names(), "0amxbcz9");
    CSmartPtr<Item> stray(new Item("s"));
    EXPECT_EQ(TestSupport::MessageOf([&] { col->AddItemAt(col->GetCount() + 1, stray); }), "Index out of range");
    EXPECT_EQ(TestSupport::MessageOf([&] { col->AddItemAt(-1, stray); }), "Index out of range");
    CSmartPtr<Item> never(new Item("never"));
    EXPECT_EQ(TestSupport::MessageOf([&] { col->AddAfterItem(stray, never); }),
              "The object was not found in the collection");
    EXPECT_EQ(TestSupport::MessageOf([&] { col->Remove(8); }), "Index 8 is out of range, use 0 - 7");
    EXPECT_EQ(col->GetCount(), 8);
}

TEST(XmlCollection, RemovalKeepsTheListConsistent)
{
    CSmartPtr<ItemCol> col(new ItemCol);
    col->AppendItem(new Item("a"));
    col->Remove(0);
    EXPECT_EQ(col->GetCount(), 0);
    EXPECT_EQ(col->Names(), "");
    col->AppendItem(new Item("b"));
    col->AppendItem(new Item("c"));
    col->AppendItem(new Item("d"));
    col->Remove(2);
    col->AppendItem(new Item("e"));
    col->Remove(0);
    EXPECT_EQ(col->Names(), "ce");
    EXPECT_EQ(TestSupport::MessageOf([&] { ItemCol().Remove(0); }), "Index 0 is out of range, use 0 - -1");
}

TEST(XmlCollection, EventSequences)
{
    CSmartPtr<ItemCol> col(new ItemCol);
    Recorder rec;
    col->AddEventListener(&rec);
    col->AppendItem(new Item("a"));
    col->AppendItem(new Item("b"));
    col->Remove(1);
    EXPECT_EQ(rec.log, (std::vector<std::string>{"add*", "added*", "change", "add*", "added*", "change", "remove",
                                                 "removed", "change"}));
    // A failed AddAfterItem has already told listeners about the add.
    rec.log.clear();
    CSmartPtr<Item> stray(new Item("s"));
    CSmartPtr<Item> refused(new Item("n"));
    EXPECT_THROW(col->AddAfterItem(stray, refused), CTsInvalidParamException);
    EXPECT_EQ(rec.log, (std::vector<std::string>{"add*"}));
    rec.log.clear();
    col->Clear();
    EXPECT_EQ(rec.log, (std::vector<std::string>{"remove", "removed", "change"}));
    col->RemoveEventListener(&rec);
}

TEST(XmlCollection, ClearOfALargeCollectionTellsEveryRemoval)
{
    CSmartPtr<ItemCol> col(new ItemCol);
    for (int i = 0; i < 100000; ++i)
        col->AppendItem(new Item("i"));
    Recorder rec;
    col->AddEventListener(&rec);
    col->Clear();
    EXPECT_EQ(rec.log.size(), 300000u);
    EXPECT_EQ(col->GetCount(), 0);
}

TEST(XmlCollection, CopiesDoNotShareNodes)
{
    CSmartPtr<ItemCol> col(new ItemCol);
    col->AppendItem(new Item("a"));
    col->AppendItem(new Item("b"));
    CSmartPtr<ItemCol> copy(new ItemCol(*col));
    EXPECT_EQ(copy->Names(), "ab");
    col->Remove(0);
    EXPECT_EQ(copy->Names(), "ab");
    EXPECT_EQ(col->Names(), "b");
    EXPECT_EQ(CInstanceMonitor::GetInstanceCount("CTestItem"), 2);
}

struct Factory : CClassfactoryBase {
    using CClassfactoryBase::GetElementType;
    using CClassfactoryBase::GetElementTypeNamespaceUri;
};

TEST(ClassFactory, TypeAttributeNamesTheConcreteClass)
{
    CXmlDocument doc;
    doc.LoadXml("<r xmlns='urn:own' xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' xmlns:d='urn:derived'>"
                "<a xsi:type='d:Special'/><b xsi:type='Plain'/><c/><e xsi:type='unknown:T'/></r>");
    CXmlElement* a = doc.GetDocumentElement()->GetFirstElement();
    CXmlElement* b = a->GetNextSiblingElement();
    CXmlElement* c = b->GetNextSiblingElement();
    CXmlElement* e = c->GetNextSiblingElement();
    EXPECT_EQ(Factory::GetElementType(a), "Special");
    EXPECT_EQ(Factory::GetElementTypeNamespaceUri(a), "urn:derived");
    EXPECT_EQ(Factory::GetElementType(b), "Plain");
    EXPECT_EQ(Factory::GetElementTypeNamespaceUri(b), "urn:own");
    EXPECT_EQ(Factory::GetElementType(c), "");
    EXPECT_EQ(Factory::GetElementTypeNamespaceUri(c), "urn:own");
    // A prefix the document does not know falls back to the element's own namespace.
    EXPECT_EQ(Factory::GetElementType(e), "T");
    EXPECT_EQ(Factory::GetElementTypeNamespaceUri(e), "urn:own");
}

} // namespace
