// The lighting rows: a light mode of a profile (t_light_data), one key's colour of a per-key
// slot (t_key_light_data) and the music visualizer's layer (t_musiclayer_data).
#pragma once

#include "lumoui/base/cstring.h"

struct LightModeRecord {
    int light_id = 0;
    int profile = 0;
    CString name{};  // the decimal key of the mode's name in the language file
    int mode = 0;    // the keyboard's mode number; identifies the row within a profile
    int brightness = 0;
    int speed = 0;
    int direction = 0;
    int colorful = 0;
    int colorindex = 0;
    int color_value = 0;  // 0x00BBGGRR
    int config_func = 0;  // the parameters and features the mode offers
    int reserved = 0;
    int status = 0;  // 1 for the profile's active mode

    bool operator==(const LightModeRecord&) const = default;
};

struct KeyColour {
    int keylight_id = 0;
    int profile = 0;
    int light_id = 0;  // the slot: 128 + slot index
    int key_code = 0;
    int key_rgb = 0;  // 0x00BBGGRR, 0 unlit

    bool operator==(const KeyColour&) const = default;
};

// The first per-key colour slot, the one the lighting page edits.
inline constexpr int kFirstKeyColourSlot = 128;

struct MusicLayerRecord {
    int layer_id = 0;
    int profile = 0;
    CString name{};
    int deviceindex = 0;
    int foremode = 0;
    int fore_amplitude = 0;
    int backmode = 0;
    int backb_right = 0;

    bool operator==(const MusicLayerRecord&) const = default;
};
