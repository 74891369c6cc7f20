// The codes a control sends its owner with OnBaseMessage(id, code, wparam, lparam), and the
// message that asks a toolkit window to close with a result.
#pragma once

#include "lumoui/win/win_messages.h"

constexpr UINT MN_PRESSED = 1;         // left button down inside (lists: wparam = item)
constexpr UINT MN_CLICKED = 2;         // released inside after a press, or chosen
constexpr UINT MN_DBLCLK = 3;          // double-clicked (wparam = item)
constexpr UINT MN_RCLICK = 5;          // right button released (wparam = item)
constexpr UINT MN_CHECKCHANGED = 7;    // check state changed
constexpr UINT MN_POSCHANGED = 8;      // scroll or slider position (wparam = position)
constexpr UINT MN_ITEMPRESSED = 9;     // an inner button pressed
constexpr UINT MN_TEXTCHANGED = 26;    // edit text changed
constexpr UINT MN_COLORCHANGED = 27;   // colour chosen (lparam = COLORREF)
constexpr UINT MN_VALUECHANGED = 28;   // spin value changed
constexpr UINT MN_EDITEND = 29;        // inline editing ended
constexpr UINT MN_EDITBEGIN = 30;      // inline editing started
constexpr UINT MN_BUTTONCLICKED = 31;  // an inner button clicked

// Posted by DoOK, DoCancel, DoClose, DoYes and DoNo: wparam is the close code (IDOK ...).
constexpr UINT WM_USERCLOSEWINDOW = WM_USER + 66;
