// Uses a few exported classes through the installed headers only.
#include "tsxmllib/BinaryData.h"
#include "tsxmllib/TsException.h"

#include <cstdio>

int main()
{
    TsXmlLib16::CBinaryData data("Man");
    try {
        data.SetAsHexString("0G");
    } catch (const TsXmlLib16::CTsException& e) {
        std::printf("%s %s\n", TsXmlLib16::CBinaryData("Man").GetAsBase64().c_str(), e.GetMessage().c_str());
        return 0;
    }
    return 1;
}
