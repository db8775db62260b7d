#pragma once

// The look shared by every window: the style sheet "theme.qss" of the skin folder, whose
// pictures are named "skin:<path>" relative to that folder.

#include <QString>

namespace nimba::gallery {

// Applies the theme of `res_dir` to the application. False when the sheet cannot be read.
bool ApplyTheme(const QString& res_dir);

}  // namespace nimba::gallery
