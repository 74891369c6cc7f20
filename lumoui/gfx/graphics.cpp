#include "lumoui/gfx/graphics.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "lumoui/gfx/cairo_handles.h"
#include "lumoui/gfx/device_context.h"
#include "lumoui/gfx/surface_painter.h"
#include "lumoui/gfx/text_engine.h"

namespace LumoUI {

struct GraphicsData {
    struct Modes {
        SmoothingMode smoothing = SmoothingModeDefault;
        InterpolationMode interpolation = InterpolationModeBilinear;
        TextRenderingHint textHint = TextRenderingHintSystemDefault;
        CompositingMode compositing = CompositingModeSourceOver;
    };

    gfx::CairoPtr cr;
    std::optional<CRect> baseClip;  // in device pixels
    Modes modes;
    std::vector<Modes> saved;
    gfx::PangoContextPtr text;
    int textHint = -1;  // the hint `text` is set up for

    void ApplyBaseClip() const {
        if (!baseClip) {
            return;
        }
        cairo_matrix_t m;
        cairo_get_matrix(cr.get(), &m);
        cairo_identity_matrix(cr.get());
        cairo_new_path(cr.get());
        cairo_rectangle(cr.get(), baseClip->left, baseClip->top, baseClip->Width(),
                        baseClip->Height());
        cairo_clip(cr.get());
        cairo_set_matrix(cr.get(), &m);
    }

    void SetSource(Color c) const {
        cairo_set_source_rgba(cr.get(), c.GetR() / 255.0, c.GetG() / 255.0, c.GetB() / 255.0,
                              c.GetA() / 255.0);
    }

    void Fill(Color color) const {
        SetSource(color);
        cairo_fill(cr.get());
    }

    void Stroke(const Pen& pen) const {
        cairo_t* c = cr.get();
        const double width = pen.GetWidth() > 0 ? pen.GetWidth() : 1.0;
        cairo_set_line_width(c, width);
        cairo_set_line_cap(c, CAIRO_LINE_CAP_BUTT);
        cairo_set_line_join(c, CAIRO_LINE_JOIN_MITER);
        std::vector<double> dashes;
        switch (pen.GetDashStyle()) {
            case DashStyleDash:
                dashes = {3, 1};
                break;
            case DashStyleDot:
                dashes = {1, 1};
                break;
            case DashStyleDashDot:
                dashes = {3, 1, 1, 1};
                break;
            case DashStyleDashDotDot:
                dashes = {3, 1, 1, 1, 1, 1};
                break;
            default:
                break;
        }
        for (double& d : dashes) {
            d *= width;
        }
        cairo_set_dash(c, dashes.data(), static_cast<int>(dashes.size()), 0);
        SetSource(pen.GetColor());
        cairo_stroke(c);
    }

    PangoContext* TextContext() {
        PangoFontMap* map = gfx::FontMapForThisThread();
        if (!text || pango_context_get_font_map(text.get()) != map) {
            text.reset(pango_font_map_create_context(map));
            textHint = -1;
        }
        pango_cairo_update_context(cr.get(), text.get());
        if (textHint != modes.textHint) {
            gfx::ApplyRenderingHint(text.get(), modes.textHint);
            textHint = modes.textHint;
        }
        return text.get();
    }
};

namespace {

cairo_antialias_t AntialiasFor(SmoothingMode mode) {
    return mode == SmoothingModeHighQuality || mode == SmoothingModeAntiAlias
               ? CAIRO_ANTIALIAS_DEFAULT
               : CAIRO_ANTIALIAS_NONE;
}

void Rectangle(cairo_t* cr, const RectF& r) {
    cairo_new_path(cr);
    cairo_rectangle(cr, r.X, r.Y, r.Width, r.Height);
}

void Ellipse(cairo_t* cr, const RectF& r) {
    Path path;
    path.AddEllipse(r);
    path.AppendTo(cr);
}

}  // namespace

Graphics::Graphics(Bitmap& target) : Graphics(&target, std::nullopt) {}

Graphics::Graphics(const DeviceContext& dc) : Graphics(dc.GetBitmap(), dc.GetClipRect()) {}

Graphics::Graphics(Bitmap* target, std::optional<CRect> clip)
    : data_(std::make_unique<GraphicsData>()) {
    if (target == nullptr || target->IsEmpty()) {
        return;
    }
    data_->cr.reset(cairo_create(target->Surface()));
    cairo_set_antialias(data_->cr.get(), AntialiasFor(data_->modes.smoothing));
    cairo_set_fill_rule(data_->cr.get(), CAIRO_FILL_RULE_EVEN_ODD);
    data_->baseClip = clip;
    data_->ApplyBaseClip();
}

Graphics::~Graphics() {
    if (data_->cr) {
        cairo_surface_mark_dirty(cairo_get_target(data_->cr.get()));
    }
}

bool Graphics::IsValid() const {
    return data_->cr != nullptr;
}

void Graphics::SetSmoothingMode(SmoothingMode mode) {
    data_->modes.smoothing = mode;
    if (IsValid()) {
        cairo_set_antialias(data_->cr.get(), AntialiasFor(mode));
    }
}

SmoothingMode Graphics::GetSmoothingMode() const {
    return data_->modes.smoothing;
}

void Graphics::SetInterpolationMode(InterpolationMode mode) {
    data_->modes.interpolation = mode;
}

InterpolationMode Graphics::GetInterpolationMode() const {
    return data_->modes.interpolation;
}

void Graphics::SetTextRenderingHint(TextRenderingHint hint) {
    data_->modes.textHint = hint;
}

TextRenderingHint Graphics::GetTextRenderingHint() const {
    return data_->modes.textHint;
}

void Graphics::SetCompositingMode(CompositingMode mode) {
    data_->modes.compositing = mode;
    if (IsValid()) {
        cairo_set_operator(data_->cr.get(), mode == CompositingModeSourceCopy
                                                ? CAIRO_OPERATOR_SOURCE
                                                : CAIRO_OPERATOR_OVER);
    }
}

CompositingMode Graphics::GetCompositingMode() const {
    return data_->modes.compositing;
}

GraphicsState Graphics::Save() {
    const auto state = static_cast<GraphicsState>(data_->saved.size());
    data_->saved.push_back(data_->modes);
    if (IsValid()) {
        cairo_save(data_->cr.get());
    }
    return state;
}

void Graphics::Restore(GraphicsState state) {
    if (state < 0 || static_cast<size_t>(state) >= data_->saved.size()) {
        return;
    }
    while (data_->saved.size() > static_cast<size_t>(state)) {
        data_->modes = data_->saved.back();
        data_->saved.pop_back();
        if (IsValid()) {
            cairo_restore(data_->cr.get());
        }
    }
}

void Graphics::TranslateTransform(float dx, float dy) {
    if (IsValid()) {
        cairo_translate(data_->cr.get(), dx, dy);
    }
}

void Graphics::ResetTransform() {
    if (IsValid()) {
        cairo_identity_matrix(data_->cr.get());
    }
}

void Graphics::SetClip(const CRect& rect) {
    if (!IsValid()) {
        return;
    }
    cairo_reset_clip(data_->cr.get());
    data_->ApplyBaseClip();
    IntersectClip(rect);
}

void Graphics::IntersectClip(const CRect& rect) {
    if (!IsValid()) {
        return;
    }
    cairo_t* cr = data_->cr.get();
    Rectangle(cr, RectF(rect));
    cairo_clip(cr);
}

void Graphics::ResetClip() {
    if (!IsValid()) {
        return;
    }
    cairo_reset_clip(data_->cr.get());
    data_->ApplyBaseClip();
}

void Graphics::Clear(Color color) {
    if (!IsValid()) {
        return;
    }
    cairo_t* cr = data_->cr.get();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    data_->SetSource(color);
    cairo_paint(cr);
    cairo_restore(cr);
}

void Graphics::FillRectangle(Color color, const RectF& rect) {
    if (!IsValid() || rect.IsEmptyArea()) {
        return;
    }
    Rectangle(data_->cr.get(), rect);
    data_->Fill(color);
}

void Graphics::FillEllipse(Color color, const RectF& rect) {
    if (!IsValid() || rect.IsEmptyArea()) {
        return;
    }
    Ellipse(data_->cr.get(), rect);
    data_->Fill(color);
}

void Graphics::FillPath(Color color, const Path& path) {
    if (!IsValid() || path.IsEmpty()) {
        return;
    }
    path.AppendTo(data_->cr.get());
    data_->Fill(color);
}

void Graphics::DrawRectangle(const Pen& pen, const RectF& rect) {
    if (!IsValid()) {
        return;
    }
    Rectangle(data_->cr.get(), rect);
    data_->Stroke(pen);
}

void Graphics::DrawEllipse(const Pen& pen, const RectF& rect) {
    if (!IsValid()) {
        return;
    }
    Ellipse(data_->cr.get(), rect);
    data_->Stroke(pen);
}

void Graphics::DrawLine(const Pen& pen, float x1, float y1, float x2, float y2) {
    if (!IsValid()) {
        return;
    }
    cairo_t* cr = data_->cr.get();
    cairo_new_path(cr);
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
    data_->Stroke(pen);
}

void Graphics::DrawPath(const Pen& pen, const Path& path) {
    if (!IsValid() || path.IsEmpty()) {
        return;
    }
    path.AppendTo(data_->cr.get());
    data_->Stroke(pen);
}

void Graphics::DrawImage(const Image* image, int x, int y) {
    if (image != nullptr) {
        DrawImage(image->GetActiveBitmap(), x, y);
    }
}

void Graphics::DrawImage(const Image* image, const CRect& dest) {
    if (image != nullptr) {
        DrawImage(image->GetActiveBitmap(), dest);
    }
}

void Graphics::DrawImage(const Image* image, const CRect& dest, const CRect& source) {
    if (image != nullptr) {
        DrawImage(image->GetActiveBitmap(), dest, source);
    }
}

void Graphics::DrawImage(const Bitmap& bitmap, int x, int y) {
    DrawImage(bitmap, CRect(CPoint(x, y), bitmap.Size()), bitmap.Bounds(), 255);
}

void Graphics::DrawImage(const Bitmap& bitmap, const CRect& dest) {
    DrawImage(bitmap, dest, bitmap.Bounds(), 255);
}

void Graphics::DrawImage(const Bitmap& bitmap, const CRect& dest, const CRect& source) {
    DrawImage(bitmap, dest, source, 255);
}

void Graphics::DrawImage(const Bitmap& bitmap, const CRect& dest, const CRect& source,
                         int opacity) {
    if (!IsValid()) {
        return;
    }
    gfx::PaintBitmapRect(data_->cr.get(), bitmap, source, RectF(dest),
                         gfx::FilterFor(data_->modes.interpolation),
                         std::clamp(opacity, 0, 255) / 255.0);
}

void Graphics::DrawString(const CString& text, const Font& font, const RectF& layout,
                          const StringFormat& format, Color color) {
    if (!IsValid() || !font.IsValid() || text.empty()) {
        return;
    }
    const gfx::LaidOutText laidOut = gfx::LayOutText(data_->TextContext(), text, font, layout,
                                                     format, gfx::IsGridFit(data_->modes.textHint));
    if (laidOut.lines.empty()) {
        return;
    }
    cairo_t* cr = data_->cr.get();
    cairo_save(cr);
    if (laidOut.clip) {
        Rectangle(cr, layout);
        cairo_clip(cr);
    }
    data_->SetSource(color);
    for (const gfx::TextLine& line : laidOut.lines) {
        cairo_move_to(cr, line.x, line.baseline);
        pango_cairo_show_layout_line(cr, line.line);
    }
    cairo_restore(cr);
}

void Graphics::DrawString(const CString& text, const Font& font, PointF origin, Color color) {
    DrawString(text, font, RectF(origin.X, origin.Y, 0, 0), StringFormat(), color);
}

RectF Graphics::MeasureString(const CString& text, const Font& font, const RectF& layout,
                              const StringFormat& format) const {
    if (!font.IsValid() || text.empty()) {
        return {};
    }
    PangoContext* context = IsValid() ? data_->TextContext() : gfx::MeasuringContext();
    return gfx::LayOutText(context, text, font, layout, format,
                           gfx::IsGridFit(data_->modes.textHint))
        .box;
}

}  // namespace LumoUI
