// The four process-wide switches. They are plain variables, meant to be set once
// at start-up before any document work.
#ifndef TSXMLLIB_GLOBALSETTINGS_H
#define TSXMLLIB_GLOBALSETTINGS_H

#include "tsxmllib/Export.h"

namespace TsXmlLib16 {

// Code page numbers understood by SetLocalCharEncoding.
enum : unsigned int {
    CodePage_ACP = 0,        // the current C locale's codeset
    CodePage_ThreadACP = 3,  // the same on this platform
    CodePage_UTF8 = 65001,
};

// Text is treated as 7-bit ASCII: conversions pass bytes through unchanged.
TSXMLLIB_EXPORT void ASCIIOnly(bool asciiOnly);
// Selects the encoding of the library's narrow strings (a code page number, 65001 = UTF-8).
TSXMLLIB_EXPORT void SetLocalCharEncoding(unsigned int codePage);
// ToXmlFile and ToJsonFile write straight to the file instead of building the output first.
TSXMLLIB_EXPORT void AsyncToXmlFile(bool async);
// Documents are read from files in chunks instead of in one read.
TSXMLLIB_EXPORT void AsyncFromXmlFile(bool async);

TSXMLLIB_EXPORT bool IsASCIIOnly();
TSXMLLIB_EXPORT unsigned int GetLocalCharEncoding();
TSXMLLIB_EXPORT bool IsAsyncToXmlFile();
TSXMLLIB_EXPORT bool IsAsyncFromXmlFile();

} // namespace TsXmlLib16

#endif
