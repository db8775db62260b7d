#pragma once

// Builds one skin file of the source tree's res/ into a control tree, as a window would.

#include <memory>
#include <string>

#include "skin/control.h"
#include "skin/paint_manager.h"

namespace nimba::test {

struct SkinTree {
    std::unique_ptr<CPaintManagerUI> manager = std::make_unique<CPaintManagerUI>();
    std::unique_ptr<CControlUI> root;

    CControlUI* Find(std::u16string_view name) const {
        return root ? root->FindControl(name) : nullptr;
    }
};

// Null root when the file is missing or cannot be built. Sets up Qt and the resource path once.
SkinTree LoadSkin(std::u16string_view file);
std::u16string Numbered(std::u16string_view head, int n);
std::string Utf8(std::u16string_view s);

}  // namespace nimba::test
