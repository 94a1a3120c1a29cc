// Replays every file of the fuzz corpus through the fuzz entry: whatever the
// bytes, loading ends in success or in one of our own errors. Inputs that
// once made the fuzzer fail are kept in the corpus, so they are replayed here
// for good.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <typeinfo>

#include "LoaderFuzz.h"
#include "exercises/Catalogue.h"
#include "data/Errors.h"
#include "data/TextTable.h"

namespace {

// The corpus, and the shipped data files (every loader must cope with the
// wrong kind of data file too).
std::vector<std::filesystem::path> CorpusFiles(bool withDataset = false)
{
    std::vector<std::filesystem::path> files;
    for (const auto &entry : std::filesystem::directory_iterator(LANDORA_FUZZ_CORPUS_DIR))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    if (withDataset && std::filesystem::is_directory(LANDORA_DATASET_DIR)) {
        for (const auto &entry : std::filesystem::directory_iterator(LANDORA_DATASET_DIR))
            if (entry.is_regular_file() && entry.path().extension() == ".crp")
                files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

TEST(LoaderCorpus, EveryFileEndsInSuccessOrOurOwnError)
{
    const auto files = CorpusFiles(true);
    ASSERT_GE(files.size(), 20u) << "the seed corpus is missing";
    for (const auto &path : files) {
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        try {
            landora::fuzz::LoadAll(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
        } catch (const std::exception &e) {
            ADD_FAILURE() << path.filename() << ": " << typeid(e).name() << ": " << e.what();
        } catch (...) {
            ADD_FAILURE() << path.filename() << ": an exception of unknown type";
        }
    }
}

TEST(LoaderCorpus, SeedsReachBothTheLoadedAndTheFailedEndOfEachLoader)
{
    // A corpus of only broken files would never let the fuzzer past the
    // first field; one of only valid files would never test the failures.
    int catalogues = 0, texts = 0, failures = 0;
    for (const auto &path : CorpusFiles()) {
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
