#include "platform/qt/qttoolrunner.h"
#include "toolrunnercontract.h"

namespace corvane::test {
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, ToolRunnerContract, QtToolRunner);
} // namespace corvane::test
