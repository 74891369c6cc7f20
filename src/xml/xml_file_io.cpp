#include "xml/xml_file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace {

constexpr size_t kMaxMessageLength = 100;

FileFailure FailureOf(int number) {
    std::array<char, 256> buffer{};
    // The GNU strerror_r, which returns the message (not always in the buffer).
    const std::string text = strerror_r(number, buffer.data(), buffer.size());
    CString message = Utf8ToWide(text.substr(0, text.find_first_of("\r\n")));
    if (message.size() > kMaxMessageLength) {
        message.resize(kMaxMessageLength);
    }
    return {number, message};
}

}  // namespace

bool ReadWholeFile(const CString& path, size_t maxSize, std::string& bytes, FileFailure& failure) {
    bytes.clear();
    const int fd = open(WideToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        failure = FailureOf(errno);
        return false;
    }
    std::array<char, 65536> chunk;
    bool ok = true;
    while (true) {
        const ssize_t count = read(fd, chunk.data(), chunk.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            failure = FailureOf(errno);
            ok = false;
            break;
        }
        if (count == 0) {
            break;
        }
        if (bytes.size() + static_cast<size_t>(count) > maxSize) {
            failure = FailureOf(EFBIG);
            ok = false;
            break;
        }
        bytes.append(chunk.data(), static_cast<size_t>(count));
    }
    if (close(fd) != 0 && ok) {
        failure = FailureOf(errno);
        ok = false;
    }
    if (!ok) {
        bytes.clear();
    }
    return ok;
}

WritableFile::~WritableFile() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

bool WritableFile::Create(const CString& path, FileFailure& failure) {
    fd_ = open(WideToUtf8(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        failure = FailureOf(errno);
        return false;
    }
    return true;
}

bool WritableFile::Write(std::string_view bytes, FileFailure& failure) {
    while (!bytes.empty()) {
        const ssize_t count = write(fd_, bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            failure = FailureOf(errno);
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(count));
    }
    return true;
}

bool WritableFile::Close(FileFailure& failure) {
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) {
        failure = FailureOf(errno);
        return false;
    }
    return true;
}
