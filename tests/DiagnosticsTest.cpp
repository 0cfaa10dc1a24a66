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

TEST(Exception, CopiesClonesAndAssignmentsKeepClassMessagePathAndInner)
{
    // A copy owns its inner exception, of its most derived class.
    auto source = std::make_unique<CTsException>("outer", CTsInvalidValueException("inner"));
    CTsException copy(*source);
    source.reset();
    ASSERT_NE(copy.GetInnerException(), nullptr);
    EXPECT_EQ(copy.GetInnerException()->GetMessage(), "inner");
    EXPECT_NE(dynamic_cast<const CTsInvalidValueException*>(copy.GetInnerException()), nullptr);

    const CTsInvalidNamespaceException ns("bad ns", "/p");
    for (const CTsException* e : std::vector<const CTsException*>{
             &ns, new CTsInvalidStateException("s"), new CTsInvalidParamException("p"), new CTsOverFlowException("o")}) {
        auto c = CloneProbe::Of(*e);
        const CTsException& cloned = *c;
        EXPECT_EQ(typeid(cloned), typeid(*e));
        EXPECT_EQ(cloned.GetPath(), e->GetPath());
        if (e != &ns)
            delete e;
    }

    // Assignment replaces all three; an empty inner stays empty.
    CTsException target("old", "/old", CTsException("old inner"));
    target = CTsException("new", "/new");
    EXPECT_EQ(target.GetMessage(), "new\nPath: /new");
    EXPECT_EQ(target.GetInnerException(), nullptr);
    CTsValidationException v1("a", "/a", CTsException("ia"));
    v1 = CTsValidationException("b", "/b", CTsException("ib"));
    EXPECT_EQ(v1.GetFullMessage(), "b\nPath: /b\nib");

    const CTsInvalidStateException state(CTsException("msg", "/path", CTsException("inner")));
    EXPECT_EQ(state.GetFullMessage(), "msg\nPath: /path\ninner");
    EXPECT_EQ(CTsInvalidValueException("v").GetPath(), "");
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
