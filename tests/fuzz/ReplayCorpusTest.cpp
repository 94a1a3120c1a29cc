// Replays every file of each fuzz target's corpus through its entry: whatever
// the bytes, reading ends in success or in one of our own errors. Inputs that
// once made the fuzzer fail are kept in the corpus, so they are replayed here
// for good.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <typeinfo>
#include <vector>

#include "LoaderFuzz.h"
#include "exercises/Catalogue.h"
#include "data/Errors.h"
#include "data/TextTable.h"

namespace {

using landora::fuzz::Entry;

// A fuzz target's corpus: the files of its folder, and the shipped data
// files of its kind whose names start with `shipped` (every reader must read
// the real files too; the catalogue and texts reader must cope with every
// other kind as well).
struct Target {
    const char *folder; // below the corpus folder
    Entry entry;
    const char *shipped;
};

const Target Targets[] = {
    {"loader", landora::fuzz::LoadAll, ""},
    {"areas", landora::fuzz::LoadAreas, "AREA"},
    {"lakes", landora::fuzz::LoadLakes, "Vatten"},
    {"places", landora::fuzz::LoadPlaces, "Ort"},
    {"sea", landora::fuzz::LoadSeaPoints, "Hav"},
    {"scores", landora::fuzz::LoadScores, nullptr},
    {"settings", landora::fuzz::LoadSettings, nullptr},
};

std::vector<std::filesystem::path> CorpusFiles(const char *folder, const char *shipped = nullptr)
{
    std::vector<std::filesystem::path> files;
    const std::filesystem::path corpus = std::filesystem::path(LANDORA_FUZZ_CORPUS_DIR) / folder;
    for (const auto &entry : std::filesystem::directory_iterator(corpus))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    if (shipped != nullptr && std::filesystem::is_directory(LANDORA_DATASET_DIR)) {
        for (const auto &entry : std::filesystem::directory_iterator(LANDORA_DATASET_DIR))
            if (entry.is_regular_file() && entry.path().extension() == ".crp" &&
                entry.path().filename().string().starts_with(shipped))
                files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

TEST(LoaderCorpus, EveryFileOfEveryTargetEndsInSuccessOrOurOwnError)
{
    for (const Target &target : Targets) {
        SCOPED_TRACE(target.folder);
        const auto files = CorpusFiles(target.folder, target.shipped);
        ASSERT_GE(files.size(), 5u) << "the corpus is missing";
        for (const auto &path : files) {
            std::ifstream in(path, std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            try {
                target.entry(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
            } catch (const std::exception &e) {
                ADD_FAILURE() << path.filename() << ": " << typeid(e).name() << ": " << e.what();
            } catch (...) {
                ADD_FAILURE() << path.filename() << ": an exception of unknown type";
            }
        }
    }
}

TEST(LoaderCorpus, SeedsReachBothTheLoadedAndTheFailedEndOfEachLoader)
{
    // A corpus of only broken files would never let the fuzzer past the
    // first field; one of only valid files would never test the failures.
    int catalogues = 0, texts = 0, failures = 0;
    for (const auto &path : CorpusFiles("loader")) {
        try {
            landora::COvningar catalogue;
            catalogue.LoadCatalogue(path.string());
            ++catalogues;
        } catch (const landora::Exception &) {
            ++failures;
        }
        try {
            landora::TextTable table;
            table.LoadTexts(path.string());
            ++texts;
        } catch (const landora::Exception &) {
            ++failures;
        }
    }
    EXPECT_GE(catalogues, 3);
    EXPECT_GE(texts, 3);
    EXPECT_GE(failures, 10);
}
