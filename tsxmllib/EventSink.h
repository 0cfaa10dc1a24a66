// Change notifications that collections send to their owner.
#ifndef TSXMLLIB_EVENTSINK_H
#define TSXMLLIB_EVENTSINK_H

#include "tsxmllib/Export.h"

namespace TsXmlLib16 {

class CXmlObjectBase;

class TSXMLLIB_EXPORT IEventSink {
public:
    enum MsgType {
        OnCollectionChange = 0,
        OnCollectionAdd = 1,            // data: the item being added
        OnCollectionAddComplete = 2,    // data: the item that was added
        OnCollectionRemove = 3,         // data: int* index being removed, null for all
        OnCollectionRemoveComplete = 4  // data: as for OnCollectionRemove
    };
    virtual void OnEvent(CXmlObjectBase* source, MsgType type, void* data) = 0;
};

// Implemented by generated classes whose element is nillable.
class TSXMLLIB_EXPORT INillable {
public:
    virtual bool IsNil() = 0;
    virtual void SetNil(bool nil) = 0;

protected:
    ~INillable() = default;
};

} // namespace TsXmlLib16

#endif
