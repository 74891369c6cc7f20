// A scratch file for fuzz targets whose parser reads from a path: created once per process,
// rewritten with each input.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>
#include <string_view>

inline const std::string& FuzzFilePath() {
    static const std::string path = [] {
        std::string pattern = "/tmp/brimlow-fuzz-XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd >= 0) {
            close(fd);
        }
        return pattern;
    }();
    return path;
}

// Writes the bytes to the scratch file and returns its path.
inline const std::string& WriteFuzzFile(std::string_view bytes) {
    const std::string& path = FuzzFilePath();
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return path;
}
