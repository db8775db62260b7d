#pragma once

// Sample values for the pictures, so that each window is seen as it looks in use rather than
// empty. Only what the program itself would show is filled in.

#include <string_view>

class CPaintManagerUI;

namespace nimba::gallery {

void FillSampleContent(std::u16string_view skin_file, CPaintManagerUI& pm);
// The main window with every section open, scrolled to the end of the settings.
void OpenAllSections(CPaintManagerUI& pm);

}  // namespace nimba::gallery
