// printf-style formatting into a CString with the conventions of wide-character Windows code:
// %s and %c take wide strings and characters (wchar_t), so format strings read as they do
// there. %hs and %hc take narrow ones.
#pragma once

#include <cstdarg>

#include "lumoui/base/cstring.h"
#include "lumoui/base/lumoui_export.h"

LUMOUI_API CString Format(const wchar_t* format, ...);
LUMOUI_API CString FormatV(const wchar_t* format, va_list args);
