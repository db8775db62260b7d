#include "skin/window_z_order.h"

#include <algorithm>

namespace nimba::skin {
namespace {

std::vector<WindowImplBase*>& Stack() {
    static std::vector<WindowImplBase*> stack;
    return stack;
}

}  // namespace

const std::vector<WindowImplBase*>& WindowsInZOrder() {
    return Stack();
}

void RaiseInZOrder(WindowImplBase* window) {
    LeaveZOrder(window);
    Stack().push_back(window);
}

void LeaveZOrder(WindowImplBase* window) {
    std::erase(Stack(), window);
}

}  // namespace nimba::skin
