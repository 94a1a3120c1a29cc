#pragma once
// The interface texts: 34 numbered texts in each of the nine languages, read
// from lang.crp. Windows carry text numbers on their buttons and labels and
// take the words of the current language when they are shown.
#include <string>

#include "data/FixedArray.h"
#include "data/Languages.h"

namespace landora {

inline constexpr int TextCount = 34;

// Text numbers used by number in code.
namespace TextNo {
inline constexpr int FindRequest = 9;       // put before the asked name
inline constexpr int PlaceQuestion = 10;     // after a place name: which country?
inline constexpr int CountryQuestionStart = 13;
inline constexpr int CountryQuestionEnd = 14;
inline constexpr int FirstPageName = 27;     // 27..33: Europe .. the whole world
} // namespace TextNo

class TextTable {
public:
    // Reads a lang.crp file into the table. A later record overwrites an
    // earlier one; numbers without a record keep what they held. A text number
    // outside 1..34 fails with ERangeError; reader errors pass through.
    void LoadTexts(const std::string &fileName);

    // Text t of the given language (cp1252 bytes); ERangeError outside 1..9 / 1..34.
    const std::string &Text(int language, int t) const { return table_[language][t]; }
    void SetText(int language, int t, std::string text) { table_[language][t] = std::move(text); }

private:
    FixedArray<FixedArray<std::string, TextCount>, LanguageCount> table_;
};

} // namespace landora
