#include "os/settings_key.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cwctype>
#include <mutex>
#include <string>

#include "os/folders.h"
#include "os/safe_file_name.h"
#include "os/xdg_folders.h"

namespace {

// Serialises read-modify-write of settings files within the process.
std::mutex& FileLock() {
    static std::mutex lock;
    return lock;
}

// Values are single lines in the file: backslashes and line breaks are escaped.
CString Escape(const CString& text) {
    CString out;
    for (const wchar_t ch : text) {
        switch (ch) {
            case L'\\': out += L"\\\\"; break;
            case L'\n': out += L"\\n"; break;
            case L'\r': out += L"\\r"; break;
            default: out.push_back(ch);
        }
    }
    return out;
}

CString Unescape(std::wstring_view text) {
    CString out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\\' || i + 1 == text.size()) {
            out.push_back(text[i]);
            continue;
        }
        const wchar_t next = text[++i];
        out.push_back(next == L'n' ? L'\n' : next == L'r' ? L'\r' : next);
    }
    return out;
}

bool ReadAll(int fd, std::string& bytes) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n == 0) {
            return true;
        }
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

bool SettingsKey::NoCaseLess::operator()(const CString& a, const CString& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](wchar_t x, wchar_t y) {
                                            return std::towlower(static_cast<wint_t>(x)) <
                                                   std::towlower(static_cast<wint_t>(y));
                                        });
}

CString SettingsKey::PathOf(const CString& keyName) {
    return UserConfigHome() + SafeFileNameComponent(keyName) + L"/settings.ini";
}

SettingsKey::OpenResult SettingsKey::Open(const CString& keyName) {
    std::lock_guard guard(FileLock());
    open_ = false;
    values_.clear();
    path_ = PathOf(keyName);

    const int fd = open(WideToUtf8(path_).c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT ? OpenResult::Missing : OpenResult::Failed;
    }
    std::string bytes;
    const bool read = ReadAll(fd, bytes);
    close(fd);
    if (!read) {
        return OpenResult::Failed;
    }
    const CString text = Utf8ToWide(bytes);
    std::wstring_view rest(text);
    while (!rest.empty()) {
        const size_t end = rest.find(L'\n');
        const std::wstring_view line = rest.substr(0, end);
        rest = end == std::wstring_view::npos ? std::wstring_view() : rest.substr(end + 1);
        const size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos || line.starts_with(L"#")) {
            continue;
        }
        values_.emplace(CString(line.substr(0, equals)), Unescape(line.substr(equals + 1)));
    }
    open_ = true;
    return OpenResult::Opened;
}

bool SettingsKey::Create(const CString& keyName) {
    const CString path = PathOf(keyName);
    {
        std::lock_guard guard(FileLock());
        if (!CreateFolderPath(path.substr(0, path.rfind(L'/')))) {
            return false;
        }
        const int fd = open(WideToUtf8(path).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0) {
            return false;
        }
        close(fd);
    }
    return Open(keyName) == OpenResult::Opened;
}

std::optional<CString> SettingsKey::QueryValue(const CString& name) const {
    if (!open_) {
        return std::nullopt;
    }
    const auto it = values_.find(name);
    if (it == values_.end()) {
        return std::nullopt;
    }
    return it->second;
}

bool SettingsKey::SetValue(const CString& name, const CString& text) {
    if (!open_ || name.empty() || name.find_first_of(L"=\r\n") != CString::npos) {
        return false;
    }
    std::lock_guard guard(FileLock());
    auto values = values_;
    values.insert_or_assign(name, text);
    if (!Save(values)) {
        return false;
    }
    values_ = std::move(values);
    return true;
}

bool SettingsKey::Save(const std::map<CString, CString, NoCaseLess>& values) const {
    CString text;
    for (const auto& [name, value] : values) {
        text += name + L"=" + Escape(value) + L"\n";
    }
    const std::string target = WideToUtf8(path_);
    const std::string temporary = target + ".tmp" + std::to_string(getpid());
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    const bool written = WriteAll(fd, WideToUtf8(text)) && fsync(fd) == 0;
    if (close(fd) != 0 || !written || rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    // Make the rename itself durable.
    const std::string folder = target.substr(0, target.rfind('/'));
    if (const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}
