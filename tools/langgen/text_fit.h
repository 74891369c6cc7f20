// Measuring texts the way the toolkit lays them out, to find texts too long for their place.
#pragma once

#include <memory>
#include <string>

#include "language_table.h"

struct _PangoContext;

class TextFit {
public:
    // Texts are measured in `face`, the family the toolkit draws its texts with.
    explicit TextFit(const std::string& face);
    ~TextFit();
    TextFit(const TextFit&) = delete;
    TextFit& operator=(const TextFit&) = delete;

    // The size `text` takes in `room`: its width on one line (TextRoom::Kind::kLine), or the
    // height of its lines wrapped at the room's width (kBlock); 0 for a room of kind kNone.
    int Measure(const std::string& text, const TextRoom& room) const;

    // Whether `text` fits: Measure() within the room's width or height.
    bool Fits(const std::string& text, const TextRoom& room) const;

private:
    std::string face_;
    std::unique_ptr<_PangoContext, void (*)(void*)> context_;
};
