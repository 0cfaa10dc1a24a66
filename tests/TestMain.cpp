// Test program entry: every test must leave no live library object behind.
#include "tsxmllib/MemoryLeakHelp.h"
#include "tsxmllib/XmlObjectBase.h"

#include <gtest/gtest.h>

namespace {

class LeakCheck : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo&) override { m_before = CInstanceMonitor::GetLiveInstanceCount(); }
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        const auto after = CInstanceMonitor::GetLiveInstanceCount();
        if (after != m_before)
            ADD_FAILURE() << "live library objects changed from " << m_before << " to " << after << "\n"
                          << CInstanceMonitor::DumpState();
    }

private:
    std::int64_t m_before = 0;
};

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // The tests play the role of generated code of this library's own version.
    TsXmlLib16::SetGeneratorVersion(TsXmlLib16::TsRuntimeVersionMajor, TsXmlLib16::TsRuntimeVersionMinor);
    // End-of-test events reach listeners in reverse order: appended after the
    // result printer, the check runs before it and a leak shows as the test's own failure.
    auto& listeners = ::testing::UnitTest::GetInstance()->listeners();
    listeners.Append(new LeakCheck);
    return RUN_ALL_TESTS();
}
