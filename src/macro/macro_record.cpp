#include "macro/macro_record.h"

#include <algorithm>

namespace nimba {

int MacroWeight(const MacroRecord& record) {
    const int used = std::clamp(record.action_count, 0, kMaxMacroActions);
    int weight = 0;
    for (int i = 0; i < used; ++i) {
        weight += record.actions[i].delay_ms > kSingleSlotDelayMs ? 2 : 1;
    }
    return weight;
}

}  // namespace nimba
