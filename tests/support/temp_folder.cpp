#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "brimlow-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "cannot create a temporary folder";
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void TempFolder::WriteFile(const std::string& relative, const std::string& bytes) const {
    const fs::path target = fs::path(path_) / relative;
    fs::create_directories(target.parent_path());
    std::ofstream file(target, std::ios::binary | std::ios::trunc);
    file << bytes;
    ASSERT_TRUE(file.good()) << "cannot write " << target;
}

ScopedEnvironment::~ScopedEnvironment() {
    for (const auto& [name, value] : saved_) {
        if (value) {
            setenv(name.c_str(), value->c_str(), 1);
        } else {
            unsetenv(name.c_str());
        }
    }
}

void ScopedEnvironment::Remember(const std::string& name) {
    if (saved_.contains(name)) {
        return;
    }
    const char* current = std::getenv(name.c_str());
    saved_[name] = current ? std::optional<std::string>(current) : std::nullopt;
}

void ScopedEnvironment::Set(const std::string& name, const std::string& value) {
    Remember(name);
    setenv(name.c_str(), value.c_str(), 1);
}

void ScopedEnvironment::Unset(const std::string& name) {
    Remember(name);
    unsetenv(name.c_str());
}

IsolatedHome::IsolatedHome() {
    fs::create_directories(RuntimeFolder());
    environment_.Set("HOME", folder_.Path());
    environment_.Set("XDG_CONFIG_HOME", ConfigHome());
    environment_.Set("XDG_DATA_HOME", DataHome());
    environment_.Set("XDG_RUNTIME_DIR", RuntimeFolder());
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}
