#pragma once
// 8-bit text files with CRLF line ends. Each character 0-255 is one byte of the
// same code (not the ANSI code page). A text holding a character above 255 is
// written as UTF-8 with a byte-order mark instead; readers take both forms.
// Files are replaced atomically: a temporary file beside, then a rename over.
#include <string>
#include <string_view>
#include <vector>

namespace fw {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Bytes of a text as written: LF becomes CRLF.
std::string EncodeText(std::wstring_view text);
// The same in a form chosen by the caller, without a byte-order mark: one byte
// per character (codes above 255 cannot be kept then), or UTF-8. For writers
// that decide the form of a whole file before its first piece.
std::string EncodeTextAs(std::wstring_view text, bool utf8);
// Text of file bytes: UTF-8 after a byte-order mark, otherwise one character per byte.
// Line ends are left as they are.
std::wstring DecodeText(std::string_view bytes);
// Lines of a decoded text: LF ends a line, a CR before it is dropped, a last line
// without a line end is kept, nothing follows a final line end.
std::vector<std::wstring> SplitLines(std::wstring_view text);

// Whole file as bytes; throws FileError when it cannot be opened or read.
std::string ReadFileBytes(const std::wstring& path);
std::vector<std::wstring> ReadTextLines(const std::wstring& path);
// Writes text (LF written as CRLF) in place of the file, atomically; throws
// FileError on failure, and the old file then stays as it was.
void WriteTextFile(const std::wstring& path, std::wstring_view text);
// Every line followed by a line end.
void WriteTextLines(const std::wstring& path, const std::vector<std::wstring>& lines);
void ReplaceFileBytes(const std::wstring& path, std::string_view bytes);

}  // namespace fw
