#pragma once

// Win32-shaped rectangles and points for control positions, menus and windows.

#include <cstdint>

struct RECT {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

struct POINT {
    int32_t x = 0;
    int32_t y = 0;
};

struct SIZE {
    int32_t cx = 0;
    int32_t cy = 0;
};
