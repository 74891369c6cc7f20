// Light modes, per-key colours and the music visualizer's layer.
#include "storage/device_database.h"
#include "storage/row_readers.h"
#include "storage/sql_query.h"
#include "storage/sqlite_auto_transaction.h"

using namespace sql_query;

namespace {

// The visualizer keeps one layer, always in profile 1 with layer id 1.
constexpr int kMusicProfile = 1;
constexpr int kMusicLayer = 1;

}  // namespace

int DeviceDatabase::CountLightModes(int profile) {
    const std::lock_guard guard(lock_);
    return ReadInt(database_, "select count(*) FROM t_light_data WHERE profile = ?", 0, profile);
}

int DeviceDatabase::InsertLightMode(const LightModeRecord& record) {
    const std::lock_guard guard(lock_);
    return Insert(database_,
                  "INSERT INTO t_light_data(profile, name, mode, brightness, speed, direction, "
                  "colorful, colorindex, color_value, config_func, reserved, status) "
                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?);",
                  record.profile, record.name, record.mode, record.brightness, record.speed,
                  record.direction, record.colorful, record.colorindex, record.color_value,
                  record.config_func, record.reserved, record.status);
}

bool DeviceDatabase::UpdateLightMode(int profile, int mode, const LightModeRecord& record) {
    const std::lock_guard guard(lock_);
    return Write(database_,
                 "UPDATE t_light_data SET brightness = ?, speed = ?, direction = ?, "
                 "colorful = ?, colorindex = ?, color_value = ?, config_func = ?, reserved = ? "
                 "WHERE profile = ? AND mode = ?",
                 record.brightness, record.speed, record.direction, record.colorful,
                 record.colorindex, record.color_value, record.config_func, record.reserved,
                 profile, mode);
}

bool DeviceDatabase::SetActiveLightMode(int profile, int mode) {
    const std::lock_guard guard(lock_);
    SQLiteAutoTransaction transaction(&database_);
    return transaction.Begin() && Write(database_, "UPDATE t_light_data SET status = ?", 0) &&
           Write(database_, "UPDATE t_light_data SET status = ? WHERE profile = ? and mode = ?", 1,
                 profile, mode) &&
           transaction.End();
}

int DeviceDatabase::GetActiveLightMode(int profile) {
    const std::lock_guard guard(lock_);
    return ReadInt(database_, "SELECT mode FROM t_light_data WHERE profile = ? and status = ?", 0,
                   profile, 1);
}

bool DeviceDatabase::GetLightMode(int profile, int mode, LightModeRecord& record) {
    const std::lock_guard guard(lock_);
    return ReadRow(
        database_, "SELECT * FROM t_light_data WHERE profile = ? AND mode = ?",
        [&](const SQLiteStatement& row) { record = ReadLightModeRow(row); }, profile, mode);
}

int DeviceDatabase::ListLightModes(int profile, std::vector<LightModeRecord>& records) {
    const std::lock_guard guard(lock_);
    return ReadRows(database_, "SELECT * FROM t_light_data WHERE profile = ?", records,
                    ReadLightModeRow, profile);
}

int DeviceDatabase::InsertKeyColours(const std::vector<KeyColour>& records) {
    const std::lock_guard guard(lock_);
    SQLiteAutoTransaction transaction(&database_);
    if (!transaction.Begin()) {
        return 0;
    }
    for (const KeyColour& record : records) {
        Write(database_,
              "INSERT INTO t_key_light_data(profile, light_id, key_code, key_rgb) "
              "VALUES (?, ?, ?, ?);",
              record.profile, record.light_id, record.key_code, record.key_rgb);
    }
    return transaction.End() ? static_cast<int>(records.size()) : 0;
}

bool DeviceDatabase::DeleteKeyColours() {
    const std::lock_guard guard(lock_);
    return Write(database_, "DELETE FROM t_key_light_data WHERE light_id = ?", kFirstKeyColourSlot);
}

int DeviceDatabase::ListKeyColours(int light_id, std::vector<KeyColour>& records) {
    const std::lock_guard guard(lock_);
    return ReadRows(database_, "SELECT * FROM t_key_light_data WHERE light_id = ?", records,
                    ReadKeyColourRow, light_id);
}

int DeviceDatabase::CountMusicLayers() {
    const std::lock_guard guard(lock_);
    return ReadInt(database_, "select count(*) FROM t_musiclayer_data WHERE profile = ?", 0,
                   kMusicProfile);
}

int DeviceDatabase::InsertMusicLayer(const CString& name, int foremode) {
    const std::lock_guard guard(lock_);
    return Insert(database_,
                  "INSERT INTO t_musiclayer_data(profile, name, deviceindex, foremode, "
                  "fore_amplitude, backmode, backb_right, sel) VALUES (?, ?, ?, ?, ?, ?, ?, ?);",
                  kMusicProfile, name, 0, foremode, 300, 0, 100, 0);
}

bool DeviceDatabase::GetMusicLayer(int layer_id, MusicLayerRecord& record) {
    const std::lock_guard guard(lock_);
    return ReadRow(
        database_, "SELECT * FROM t_musiclayer_data WHERE layer_id = ?",
        [&](const SQLiteStatement& row) { record = ReadMusicLayerRow(row); }, layer_id);
}

bool DeviceDatabase::UpdateMusicLayer(const MusicLayerRecord& record) {
    const std::lock_guard guard(lock_);
    return Write(database_,
                 "UPDATE t_musiclayer_data SET deviceindex= ?, foremode= ?, fore_amplitude = ?, "
                 "backmode= ?, backb_right= ? WHERE layer_id = ?",
                 record.deviceindex, record.foremode, record.fore_amplitude, record.backmode,
                 record.backb_right, kMusicLayer);
}

bool DeviceDatabase::SelectMusicLayer() {
    const std::lock_guard guard(lock_);
    SQLiteAutoTransaction transaction(&database_);
    return transaction.Begin() &&
           Write(database_, "UPDATE t_musiclayer_data SET sel = ? WHERE profile = ?", 0,
                 kMusicProfile) &&
           Write(database_,
                 "UPDATE t_musiclayer_data SET sel = ? WHERE profile = ? AND layer_id = ?", 1,
                 kMusicProfile, kMusicLayer) &&
           transaction.End();
}

int DeviceDatabase::GetSelectedMusicLayer() {
    const std::lock_guard guard(lock_);
    return ReadInt(database_,
                   "SELECT layer_id FROM t_musiclayer_data WHERE profile = ? AND sel = ?", 0,
                   kMusicProfile, 1);
}
