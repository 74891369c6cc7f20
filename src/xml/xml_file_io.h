// Whole-file reads and writes for documents, with the system's account of a failure.
#pragma once

#include <string>
#include <string_view>

#include "lumoui/base/cstring.h"

struct FileFailure {
    // The system error number and its message.
    int number = 0;
    CString message;
};

// Reads the whole file; a file larger than `maxSize` bytes is refused (EFBIG).
bool ReadWholeFile(const CString& path, size_t maxSize, std::string& bytes, FileFailure& failure);

// A file created (or truncated) for writing, closed with its owner at the latest.
class WritableFile {
public:
    WritableFile() = default;
    ~WritableFile();
    WritableFile(const WritableFile&) = delete;
    WritableFile& operator=(const WritableFile&) = delete;

    bool Create(const CString& path, FileFailure& failure);
    bool Write(std::string_view bytes, FileFailure& failure);
    // Closes the file; a failure here can mean the data did not reach it.
    bool Close(FileFailure& failure);

private:
    int fd_ = -1;
};
