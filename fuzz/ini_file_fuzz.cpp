// Feeds arbitrary bytes to the INI reader as the content of a language file.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_file.h"
#include "os/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path =
        WriteFuzzFile(std::string_view(reinterpret_cast<const char*>(data), size));
    const CString wide = Utf8ToWide(path);
    for (const wchar_t* key : {L"1", L"100", L"key", L""}) {
        const CString value = ReadIniString(L"KB.DIALOG", key, wide);
        if (value.size() > 259) {
            std::abort();
        }
    }
    return 0;
}
