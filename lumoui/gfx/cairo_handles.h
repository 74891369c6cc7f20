// Owning handles for the cairo, pango and fontconfig objects the graphics layer creates.
// Used inside the graphics layer only.
#pragma once

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <glib-object.h>
#include <pango/pango.h>

#include <memory>

namespace LumoUI::gfx {

template <typename T, void (*Release)(T*)>
struct Releaser {
    void operator()(T* p) const {
        if (p != nullptr) {
            Release(p);
        }
    }
};

inline void UnrefObject(void* object) {
    g_object_unref(object);
}

using CairoPtr = std::unique_ptr<cairo_t, Releaser<cairo_t, cairo_destroy>>;
using SurfacePtr =
    std::unique_ptr<cairo_surface_t, Releaser<cairo_surface_t, cairo_surface_destroy>>;
using PatternPtr =
    std::unique_ptr<cairo_pattern_t, Releaser<cairo_pattern_t, cairo_pattern_destroy>>;
using FontOptionsPtr = std::unique_ptr<cairo_font_options_t,
                                       Releaser<cairo_font_options_t, cairo_font_options_destroy>>;
using PangoContextPtr = std::unique_ptr<PangoContext, Releaser<void, UnrefObject>>;
using PangoLayoutPtr = std::unique_ptr<PangoLayout, Releaser<void, UnrefObject>>;
using PangoFontPtr = std::unique_ptr<PangoFont, Releaser<void, UnrefObject>>;
using FontDescriptionPtr =
    std::unique_ptr<PangoFontDescription,
                    Releaser<PangoFontDescription, pango_font_description_free>>;
using AttrListPtr = std::unique_ptr<PangoAttrList, Releaser<PangoAttrList, pango_attr_list_unref>>;
using FontMetricsPtr =
    std::unique_ptr<PangoFontMetrics, Releaser<PangoFontMetrics, pango_font_metrics_unref>>;
using FcPatternPtr = std::unique_ptr<FcPattern, Releaser<FcPattern, FcPatternDestroy>>;
using FcFontSetPtr = std::unique_ptr<FcFontSet, Releaser<FcFontSet, FcFontSetDestroy>>;
using FcObjectSetPtr = std::unique_ptr<FcObjectSet, Releaser<FcObjectSet, FcObjectSetDestroy>>;

}  // namespace LumoUI::gfx
