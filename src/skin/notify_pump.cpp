#include "skin/notify_pump.h"

#include "skin/control.h"

bool CNotifyPump::AddVirtualWnd(const std::u16string& name, CNotifyPump* pump) {
    if (name.empty() || pump == nullptr) return false;
    return virtual_wnds_.emplace(name, pump).second;
}

bool CNotifyPump::RemoveVirtualWnd(const std::u16string& name) {
    return virtual_wnds_.erase(name) > 0;
}

bool CNotifyPump::NotifyPump(TNotifyUI& msg) {
    if (!msg.sVirtualWnd.empty()) {
        auto it = virtual_wnds_.find(msg.sVirtualWnd);
        if (it != virtual_wnds_.end()) return it->second->LoopDispatch(msg);
    }
    return LoopDispatch(msg);
}

void CNotifyPump::MapMessage(std::u16string type, std::u16string control, Handler handler) {
    message_map_.push_back({std::move(type), std::move(control), std::move(handler)});
}

bool CNotifyPump::LoopDispatch(TNotifyUI& msg) {
    for (const MessageMapEntry& entry : GetMessageMap()) {
        if (entry.type != msg.sType) continue;
        if (!entry.control.empty() &&
            (msg.pSender == nullptr || msg.pSender->GetName() != entry.control))
            continue;
        entry.handler(msg);
        return true;
    }
    return false;
}
