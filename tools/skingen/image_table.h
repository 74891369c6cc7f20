// The table of skin images (images.tsv): file name, frame size, frame count, how the frames are
// arranged, and the painter that draws them.
#pragma once

#include <optional>
#include <string>
#include <vector>

enum class Arrangement {
    kStrip,      // frames side by side (the toolkit's state strips)
    kStack,      // frames one below the other (the horizontal scroll bar)
    kAnimation,  // frames in time, written as an animated GIF
    kIcon,       // one picture at several sizes (the argument lists them), written as an ICO
};

struct ImageSpec {
    int line = 0;
    std::string name;  // path below the skin folder
    int frame_width = 0;
    int frame_height = 0;
    int frames = 1;
    Arrangement arrangement = Arrangement::kStrip;
    std::string painter;
    std::string arg;

    // The size of the written image: the whole strip or stack; one frame for the others.
    int Width() const;
    int Height() const;
    // The sizes of an icon image, from its argument ("16,32,256").
    std::vector<int> IconSizes() const;
};

// Reads and checks the table: known painters with arguments they take, positive sizes, frame
// counts fitting the arrangement, no name twice. Problems go to stderr; none when there was one.
std::optional<std::vector<ImageSpec>> ReadImageTable(const std::string& path);
