// The layout of a keyboard's database file and the configuration rows written with the first
// profiles. Stored files depend on this text and this order: change neither.
#pragma once

#include <span>

// The statements that create the nine tables and eight indexes, in the order they run.
std::span<const char* const> SchemaStatements();

struct DefaultConfigRow {
    const wchar_t* key;
    const wchar_t* value;
};

// The text settings written for profile 1 when the default profiles are created.
std::span<const DefaultConfigRow> DefaultConfigRows();
