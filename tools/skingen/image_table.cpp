#include "image_table.h"

#include <iostream>
#include <set>
#include <sstream>

#include "painters.h"
#include "tsv_file.h"

namespace {

std::optional<Arrangement> ParseArrangement(const std::string& text) {
    if (text == "strip")
        return Arrangement::kStrip;
    if (text == "stack")
        return Arrangement::kStack;
    if (text == "gif")
        return Arrangement::kAnimation;
    if (text == "ico")
        return Arrangement::kIcon;
    return std::nullopt;
}

}  // namespace

int ImageSpec::Width() const {
    return arrangement == Arrangement::kStrip ? frame_width * frames : frame_width;
}

int ImageSpec::Height() const {
    return arrangement == Arrangement::kStack ? frame_height * frames : frame_height;
}

std::vector<int> ImageSpec::IconSizes() const {
    std::vector<int> sizes;
    std::stringstream list(arg);
    std::string item;
    while (std::getline(list, item, ',')) {
        const auto size = ParsePositiveInt(item);
        sizes.push_back(size && *size <= 256 ? *size : 0);
    }
    return sizes;
}

std::optional<std::vector<ImageSpec>> ReadImageTable(const std::string& path) {
    const auto rows = ReadTsvFile(path, 6);
    if (!rows) {
        return std::nullopt;
    }
    std::vector<ImageSpec> specs;
    std::set<std::string> names;
    bool ok = true;
    const auto fail = [&](int line, const std::string& what) {
        std::cerr << path << ":" << line << ": " << what << "\n";
        ok = false;
    };
    for (const TsvRow& row : *rows) {
        ImageSpec spec;
        spec.line = row.line;
        spec.name = row.cells[0];
        const auto width = ParsePositiveInt(row.cells[1]);
        const auto height = ParsePositiveInt(row.cells[2]);
        const auto frames = ParsePositiveInt(row.cells[3]);
        const auto arrangement = ParseArrangement(row.cells[4]);
        spec.painter = row.cells[5];
        spec.arg = row.cells.size() > 6 ? row.cells[6] : "";
        if (!names.insert(spec.name).second) {
            fail(row.line, spec.name + " is listed twice");
        }
        if (!width || !height || !frames) {
            fail(row.line, "frame width, height and count must be positive numbers");
            continue;
        }
        if (!arrangement) {
            fail(row.line, "arrangement '" + row.cells[4] + "' is none of strip, stack, gif, ico");
            continue;
        }
        spec.frame_width = *width;
        spec.frame_height = *height;
        spec.frames = *frames;
        spec.arrangement = *arrangement;
        if (!FindPainter(spec.painter)) {
            fail(row.line, "no painter called '" + spec.painter + "'");
        } else if (spec.arrangement == Arrangement::kIcon) {
            for (const int size : spec.IconSizes()) {
                if (size == 0) {
                    fail(row.line, "icon sizes '" + spec.arg + "' must be numbers up to 256");
                }
            }
        } else if (!PainterTakesArg(spec.painter, spec.arg)) {
            fail(row.line, "painter '" + spec.painter + "' does not take '" + spec.arg + "'");
        }
        if (spec.arrangement == Arrangement::kAnimation && spec.frames < 2) {
            fail(row.line, "an animation needs at least two frames");
        }
        if (spec.arrangement == Arrangement::kIcon && spec.frames != 1) {
            fail(row.line, "an icon has one frame per size, given by its argument");
        }
        specs.push_back(std::move(spec));
    }
    if (!ok) {
        return std::nullopt;
    }
    return specs;
}
