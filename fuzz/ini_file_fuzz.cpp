// Feeds arbitrary bytes to the INI reader as the content of a language file.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "os/ini_file.h"

namespace {

const std::string& FilePath() {
    static const std::string path = [] {
        std::string pattern = "/tmp/ini-fuzz-XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd >= 0) {
            close(fd);
        }
        return pattern;
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = FilePath();
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    const CString wide = Utf8ToWide(path);
    for (const wchar_t* key : {L"1", L"100", L"key", L""}) {
        const CString value = ReadIniString(L"KB.DIALOG", key, wide);
        if (value.size() > 259) {
            std::abort();
        }
    }
    return 0;
}
