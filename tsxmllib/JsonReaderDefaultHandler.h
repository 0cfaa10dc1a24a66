// The first handler behind the JSON reader: traces every event to the debug
// trace, keeps the path of the member being read ("$.order.items[2].price")
// for error messages, and forwards the event to an optional inner handler.
#ifndef TSXMLLIB_JSONREADERDEFAULTHANDLER_H
#define TSXMLLIB_JSONREADERDEFAULTHANDLER_H

#include "tsxmllib/Export.h"
#include "tsxmllib/JsonReaderHandler.h"
#include "tsxmllib/TsException.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace TsXmlLib16 {

class TSXMLLIB_EXPORT CJsonReaderDefaultHandler : public IJsonReaderHandler, public IErrorPathProvider {
public:
    CJsonReaderDefaultHandler();
    ~CJsonReaderDefaultHandler() override;

    // Takes ownership of the handler; replaces (and deletes) any previous one.
    void SetInnerHandler(IJsonReaderHandler* handler);
    IJsonReaderHandler* GetInnerHandler() const { return m_inner.get(); }

    void StartDocument() override;
    void EndDocument() override;
    void Name(const std::string& name) override;
    void String(const std::string& value) override;
    void Number(const std::string& value) override;
    void StartObject() override;
    void EndObject() override;
    void StartArray() override;
    void EndArray() override;
    void Bool(bool value) override;
    void Null() override;

    std::string GetErrorPath() override;

private:
    enum ItemKind { Kind_Array = 0, Kind_Name = 1, Kind_Object = 2 };
    struct PathItem {
        std::string name;
        std::uint32_t index;
        ItemKind kind;
    };

    // Takes the name item on top of the stack, if there is one.
    bool PopName(std::string& name);
    // Removes the items up to and including the nearest one of the kind.
    void PopThrough(ItemKind kind);

    std::vector<PathItem> m_path;
    std::unique_ptr<IJsonReaderHandler> m_inner;
};

} // namespace TsXmlLib16

#endif
