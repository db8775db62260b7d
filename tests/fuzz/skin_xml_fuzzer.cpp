// A skin file as anyone may put beside the program. Whatever the builder makes of it is one
// tree whose named controls can all be found from its root, and goes away whole.

#include <QApplication>
#include <cstdint>
#include <memory>
#include <vector>

#include "fuzz_check.h"
#include "skin/control.h"
#include "skin/control_tree.h"
#include "skin/dialog_builder.h"
#include "skin/paint_manager.h"
#include "skin/skin_text.h"

namespace {

// Every control of the tree, each once.
void Collect(CControlUI& control, std::vector<CControlUI*>& all, size_t limit) {
    FUZZ_CHECK(all.size() < limit);
    all.push_back(&control);
    for (CControlUI* child : nimba::skin::ChildControls(control)) {
        FUZZ_CHECK(child != nullptr);
        Collect(*child, all, limit);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CPaintManagerUI manager;
    std::unique_ptr<CControlUI> root(
        CDialogBuilder().CreateFromString(nimba::skin::FromQ(text), &manager));
    if (!root) return 0;
    std::vector<CControlUI*> all;
    // No more controls than the file has elements.
    Collect(*root, all, static_cast<size_t>(text.count(u'<')) + 1);
    for (CControlUI* control : all) {
        if (!control->GetName().empty()) FUZZ_CHECK(root->FindControl(control->GetName()));
    }
    return 0;
}
