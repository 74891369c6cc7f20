// One key's colour as the keyboard picture shows it: what a streamed frame is made of.
#pragma once

#include "lumoui/base/colors.h"

struct KeyLight {
    int key_code = 0;
    COLORREF colour = 0;  // 0x00BBGGRR
};
