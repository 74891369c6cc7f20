#include "os/safe_file_name.h"

#include <algorithm>

CString SafeFileNameComponent(const CString& name) {
    CString safe = name;
    for (wchar_t& ch : safe) {
        if (ch == L'/' || ch == L'\\' || ch < 0x20 || ch == 0x7F) {
            ch = L'_';
        }
    }
    if (!safe.empty() && std::all_of(safe.begin(), safe.end(), [](wchar_t ch) { return ch == L'.'; })) {
        std::fill(safe.begin(), safe.end(), L'_');
    }
    return safe;
}
