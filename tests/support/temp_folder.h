// Test helpers for the file system and the environment.
#pragma once

#include <map>
#include <optional>
#include <string>

// A fresh folder below the system's temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, without a trailing '/'.
    const std::string& Path() const { return path_; }
    // Path() + "/" + relative.
    std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }

    // Writes a file below the folder, creating the folders on its way.
    void WriteFile(const std::string& relative, const std::string& bytes) const;

private:
    std::string path_;
};

// Sets environment variables for the life of the object and restores them afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void Set(const std::string& name, const std::string& value);
    void Unset(const std::string& name);

private:
    void Remember(const std::string& name);
    std::map<std::string, std::optional<std::string>> saved_;
};

// A home of its own for a test: HOME and the XDG folders point into a temporary folder.
class IsolatedHome {
public:
    IsolatedHome();

    const TempFolder& Folder() const { return folder_; }
    std::string ConfigHome() const { return folder_ / "config"; }
    std::string DataHome() const { return folder_ / "data"; }
    std::string RuntimeFolder() const { return folder_ / "runtime"; }

    ScopedEnvironment& Environment() { return environment_; }

private:
    TempFolder folder_;
    ScopedEnvironment environment_;
};

// The whole content of a file, or none when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);
