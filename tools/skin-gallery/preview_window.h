#pragma once

// A window that only shows a skin file, for pictures of it.

#include <string>

#include "skin/window_impl_base.h"

namespace nimba::gallery {

class PreviewWindow : public WindowImplBase {
public:
    explicit PreviewWindow(std::u16string skin_file) : skin_file_(std::move(skin_file)) {}
    std::u16string GetWindowClassName() const override { return u"SkinPreview"; }
    std::u16string GetSkinFile() override { return skin_file_; }
    CPaintManagerUI& Manager() { return m_pm; }

private:
    std::u16string skin_file_;
};

}  // namespace nimba::gallery
