// landora-render: draws one place or area exercise of the catalogue exactly as
// a run starts (optionally with every item answered on one try) and writes
// the map image as a PNG. The run is started and played by the exercise
// engine itself on a MapImageRun, the map window without its window, so the
// picture is the one a player gets.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "data/ProgramState.h"
#include "exercises/Catalogue.h"
#include "data/Cp1252.h"
#include "data/Errors.h"
#include "exercises/Ovning.h"
#include "data/Services.h"
#include "map/Canvas.h"
#include "map/Karta.h"
#include "exercises/MapSetup.h"

namespace {

// Fixed draws, so that the same command gives the same picture.
class FixedRandom : public landora::IRandom {
public:
    void Reseed() override {}
    double Next() override
    {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<double>(state_ >> 11) / 9007199254740992.0;
    }

private:
    unsigned long long state_ = 20261207ull;
};

void Usage()
{
    std::cerr << "usage: landora-render [--data DIR] [--size WxH] [--language 1..9] [--answer-try N]\n"
                 "                      [--dpi D] [--output FILE.png] EXERCISE-NUMBER\n"
                 "       landora-render [--data DIR] --list\n"
                 "Draws a place or area exercise of the catalogue in DIR (default: the data set\n"
                 "beside this program) as a run starts, at the given map image size (default\n"
                 "1024x700), and writes it as a PNG (default: exercise<N>.png). With --answer-try\n"
                 "every item is shown answered on that try.\n";
}

bool ParseSize(const std::string &text, int &w, int &h)
{
    return std::sscanf(text.c_str(), "%dx%d", &w, &h) == 2 && w > 0 && h > 0 && w <= 20000 && h <= 20000;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    std::string folder = QCoreApplication::applicationDirPath().toStdString();
    std::string output;
    int width = 1024, height = 700, language = 2, answerTry = 0, number = -1;
    double dpi = 96.0;
    bool list = false;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        const std::string a = args[i].toStdString();
        auto value = [&]() -> std::string {
            if (i + 1 >= args.size()) {
                Usage();
                std::exit(2);
            }
            return args[++i].toStdString();
        };
        if (a == "--data")
            folder = value();
        else if (a == "--size") {
            if (!ParseSize(value(), width, height)) {
                Usage();
                return 2;
            }
        } else if (a == "--language")
            language = std::atoi(value().c_str());
        else if (a == "--answer-try")
            answerTry = std::atoi(value().c_str());
        else if (a == "--dpi")
            dpi = std::atof(value().c_str());
        else if (a == "--output")
            output = value();
        else if (a == "--list")
            list = true;
        else if (a == "--help" || a == "-h") {
            Usage();
            return 0;
        } else if (!a.empty() && a[0] != '-')
            number = std::atoi(a.c_str());
        else {
            Usage();
            return 2;
        }
    }
    if (!landora::IsLanguage(language) || (!list && number < 0)) {
        Usage();
        return 2;
    }

    try {
        landora::COvningar catalogue;
        catalogue.LoadCatalogue(folder + "/Ovning.crp");
        if (list) {
            for (const landora::COvning *e = catalogue.First(); e != nullptr; e = e->Next)
                if (e->Kind == "ORT" || e->Kind == "AREA")
                    std::cout << e->Number << "\t" << e->Kind << "\tmap " << e->MapNumber << "\t"
                              << landora::FromCp1252(e->Title(language)).toStdString() << "\n";
            return 0;
        }
        landora::COvning *exercise = nullptr;
        for (landora::COvning *e = catalogue.First(); e != nullptr; e = e->Next)
            if (e->Number == number && (e->Kind == "ORT" || e->Kind == "AREA")) {
                exercise = e;
                break;
            }
        if (exercise == nullptr) {
            std::cerr << "landora-render: no place or area exercise number " << number << "\n";
            return 1;
        }
        landora::Canvas canvas(width, height);
        canvas.SetDotsPerInch(dpi);
        auto map = landora::LoadMapForExercise(*exercise, folder);
        landora::ProgramState state;
        state.settings.Language = language;
        state.texts.LoadTexts(folder + "/lang.crp");
        FixedRandom random;
        landora::ExerciseContext context;
        context.Random = &random;
        context.State = &state;
        landora::COvning &run = *exercise;
        landora::MapImageRun window(run, *map, canvas, context);
        window.Start();
        // Every question answered right after answerTry - 1 wrong tries.
        for (int guard = 0; answerTry > 0 && !window.Question.empty() && guard < 100000; ++guard) {
            run.Tries = answerTry - 1;
            run.BlinkState = 0;
            run.RightAnswer();
            window.Question = run.NextQuestion();
        }
        if (output.empty())
            output = "exercise" + std::to_string(number) + ".png";
        if (!canvas.Image().save(QString::fromStdString(output), "PNG")) {
            std::cerr << "landora-render: cannot write " << output << "\n";
            return 1;
        }
        std::cout << output << "\n";
    } catch (const landora::Exception &e) {
        std::cerr << "landora-render: " << e.Message() << "\n";
        return 1;
    }
    return 0;
}
