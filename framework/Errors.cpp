#include "framework/Errors.h"

namespace fw {

ErrorTexts& StandardErrorTexts() {
    static ErrorTexts texts;
    return texts;
}

std::wstring FillIn(std::wstring text, const std::wstring& value) {
    if (const size_t at = text.find(L"%1"); at != std::wstring::npos) text.replace(at, 2, value);
    return text;
}

Error::Error(std::wstring message) : std::runtime_error("framework error"), message_(std::move(message)) {}

FileError::FileError(const std::wstring& path)
    : Error(FillIn(StandardErrorTexts().file, path)), path_(path) {}

InvalidArgumentError::InvalidArgumentError() : Error(StandardErrorTexts().invalidArgument) {}

FailureError::FailureError() : Error(StandardErrorTexts().failure) {}

}  // namespace fw
