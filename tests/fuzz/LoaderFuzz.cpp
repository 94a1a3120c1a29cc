#include "LoaderFuzz.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "exercises/Catalogue.h"
#include "data/Errors.h"
#include "data/TextTable.h"

namespace landora::fuzz {

namespace {

// The loaders read named files, so every input goes through one scratch file
// of this process.
const std::string &ScratchFile()
{
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("landora-loader-fuzz-" + std::to_string(::getpid()) + ".crp"))
            .string();
    return path;
}

void WriteScratch(const std::uint8_t *data, std::size_t size)
{
    std::FILE *file = std::fopen(ScratchFile().c_str(), "wb");
    if (file == nullptr)
        throw std::runtime_error("cannot write the scratch file " + ScratchFile());
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) != 0 || !written)
        throw std::runtime_error("cannot write the scratch file " + ScratchFile());
}

struct RemoveScratch {
    ~RemoveScratch() { std::remove(ScratchFile().c_str()); }
};

void LoadCatalogue()
{
    COvningar catalogue;
    try {
        catalogue.LoadCatalogue(ScratchFile());
    } catch (const Exception &) {
        if (catalogue.First() != nullptr)
            throw std::logic_error("a failed load left entries in the catalogue");
        return;
    }
    // What loaded must be whole: every entry reachable, every key readable,
    // and each title found (as itself or an earlier namesake).
    int walked = 0;
    for (const COvning *entry = catalogue.First(); entry != nullptr; entry = entry->Next) {
        ++walked;
        if (entry->KeyCount < 0 || entry->KeyCount > MaxKeys)
            throw std::logic_error("key count outside 0..190");
        for (int k = 1; k <= entry->KeyCount; ++k)
            (void)entry->Keys[k].size();
        for (int language = 1; language <= LanguageCount; ++language) {
            if (catalogue.FindByName(entry->Title(language), language) == nullptr)
                throw std::logic_error("an entry is not found by its own title");
        }
    }
    if (walked != catalogue.Count())
        throw std::logic_error("the entry list and its links disagree");
}

void LoadTexts()
{
    TextTable texts;
    try {
        texts.LoadTexts(ScratchFile());
    } catch (const Exception &) {
        return;
    }
    for (int language = 1; language <= LanguageCount; ++language)
        for (int t = 1; t <= TextCount; ++t)
            (void)texts.Text(language, t).size();
}

} // namespace

void LoadAll(const std::uint8_t *data, std::size_t size)
{
    RemoveScratch cleanup;
    WriteScratch(data, size);
    LoadCatalogue();
    LoadTexts();
}

} // namespace landora::fuzz
