// Turning a row of `SELECT *` into its record, column by column in table order.
#pragma once

#include "storage/key_assignment.h"
#include "storage/light_records.h"
#include "storage/macro_record.h"
#include "storage/profile_record.h"

class SQLiteStatement;

ProfileRecord ReadProfileRow(const SQLiteStatement& row);
KeyAssignment ReadKeyAssignmentRow(const SQLiteStatement& row);
MacroRecord ReadMacroRow(const SQLiteStatement& row);
MacroEvent ReadMacroEventRow(const SQLiteStatement& row);
LightModeRecord ReadLightModeRow(const SQLiteStatement& row);
KeyColour ReadKeyColourRow(const SQLiteStatement& row);
MusicLayerRecord ReadMusicLayerRow(const SQLiteStatement& row);
