#include "tsxmllib/GlobalSettings.h"

namespace TsXmlLib16 {

namespace {
bool g_asciiOnly = false;
unsigned int g_localCodePage = CodePage_UTF8;
bool g_asyncToXmlFile = false;
bool g_asyncFromXmlFile = false;
} // namespace

void ASCIIOnly(bool asciiOnly) { g_asciiOnly = asciiOnly; }
void SetLocalCharEncoding(unsigned int codePage) { g_localCodePage = codePage; }
void AsyncToXmlFile(bool async) { g_asyncToXmlFile = async; }
void AsyncFromXmlFile(bool async) { g_asyncFromXmlFile = async; }

bool IsASCIIOnly() { return g_asciiOnly; }
unsigned int GetLocalCharEncoding() { return g_localCodePage; }
bool IsAsyncToXmlFile() { return g_asyncToXmlFile; }
bool IsAsyncFromXmlFile() { return g_asyncFromXmlFile; }

} // namespace TsXmlLib16
