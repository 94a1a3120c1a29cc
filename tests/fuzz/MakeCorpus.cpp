// Writes the seed corpus of the loader fuzz target: small valid catalogues and
// text tables, and the broken files the loaders must refuse with our own
// errors. Run it with the corpus folder as its argument after changing the
// seeds, and commit the files it writes.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/CrpWriter.h"

using landora::test::CatalogueRecord;
using landora::test::CrpWriter;

namespace {

std::string Catalogue(const std::vector<CatalogueRecord> &records)
{
    CrpWriter out;
    for (const CatalogueRecord &record : records)
        record.WriteTo(out);
    return out.Bytes();
}

CatalogueRecord Record(const std::string &kind, std::vector<std::string> keys)
{
    CatalogueRecord r;
    r.kind = kind;
    r.keys = std::move(keys);
    r.north = 71.5;
    r.south = 34.25;
    r.centre = 15.0001;
    r.background = 0x800000;
    return r;
}

std::string Texts(int from, int to)
{
    CrpWriter out;
    for (int t = from; t <= to; ++t)
        landora::test::WriteTextRecord(out, t, {"sv " + std::to_string(t), "en", "fr", "de", "es", "it", "da", "nl", "pt"});
    return out.Bytes();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    auto write = [&folder](const std::string &name, const std::string &bytes) {
        std::ofstream(folder / name, std::ios::binary | std::ios::trunc) << bytes;
    };

    // Catalogues.
    write("catalogue-one-record", Catalogue({Record("AREA", {"SWE", "NOR", "FIN"})}));
    write("catalogue-four-kinds", Catalogue({Record("AREA", {"SWE"}), Record("ORT", {"EUR"}),
                                             Record("FLAGG", {"DEU", "FRA"}), Record("MULTI", {"AFR"})}));
    write("catalogue-unknown-kind", Catalogue({Record("Area", {}), Record("QUIZ", {"X"})}));
    std::vector<std::string> full(190, "K");
    write("catalogue-190-keys", Catalogue({Record("ORT", full)}));
    full.push_back("K");
    write("catalogue-191-keys", Catalogue({Record("ORT", full)}));
    CatalogueRecord noKeys = Record("FLAGG", {"A", "B"});
    noKeys.keyCount = 0;
    write("catalogue-count-0-then-keys", Catalogue({noKeys}));
    CatalogueRecord tooMany = Record("AREA", {});
    tooMany.keyCount = 40000;
    write("catalogue-count-above-int16", Catalogue({tooMany}));
    CatalogueRecord longText = Record("AREA", {std::string(255, 'L')});
    longText.titles[1] = std::string(255, '\xE5');
    write("catalogue-255-byte-texts", Catalogue({longText}));
    const std::string two = Catalogue({Record("AREA", {"SWE"}), Record("ORT", {"EUR", "ASI"})});
    write("catalogue-cut-in-second-kind", two.substr(0, two.size() / 2 + 1));
    write("catalogue-cut-in-last-key", two.substr(0, two.size() - 1));
    write("catalogue-kind-word-only", CrpWriter().Text("AREA").Bytes());
    write("catalogue-length-past-end", CrpWriter().Byte(200).Raw("AREA").Bytes());

    // Text tables.
    write("texts-all-34", Texts(1, 34));
    write("texts-only-text-1", Texts(1, 1));
    write("texts-overwrite", Texts(5, 5) + Texts(5, 5));
    write("texts-number-0", Texts(0, 0));
    write("texts-number-35", Texts(34, 35));
    write("texts-number-above-int16", CrpWriter().Int16(0xFFFF).Bytes());
    const std::string texts = Texts(1, 3);
    write("texts-cut-in-text", texts.substr(0, texts.size() - 2));
    write("texts-cut-in-number", texts + std::string(1, '\x01'));

    // Neither.
    write("empty", "");
    write("one-byte", std::string(1, '\0'));
    write("exactly-512-bytes", std::string(512, '\x07'));
    write("exactly-513-bytes", std::string(513, '\x07'));
    return 0;
}
