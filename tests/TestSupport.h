// Helpers shared by the tests.
#ifndef TSXMLLIB_TESTS_TESTSUPPORT_H
#define TSXMLLIB_TESTS_TESTSUPPORT_H

#include "tsxmllib/TsException.h"

#include <cstdio>
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

// Whether the independent command-line checker of the platform's XML tools
// accepts the text as a well-formed document; its complaint goes to error.
inline bool IsWellFormedXml(const std::string& text, std::string& error)
{
    FILE* pipe = popen("xmllint --noout - >/dev/null 2>&1", "w");
    if (!pipe) {
        error = "xmllint could not be started";
        return false;
    }
    std::fwrite(text.data(), 1, text.size(), pipe);
    const int status = pclose(pipe);
    if (status != 0)
        error = "xmllint refused the text (status " + std::to_string(status) + ")";
    return status == 0;
}

} // namespace TestSupport

#endif
