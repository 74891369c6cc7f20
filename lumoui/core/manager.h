// Process-wide settings of the toolkit: the program's module, its name, the default text face
// and size, the selection colour and the theme; and the message loop for windows that are
// not shown modally.
#pragma once

#include "lumoui/base/colors.h"
#include "lumoui/base/cstring.h"
#include "lumoui/base/lumoui_export.h"
#include "lumoui/win/win_types.h"

namespace LumoUI {

class MWindow;

class LUMOUI_API Manager {
public:
    // The module windows are registered for and resources are loaded from; none until the
    // program sets its own at start-up.
    static void SetInstance(HINSTANCE instance);
    static HINSTANCE GetInstance();

    // Runs the calling thread's messages until WM_QUIT and gives its exit code. A message
    // that arrives while Alt and F4 are both held is dropped, so Alt+F4 closes no window.
    static int MessageLoop();
    // 1 for a message MessageLoop drops.
    static int PreTranslateMessage(MSG* msg);

    // Start-up and shut-down of the drawing services. The drawing layer needs no start-up,
    // so both only count; they are kept so the program's start-up sequence reads as it is.
    static int InitGdiplus();
    static void UnInitGdiplus();

    // A set of windows kept for the program; nothing in the toolkit reads it.
    static void AddWnd(MWindow* window);
    static void DeleteWnd(MWindow* window);
    static bool HasWnd(MWindow* window);

    // The program name; "Brimlow" until the program sets its own at start-up.
    static void SetDeviceName(const CString& name);
    static CString GetDeviceName();

    static void SetFont(const CString& face, int size);
    static void SetFontName(const CString& face);
    static CString GetFontName();
    static int GetFontWidth();

    static ARGB GetSelectColor();

    // The theme folder inside the skins folder; fixed.
    static CString GetTheme();
};

}  // namespace LumoUI
