#pragma once
// The framework's errors. A handler that throws one of them is stopped at the
// dialog boundary and the error is shown in the standard message; the program goes on.
#include <stdexcept>
#include <string>

namespace fw {

class Error : public std::runtime_error {
public:
    explicit Error(std::wstring message);
    const std::wstring& Message() const { return message_; }

private:
    std::wstring message_;
};

// A file that cannot be opened, read or written.
class FileError : public Error {
public:
    explicit FileError(const std::wstring& path);
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

class InvalidArgumentError : public Error {
public:
    InvalidArgumentError();
};

// An operation that cannot be carried out, such as a date that does not exist.
class FailureError : public Error {
public:
    FailureError();
};

}  // namespace fw
