// Screen, monitor and input settings, and the calling thread's last error.
#include "lumoui/win/window_system.h"

using namespace LumoUI;

namespace {

HMONITOR const kPrimaryMonitor = reinterpret_cast<HMONITOR>(0x1);
thread_local DWORD t_lastError = ERROR_SUCCESS;

}  // namespace

UINT GetDoubleClickTime() {
    return 500;
}

UINT GetCaretBlinkTime() {
    return 530;
}

int GetSystemMetrics(int index) {
    const CRect screen = GetWindowBackend().ScreenRect();
    switch (index) {
        case SM_CXSCREEN:
        case SM_CXVIRTUALSCREEN:
            return screen.Width();
        case SM_CYSCREEN:
        case SM_CYVIRTUALSCREEN:
            return screen.Height();
        case SM_XVIRTUALSCREEN:
            return screen.left;
        case SM_YVIRTUALSCREEN:
            return screen.top;
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK:
        case SM_CXDRAG:
        case SM_CYDRAG:
            return 4;
        case SM_CXICON:
        case SM_CYICON:
            return 32;
        case SM_CXSMICON:
        case SM_CYSMICON:
            return 16;
        case SM_CMONITORS:
            return 1;
        case SM_SWAPBUTTON:
        default:
            return 0;
    }
}

BOOL SystemParametersInfoW(UINT action, UINT, void* value, UINT) {
    if (value == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    switch (action) {
        case SPI_GETWORKAREA:
            *static_cast<RECT*>(value) = GetWindowBackend().WorkArea();
            return TRUE;
        case SPI_GETMOUSEHOVERTIME:
            *static_cast<UINT*>(value) = 400;
            return TRUE;
        case SPI_GETMOUSEHOVERWIDTH:
        case SPI_GETMOUSEHOVERHEIGHT:
            *static_cast<UINT*>(value) = 4;
            return TRUE;
        case SPI_GETWHEELSCROLLLINES:
            *static_cast<UINT*>(value) = 3;
            return TRUE;
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
    }
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
    if (!IsWindow(hwnd) && flags == MONITOR_DEFAULTTONULL) {
        return nullptr;
    }
    return kPrimaryMonitor;
}

HMONITOR MonitorFromPoint(POINT point, DWORD flags) {
    if (flags == MONITOR_DEFAULTTONULL && !GetWindowBackend().ScreenRect().PtInRect(point)) {
        return nullptr;
    }
    return kPrimaryMonitor;
}

BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info) {
    if (monitor != kPrimaryMonitor || info == nullptr || info->cbSize < sizeof(MONITORINFO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    info->rcMonitor = GetWindowBackend().ScreenRect();
    info->rcWork = GetWindowBackend().WorkArea();
    info->dwFlags = MONITORINFOF_PRIMARY;
    return TRUE;
}

DWORD GetLastError() {
    return t_lastError;
}

void SetLastError(DWORD error) {
    t_lastError = error;
}
