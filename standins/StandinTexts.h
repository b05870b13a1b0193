// Written by scripts/make-brisvane-language.py from its table: the numbers of the
// entries of the stand-in modules' language files by name. Edit the table, not this file.
#pragma once

namespace standin_txt {

inline constexpr int kSelectLanguage = 1;  // Please select your language
inline constexpr int kLanguageName = 2;  // English
inline constexpr int kCaption = 5;  // Quorvexsoft %1
inline constexpr int kStandsIn = 10;  // This program stands in for %1 and changes nothing on your...
inline constexpr int kStartedWith = 15;  // It was started with these settings:
inline constexpr int kClose = 20;  // Close

}  // namespace standin_txt
