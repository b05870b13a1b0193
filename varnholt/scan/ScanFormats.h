#pragma once
// The pieces of VarnholtScan's machine-readable forms: UTF-8 text, JSON
// strings, CSV fields (RFC 4180) and times in UTC.
#include <cstdint>
#include <string>
#include <string_view>

// UTF-8 of a text; a lone surrogate half (a name Windows allows) becomes U+FFFD.
std::string Utf8(std::wstring_view text);
// A JSON string: quotes, backslashes and controls escaped, a lone surrogate
// half written as its "\u" escape, so that the name survives exactly.
std::string JsonString(std::wstring_view text);
// A CSV field, quoted (quotes doubled) when it holds a comma, quote or line break.
std::string CsvField(std::wstring_view text);
// A file time (100-ns units since 1601) as "2026-12-08T20:57:45Z".
std::string IsoTime(uint64_t fileTime);
