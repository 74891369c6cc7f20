// The Windows icon container with PNG images inside, as the program's icon file uses it.
#pragma once

#include <string>
#include <vector>

struct IconImage {
    int size = 0;     // width and height in pixels, 1 to 256
    std::string png;  // the image as a PNG file
};

// The file's bytes: the directory followed by the images in the given order.
std::string EncodeIco(const std::vector<IconImage>& images);
