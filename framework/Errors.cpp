#include "framework/Errors.h"

namespace fw {

Error::Error(std::wstring message) : std::runtime_error("framework error"), message_(std::move(message)) {}

FileError::FileError(const std::wstring& path)
    : Error(L"The file \"" + path + L"\" could not be opened or written."), path_(path) {}

InvalidArgumentError::InvalidArgumentError() : Error(L"An invalid argument was given to an operation.") {}

FailureError::FailureError() : Error(L"The operation could not be carried out.") {}

}  // namespace fw
