#pragma once
// The framework's errors. A handler that throws one of them is stopped at the
// dialog boundary and the error is shown in the standard message; the program goes on.
#include <stdexcept>
#include <string>

namespace fw {

// The standard messages, in English until a program that has loaded its texts
// sets them in its language. "%1" stands for a file's path. Set them on the
// user-interface thread while no worker runs: workers only read them.
struct ErrorTexts {
    std::wstring file = L"The file \"%1\" could not be opened or written.";
    std::wstring invalidArgument = L"An invalid argument was given to an operation.";
    std::wstring failure = L"The operation could not be carried out.";
    std::wstring unexpected = L"An unexpected error stopped the operation.";
    std::wstring eightBitFile =
        L"The file \"%1\" keeps one byte per character and cannot hold this text; it was left as it was.";
};
ErrorTexts& StandardErrorTexts();
// `text` with its first "%1" replaced by `value`.
std::wstring FillIn(std::wstring text, const std::wstring& value);

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
