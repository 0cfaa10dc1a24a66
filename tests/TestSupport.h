// Helpers shared by the tests.
#ifndef TSXMLLIB_TESTS_TESTSUPPORT_H
#define TSXMLLIB_TESTS_TESTSUPPORT_H

#include "tsxmllib/TsException.h"

#include <string>

namespace TestSupport {

// The message of the exception of the given class that the call throws, or
// "<no exception>" when it throws none. Other exceptions pass through.
template <typename Exception = TsXmlLib16::CTsException, typename F>
std::string MessageOf(F&& call)
{
    try {
        call();
    } catch (const Exception& e) {
        return e.GetMessage();
    }
    return "<no exception>";
}

} // namespace TestSupport

#endif
