#pragma once
// Interface languages, numbered as the settings store and every name array of
// the data files number them.
#include <array>
#include <string_view>

namespace landora {

inline constexpr int LanguageCount = 9;
inline constexpr int DefaultLanguage = 2; // English

inline constexpr std::array<std::string_view, LanguageCount> LanguageNames = {
    "Swedish", "English", "French", "German", "Spanish",
    "Italian", "Danish", "Dutch", "Portuguese (Brazil)"};

constexpr bool IsLanguage(int language) { return language >= 1 && language <= LanguageCount; }

} // namespace landora
