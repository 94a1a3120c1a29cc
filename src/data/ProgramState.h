#pragma once
// The program-wide values, in one object handed to whoever needs them: the
// five settings, the four shared colours, the interface texts, the exercise
// last started and the flag board's template bitmap.
#include <QImage>

#include <string>

#include "data/Colour.h"
#include "data/Languages.h"
#include "data/TextTable.h"

namespace landora {

class COvning;

struct Settings {
    bool MusicOn = true;
    bool SoundOn = true;
    bool ShowTimer = true;
    bool BigTimer = false;
    int Language = DefaultLanguage;
};

struct SharedColours {
    Colour FrameColour = RGB(40, 90, 160);
    Colour PanelColour = RGB(192, 208, 224);
    Colour AlertColour = RGB(255, 64, 64);
    Colour AccentColour = RGB(0, 255, 0);

    // A display of at most 256 colours gets the plain palette colours.
    static SharedColours ForColourCount(double colourCount)
    {
        SharedColours colours;
        if (colourCount <= 256) {
            colours.FrameColour = RGB(0, 0, 128);
            colours.PanelColour = RGB(192, 192, 192);
            colours.AlertColour = RGB(255, 0, 0);
        }
        return colours;
    }
};

struct ProgramState {
    Settings settings;
    SharedColours colours;
    TextTable texts;
    COvning *CurrentExercise = nullptr;
    QImage Template;
    // The high-score file, chosen once at start (ChooseScoreFilePath) and
    // used for reading and writing alike.
    std::string ScoreFilePath;

    const std::string &Text(int t) const { return texts.Text(settings.Language, t); }
};

} // namespace landora
