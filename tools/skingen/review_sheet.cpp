#include "review_sheet.h"

#include <algorithm>

#include "text.h"

namespace {

constexpr int kSheetWidth = 1500;
constexpr int kMargin = 16;
constexpr int kLabelWidth = 250;
constexpr int kGap = 6;
constexpr int kRowGap = 10;

// One row: a label, then the cells side by side, scaled down together when they are too wide.
class SheetWriter {
public:
    explicit SheetWriter(cairo_t* cr) : cr_(cr) {}

    // The height the row takes; draws it when `draw` is set.
    int Row(const std::string& title, const std::string& detail,
            const std::vector<cairo_surface_t*>& surfaces, bool draw) {
        int natural = 0;
        int tallest = 0;
        for (cairo_surface_t* s : surfaces) {
            natural += cairo_image_surface_get_width(s) + kGap;
            tallest = std::max(tallest, cairo_image_surface_get_height(s));
        }
        const int room = kSheetWidth - 2 * kMargin - kLabelWidth;
        const double scale = natural > room ? static_cast<double>(room) / natural : 1.0;
        const int height = std::max(34, static_cast<int>(tallest * scale) + 2);
        if (draw) {
            TextStyle label;
            label.size = 12;
            label.bold = true;
            DrawText(cr_, title, label, theme::kText, kMargin, y_);
            label.bold = false;
            label.size = 11;
            DrawText(cr_, scale < 1 ? detail + ", shown smaller" : detail, label, theme::kTextDim,
                     kMargin, y_ + 16);
            double x = kMargin + kLabelWidth;
            for (cairo_surface_t* s : surfaces) {
                const double w = cairo_image_surface_get_width(s) * scale;
                const double h = cairo_image_surface_get_height(s) * scale;
                // A dotted outline shows the frame's extent around transparent parts.
                cairo_rectangle(cr_, x - 0.5, y_ + 0.5, w + 1, h + 1);
                cairo_set_line_width(cr_, 1);
                const double dash[] = {2, 2};
                cairo_set_dash(cr_, dash, 2, 0);
                SetColor(cr_, theme::kLineHigh);
                cairo_stroke(cr_);
                cairo_set_dash(cr_, nullptr, 0, 0);
                cairo_save(cr_);
                cairo_translate(cr_, x, y_ + 1);
                cairo_scale(cr_, scale, scale);
                cairo_set_source_surface(cr_, s, 0, 0);
                cairo_paint(cr_);
                cairo_restore(cr_);
                x += w + kGap;
            }
            y_ += height + kRowGap;
        }
        return height + kRowGap;
    }

    void SetY(int y) { y_ = y; }

private:
    cairo_t* cr_;
    int y_ = kMargin;
};

// Animation frames hold coverage only; the sheet shows them as the animation file does.
SurfacePtr AnimationPreview(cairo_surface_t* coverage) {
    SurfacePtr preview =
        NewImage(cairo_image_surface_get_width(coverage), cairo_image_surface_get_height(coverage));
    ContextPtr cr = NewContext(preview.get());
    SetColor(cr.get(), theme::kWaitBackground);
    cairo_paint(cr.get());
    SetColor(cr.get(), theme::kAccent);
    cairo_mask_surface(cr.get(), coverage, 0, 0);
    cairo_surface_flush(preview.get());
    return preview;
}

std::string Detail(const RenderedImage& image) {
    const ImageSpec& spec = *image.spec;
    const std::string size =
        std::to_string(spec.frame_width) + "x" + std::to_string(spec.frame_height);
    switch (spec.arrangement) {
        case Arrangement::kStrip:
            return size + " x" + std::to_string(spec.frames) + " side by side";
        case Arrangement::kStack:
            return size + " x" + std::to_string(spec.frames) + " stacked";
        case Arrangement::kAnimation:
            return size + ", " + std::to_string(spec.frames) + " frames (GIF)";
        case Arrangement::kIcon:
            return "icon sizes " + spec.arg;
    }
    return size;
}

// The sheet's rows in order; returns the height they take.
int Walk(SheetWriter& writer, const std::vector<RenderedImage>& images,
         const std::vector<NamedPicture>& pictures, bool draw) {
    int total = 2 * kMargin;
    for (const RenderedImage& image : images) {
        std::vector<SurfacePtr> previews;
        std::vector<cairo_surface_t*> surfaces;
        for (const SurfacePtr& frame : image.frames) {
            if (image.spec->arrangement == Arrangement::kAnimation) {
                previews.push_back(AnimationPreview(frame.get()));
                surfaces.push_back(previews.back().get());
            } else {
                surfaces.push_back(frame.get());
            }
        }
        total += writer.Row(image.spec->name, Detail(image), surfaces, draw);
    }
    for (const NamedPicture& picture : pictures) {
        const std::string size = std::to_string(cairo_image_surface_get_width(picture.surface)) +
                                 "x" +
                                 std::to_string(cairo_image_surface_get_height(picture.surface));
        total += writer.Row(picture.name, size + ", from its layout", {picture.surface}, draw);
    }
    return total;
}

}  // namespace

SurfacePtr DrawReviewSheet(const std::vector<RenderedImage>& images,
                           const std::vector<NamedPicture>& pictures) {
    // Measure first on a scratch surface, then draw on one of the right height.
    SurfacePtr scratch = NewImage(1, 1);
    ContextPtr scratch_cr = NewContext(scratch.get());
    SheetWriter measure(scratch_cr.get());
    const int height = Walk(measure, images, pictures, false);

    SurfacePtr sheet = NewImage(kSheetWidth, height);
    ContextPtr cr = NewContext(sheet.get());
    SetColor(cr.get(), theme::kBackground);
    cairo_paint(cr.get());
    SheetWriter writer(cr.get());
    Walk(writer, images, pictures, true);
    cairo_surface_flush(sheet.get());
    return sheet;
}
