#pragma once

// Builds a control tree from an XML skin file (paths relative to the resource path).
// A file whose root is <Window> also sets the window's size, caption, fonts and colours on the
// paint manager; any other root is a template whose root element is the control built.

#include <string_view>

class CControlUI;
class CPaintManagerUI;

class CDialogBuilder {
public:
    // Null when the file is missing, malformed or names no control.
    CControlUI* Create(std::u16string_view xml_file, CPaintManagerUI* manager = nullptr);
    CControlUI* CreateFromString(std::u16string_view xml, CPaintManagerUI* manager = nullptr);
};
