#pragma once
// Places: named points that a place exercise asks the player to click, read
// from a place file "Ort<n>.crp".
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/FixedArray.h"
#include "data/Languages.h"

namespace landora {

class COrt {
public:
    std::string Key;
    FixedArray<std::string, LanguageCount> Names;
    std::int32_t Level = 0;
    bool Category1 = false;
    bool Category2 = false;
    std::string Group1;
    std::string Group2;
    std::string Group3;
    double Latitude = 0.0;
    double Longitude = 0.0;
    COrt *Next = nullptr; // the next place in file order; the list owns both

    bool Selected = false;
    bool Answered = false;
    std::int32_t AnsweredOnTry = 0;
};

class COrter {
public:
    COrter() = default;
    COrter(const COrter &) = delete;
    COrter &operator=(const COrter &) = delete;

    // Reads a place file into a fresh list; reader errors pass through.
    void LoadFromFile(const std::string &fileName);
    void ClearMarks();
    void Select(const std::string &key, int highestLevel, bool need1, bool need2);

    COrt *First = nullptr;
    std::int32_t SelectedCount = 0;
    std::int32_t RemainingCount = 0;

private:
    std::vector<std::unique_ptr<COrt>> places_;
};

} // namespace landora
