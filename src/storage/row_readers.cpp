#include "storage/row_readers.h"

#include "storage/sqlite_statement.h"

ProfileRecord ReadProfileRow(const SQLiteStatement& row) {
    return {
        .profile = row.GetInt(0),
        .name = row.GetString(1),
        .status = row.GetInt(2),
        .app = row.GetString(3),
        .type = row.GetInt(4),
    };
}

KeyAssignment ReadKeyAssignmentRow(const SQLiteStatement& row) {
    return {
        .key_id = row.GetInt(0),
        .profile = row.GetInt(1),
        .fn_layer = row.GetInt(2),
        .key_code = row.GetInt(3),
        .layout_value = row.GetInt(4),
        .layout_desc = row.GetString(5),
        .macro_type = row.GetInt(6),
        .macro_value = row.GetInt(7),
        .macro_value2 = row.GetInt(8),
        .macro_value3 = row.GetInt(9),
        .macro_desc = row.GetString(10),
    };
}

MacroRecord ReadMacroRow(const SQLiteStatement& row) {
    return {
        .macro_id = row.GetInt(0),
        .play_times = row.GetInt(1),
        .delay_type = row.GetInt(2),
        .delay_time = row.GetInt(3),
        .link_count = row.GetInt(4),
        .loop_type = row.GetInt(5),
        .name = row.GetString(6),
    };
}

MacroEvent ReadMacroEventRow(const SQLiteStatement& row) {
    return {
        .record_id = row.GetInt(0),
        .macro_id = row.GetInt(1),
        .type = row.GetInt(2),
        .record_index = row.GetInt(3),
        .desc = row.GetString(4),
        .value = row.GetInt(5),
        .delay_time = row.GetInt(6),
    };
}

LightModeRecord ReadLightModeRow(const SQLiteStatement& row) {
    return {
        .light_id = row.GetInt(0),
        .profile = row.GetInt(1),
        .name = row.GetString(2),
        .mode = row.GetInt(3),
        .brightness = row.GetInt(4),
        .speed = row.GetInt(5),
        .direction = row.GetInt(6),
        .colorful = row.GetInt(7),
        .colorindex = row.GetInt(8),
        .color_value = row.GetInt(9),
        .config_func = row.GetInt(10),
        .reserved = row.GetInt(11),
        .status = row.GetInt(12),
    };
}

KeyColour ReadKeyColourRow(const SQLiteStatement& row) {
    return {
        .keylight_id = row.GetInt(0),
        .profile = row.GetInt(1),
        .light_id = row.GetInt(2),
        .key_code = row.GetInt(3),
        .key_rgb = row.GetInt(4),
    };
}

MusicLayerRecord ReadMusicLayerRow(const SQLiteStatement& row) {
    return {
        .layer_id = row.GetInt(0),
        .profile = row.GetInt(1),
        .name = row.GetString(2),
        .deviceindex = row.GetInt(3),
        .foremode = row.GetInt(4),
        .fore_amplitude = row.GetInt(5),
        .backmode = row.GetInt(6),
        .backb_right = row.GetInt(7),
    };
}
