#include "tools/InputForm.h"
#include <gtest/gtest.h>
TEST(ToolInputForm, Placeholder) { EXPECT_TRUE(TsXmlTool::HasJsonName("a.json")); }
