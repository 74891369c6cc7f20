// skingen: draws the skin images of the program folder from the image table, and the keyboard
// pictures from the layout files.
//
//   skingen [--images TABLE] [--layouts FOLDER] [--out SKIN_FOLDER] [--sheet SHEET.png]
//
// --out writes every image below SKIN_FOLDER (keyboard pictures below its keyboard/ folder);
// --sheet writes the review sheet. TABLE and FOLDER default to the ones in the source tree;
// an empty FOLDER draws no keyboard pictures.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "image_table.h"
#include "keyboard_picture.h"
#include "layout_reader.h"
#include "review_sheet.h"
#include "skin_renderer.h"

namespace {

struct Options {
    std::string images = SKINGEN_SOURCE_DIR "/tools/skingen/images.tsv";
    std::string layouts = SKINGEN_SOURCE_DIR "/data/layouts";
    std::string out;
    std::string sheet;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (i + 1 >= argc) {
            return false;
        }
        const std::string value = argv[++i];
        if (flag == "--images") {
            options.images = value;
        } else if (flag == "--layouts") {
            options.layouts = value;
        } else if (flag == "--out") {
            options.out = value;
        } else if (flag == "--sheet") {
            options.sheet = value;
        } else {
            return false;
        }
    }
    return !options.out.empty() || !options.sheet.empty();
}

struct Picture {
    std::string name;
    SurfacePtr surface;
};

// The pictures of every layout file in the folder, in file name order.
bool DrawPictures(const std::string& folder, std::vector<Picture>& pictures) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".xml") {
            files.push_back(entry.path());
        }
    }
    if (error) {
        std::cerr << folder << ": " << error.message() << "\n";
        return false;
    }
    std::sort(files.begin(), files.end());
    bool ok = true;
    for (const auto& file : files) {
        const auto layout = ReadKeyboardLayout(file.string());
        if (!layout) {
            ok = false;
            continue;
        }
        pictures.push_back({"keyboard/" + layout->image, DrawKeyboardPicture(*layout)});
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::cerr << "usage: skingen [--images TABLE] [--layouts FOLDER] [--out SKIN_FOLDER] "
                     "[--sheet SHEET.png]\n";
        return 2;
    }
    const auto specs = ReadImageTable(options.images);
    if (!specs) {
        return 1;
    }
    std::vector<RenderedImage> images;
    for (const ImageSpec& spec : *specs) {
        images.push_back(RenderImage(spec));
    }
    std::vector<Picture> pictures;
    // An empty layouts folder draws no keyboard pictures (the toolkit's own images).
    bool ok = options.layouts.empty() || DrawPictures(options.layouts, pictures);
    if (!options.out.empty()) {
        for (const RenderedImage& image : images) {
            ok = WriteImage(image, options.out) && ok;
        }
        for (const Picture& picture : pictures) {
            ok = WritePngFile(picture.surface.get(), options.out + "/" + picture.name) && ok;
        }
    }
    if (!options.sheet.empty()) {
        std::vector<NamedPicture> named;
        for (const Picture& picture : pictures) {
            named.push_back({picture.name, picture.surface.get()});
        }
        ok = WritePngFile(DrawReviewSheet(images, named).get(), options.sheet) && ok;
    }
    return ok ? 0 : 1;
}
