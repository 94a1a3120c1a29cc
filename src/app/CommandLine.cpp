#include "app/CommandLine.h"

#include <string_view>

namespace landora {

std::optional<int> AnswerCommandLine(int argc, const char *const argv[], std::ostream &out)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--version") {
            out << "Landora " << LANDORA_VERSION << '\n';
            return 0;
        }
        if (argument == "--help" || argument == "-h") {
            out << "Usage: landora [--help] [--version] [Qt options]\n"
                   "A geography quiz for one player: places, countries and flags on maps\n"
                   "painted from Landora's own open data set.\n"
                   "\n"
                   "  -h, --help   show this text and quit\n"
                   "  --version    show the version and quit\n"
                   "\n"
                   "Scores are kept beside the data set when that folder is writable and it is\n"
                   "not an installed copy, otherwise in the user's data folder.\n";
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace landora
