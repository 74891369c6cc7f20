// The keyboard pictures of the layouts, drawn from the layout's own key rectangles so that what
// the user sees and where a click lands can never disagree.
#pragma once

#include "canvas.h"
#include "layout_reader.h"

// The picture at the layout's size: the case and one key cap on every key rectangle.
SurfacePtr DrawKeyboardPicture(const KeyboardLayout& layout);
