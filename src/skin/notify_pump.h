#pragma once

// Routes notifications by event name to handlers, and by virtual-window name to other pumps
// (a page hosted inside a window registers itself under the name its controls carry).

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "skin/notify.h"

class CNotifyPump {
public:
    using Handler = std::function<void(TNotifyUI&)>;
    // One message-map entry: event name, sender name (empty = any control), handler.
    struct MessageMapEntry {
        std::u16string type;
        std::u16string control;
        Handler handler;
    };

    virtual ~CNotifyPump() = default;

    bool AddVirtualWnd(const std::u16string& name, CNotifyPump* pump);
    bool RemoveVirtualWnd(const std::u16string& name);
    // A notification naming a registered virtual window goes to that pump's map, any other
    // to this pump's own. True when a handler ran.
    bool NotifyPump(TNotifyUI& msg);

    virtual const std::vector<MessageMapEntry>& GetMessageMap() const { return message_map_; }

protected:
    void MapMessage(std::u16string type, std::u16string control, Handler handler);

private:
    bool LoopDispatch(TNotifyUI& msg);

    std::vector<MessageMapEntry> message_map_;
    std::map<std::u16string, CNotifyPump*> virtual_wnds_;
};
