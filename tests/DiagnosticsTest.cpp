// Exceptions, message formatting, the instance monitor and the debug trace.
#include "tsxmllib/DebugTrace.h"
#include "tsxmllib/FormatString.h"
#include "tsxmllib/MemoryLeakHelp.h"
#include "tsxmllib/TsException.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace TsXmlLib16;

namespace {

// Exposes the protected Clone for the tests.
struct CloneProbe : CTsException {
    static std::unique_ptr<CTsException> Of(const CTsException& e) { return std::unique_ptr<CTsException>(CloneOf(e)); }
};

TEST(Exception, PathIsAppendedOnlyWhenNotEmpty)
{
    CTsException noPath("failed", std::string());
    EXPECT_EQ(noPath.GetMessage(), "failed");
    EXPECT_EQ(noPath.GetPath(), "");

    CTsValidationException withPath("failed", "/a/b[2]");
    EXPECT_EQ(withPath.GetMessage(), "failed\nPath: /a/b[2]");
    EXPECT_EQ(withPath.GetPath(), "/a/b[2]");
}

TEST(Exception, FullMessageJoinsTheChainOutermostFirst)
{
    CTsException innermost("three");
    CTsException middle("two", innermost);
    CTsException outer("one", "/x", middle);
    EXPECT_EQ(outer.GetFullMessage(), "one\nPath: /x\ntwo\nthree");
    EXPECT_EQ(innermost.GetFullMessage(), innermost.GetMessage());
    // The inner text is never copied into the outer message.
    EXPECT_EQ(outer.GetMessage(), "one\nPath: /x");
}

TEST(Exception, CopySurvivesTheSource)
{
    auto source = std::make_unique<CTsException>("outer", CTsInvalidValueException("inner"));
    CTsException copy(*source);
    source.reset();
    ASSERT_NE(copy.GetInnerException(), nullptr);
    EXPECT_EQ(copy.GetInnerException()->GetMessage(), "inner");
    EXPECT_NE(dynamic_cast<const CTsInvalidValueException*>(copy.GetInnerException()), nullptr);
}

TEST(Exception, CloneKeepsTheMostDerivedClass)
{
    const CTsInvalidValueException value("bad value");
    const CTsException& asBase = value;
    auto clone = CloneProbe::Of(asBase);
    EXPECT_NE(dynamic_cast<CTsInvalidValueException*>(clone.get()), nullptr);
    EXPECT_EQ(clone->GetMessage(), "bad value");

    const CTsInvalidNamespaceException ns("bad ns", "/p");
    auto nsClone = CloneProbe::Of(ns);
    EXPECT_NE(dynamic_cast<CTsInvalidNamespaceException*>(nsClone.get()), nullptr);
    EXPECT_EQ(nsClone->GetPath(), "/p");
    for (const CTsException* e : std::vector<const CTsException*>{
             new CTsInvalidStateException("s"), new CTsInvalidParamException("p"), new CTsOverFlowException("o")}) {
        auto c = CloneProbe::Of(*e);
        const CTsException& cloned = *c;
        EXPECT_EQ(typeid(cloned), typeid(*e));
        delete e;
    }
}

TEST(Exception, AssignmentReplacesMessagePathAndInner)
{
    CTsException target("old", "/old", CTsException("old inner"));
    const CTsException source("new", "/new");
    target = source;
    EXPECT_EQ(target.GetMessage(), "new\nPath: /new");
    EXPECT_EQ(target.GetPath(), "/new");
    EXPECT_EQ(target.GetInnerException(), nullptr);

    CTsValidationException v1("a", "/a", CTsException("ia"));
    const CTsValidationException v2("b", "/b", CTsException("ib"));
    v1 = v2;
    EXPECT_EQ(v1.GetFullMessage(), "b\nPath: /b\nib");
}

TEST(Exception, ConversionFromBaseKeepsEverything)
{
    const CTsException base("msg", "/path", CTsException("inner"));
    const CTsInvalidStateException state(base);
    EXPECT_EQ(state.GetMessage(), base.GetMessage());
    EXPECT_EQ(state.GetPath(), "/path");
    EXPECT_EQ(state.GetFullMessage(), "msg\nPath: /path\ninner");
    // The value branch always has an empty path from its own constructors.
    EXPECT_EQ(CTsInvalidValueException("v").GetPath(), "");
}

TEST(Exception, CaughtThroughTheBase)
{
    try {
        throw CTsInvalidNamespaceException("ns", "/r");
    } catch (const CTsValidationException& e) {
        EXPECT_EQ(e.GetPath(), "/r");
        return;
    }
    FAIL() << "not caught as a validation exception";
}

TEST(FormatString, HasNoLengthLimit)
{
    const std::string big(5000, 'x');
    EXPECT_EQ(FormatString("<%s>", big.c_str()), "<" + big + ">");
    EXPECT_EQ(FormatString("%s-%05d", "ab", 42), "ab-00042");
    EXPECT_EQ(FormatString("%*.*f|%c|%-4s|", 8, 2, 3.14159, 'z', "ab"), "    3.14|z|ab  |");
    EXPECT_EQ(FormatString("%s", ""), "");
}

TEST(InstanceMonitor, CountsLiveAndTotalInstances)
{
    struct Probe : CInstanceMonitor {
        Probe() : TS_INSTANCE_MONITOR("CMonitorProbeA") {}
    };
    {
        Probe a, b, c;
        { Probe copy(a); }
        const std::string state = CInstanceMonitor::DumpState();
        EXPECT_NE(state.find("--> CMonitorProbeA = 3/4"), std::string::npos) << state;
    }
    const std::string state = CInstanceMonitor::DumpState();
    EXPECT_NE(state.find("\n    CMonitorProbeA = 0/4"), std::string::npos) << state;
    EXPECT_EQ(CInstanceMonitor::GetInstanceCount("CMonitorProbeA"), 0);
}

TEST(InstanceMonitor, ReportFollowsRegistrationOrder)
{
    {
        CInstanceMonitor first("CMonitorProbeFirst");
        CInstanceMonitor second("CMonitorProbeSecond");
        CInstanceMonitor secondAgain("CMonitorProbeSecond");
        const std::string state = CInstanceMonitor::DumpState();
        const auto a = state.find("--> CMonitorProbeFirst = 1/1");
        const auto b = state.find("--> CMonitorProbeSecond = 2/2");
        ASSERT_NE(a, std::string::npos) << state;
        ASSERT_NE(b, std::string::npos) << state;
        EXPECT_LT(a, b);
    }
    const std::string state = CInstanceMonitor::DumpState();
    EXPECT_EQ(state.rfind("Instances of classes still in existence/Total Number of instances created\n", 0), 0u);
    EXPECT_NE(state.back(), '\n');
}

TEST(InstanceMonitor, AssignmentKeepsRegistration)
{
    CInstanceMonitor a("CMonitorProbeAssign");
    CInstanceMonitor b("CMonitorProbeOther");
    b = a;
    EXPECT_EQ(CInstanceMonitor::GetInstanceCount("CMonitorProbeAssign"), 1);
    EXPECT_EQ(CInstanceMonitor::GetInstanceCount("CMonitorProbeOther"), 1);
}

std::vector<std::string>* g_trace = nullptr;
void CollectTrace(const char* text) { g_trace->push_back(text); }

TEST(DebugTrace, SendsPiecesOf128Characters)
{
    std::vector<std::string> pieces;
    g_trace = &pieces;
    SetDebugTraceSink(CollectTrace);
    const std::string text(300, 'q');
    TS_DEBUG_TRACE("%s", text.c_str());
    // A text that does not fit into the 32 KiB trace buffer sends nothing.
    TS_DEBUG_TRACE("%s", std::string(40000, 'w').c_str());
    SetDebugTraceSink(nullptr);
    TS_DEBUG_TRACE("not sent");
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].size(), 128u);
    EXPECT_EQ(pieces[1].size(), 128u);
    EXPECT_EQ(pieces[2].size(), 44u);
    EXPECT_EQ(pieces[0] + pieces[1] + pieces[2], text);
}

} // namespace
