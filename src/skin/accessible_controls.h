#pragma once

// What screen readers see of skin controls beyond Qt's own reading of the widgets: buttons,
// options and menu items whose accessible actions are a user's click, sliders that speak in
// the user's units, and drop-downs named by their purpose rather than by their value.

namespace nimba::skin {

// Registers the interfaces with Qt once; later calls do nothing.
void InstallAccessibleControls();

}  // namespace nimba::skin
