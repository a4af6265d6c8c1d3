#pragma once

#include <stdexcept>
#include <string>

namespace nitka {

// Message for an input/output error code: the known codes have their own text,
// any other reads "I/O error N".
std::string fileErrorMessage(int code);

// A failed file operation. It ends the running click handler; the window shows
// message() in its error box.
class FileError : public std::runtime_error {
public:
    explicit FileError(int code) : std::runtime_error(fileErrorMessage(code)), m_code(code) {}
    // For a code whose number the table gives another meaning: a system error
    // number such as EIO (5) still reads "I/O error 5".
    FileError(int code, const std::string& message) : std::runtime_error(message), m_code(code) {}
    int code() const { return m_code; }

private:
    int m_code;
};

namespace file_error_code {
inline constexpr int kFileNotFound = 2;
inline constexpr int kInvalidFilename = 3;
inline constexpr int kTooManyOpenFiles = 4;
inline constexpr int kAccessDenied = 5;
inline constexpr int kReadBeyondEnd = 100;
inline constexpr int kDiskFull = 101;
inline constexpr int kInvalidNumber = 106;
}  // namespace file_error_code

// A name that is no regular file where one must be: FileError 5 for the
// window, which says only that, and which kind it is for the command-line tool.
class NotRegularFileError : public FileError {
public:
    explicit NotRegularFileError(bool folder)
        : FileError(file_error_code::kAccessDenied), m_folder(folder) {}
    bool isFolder() const { return m_folder; }

private:
    bool m_folder;
};

}  // namespace nitka
