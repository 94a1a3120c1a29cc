#pragma once
// The exercise catalogue, read from Ovning.crp: every exercise the program
// offers, in file order, each entry already the exercise object of its kind.
#include <memory>
#include <string>
#include <vector>

#include "exercises/Ovning.h"

namespace landora {

class COvningar {
public:
    COvningar() = default;
    COvningar(const COvningar &) = delete;
    COvningar &operator=(const COvningar &) = delete;

    // Reads the catalogue file into a fresh list, replacing any earlier one.
    // Reader errors pass through; more than 190 keys in one record fails with
    // ERangeError and leaves the catalogue empty.
    void LoadCatalogue(const std::string &fileName);

    // The first entry, in file order, whose title in `language` equals title
    // exactly; nullptr when there is none.
    COvning *FindByName(const std::string &title, int language) const;

    COvning *First() const { return entries_.empty() ? nullptr : entries_.front().get(); }
    int Count() const { return static_cast<int>(entries_.size()); }

    // The entry class for a kind word: "AREA", "ORT", "FLAGG", and any other
    // word a multiple-choice entry. Words compare exactly ("Area" is not
    // "AREA"). The menu chooses the window by the entry's class, never by the
    // word, so an unknown word is a multiple-choice exercise everywhere.
    static std::unique_ptr<COvning> CreateEntry(const std::string &kind);

private:
    std::vector<std::unique_ptr<COvning>> entries_;
};

} // namespace landora
