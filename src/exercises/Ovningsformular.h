#pragma once
// What an exercise sees of the window that plays it. The windows implement
// these; tests play whole runs against fakes.
#include <string>

#include "data/Colour.h"

namespace landora {

class Canvas;

class IOvningsformular {
public:
    virtual ~IOvningsformular() = default;
    // Shows the current question (cp1252 text); "-" when the run is over.
    virtual void VisaFraga(const std::string &text) = 0;
    // Shows the percentage of right answers.
    virtual void VisaProcent(int percent) = 0;
};

// What the place and area exercises need beyond IOvningsformular of the
// window that plays them: the map window implements both, and the exercises
// reach this side of it by a cross-cast.
class IKartformular {
public:
    virtual ~IKartformular() = default;
    // Shows (or hides) the name label centred on the map-image pixel (x, y).
    // The two colours are accepted for the callers' sake and have no effect.
    virtual void ShowNameLabel(const std::string &text, int x, int y, Colour colour1, Colour colour2,
                               bool shown) = 0;
    // The drawing surface the map paints on.
    virtual Canvas *MapImage() = 0;
};

// One of the four answer boxes of the multiple-choice window. The exercise
// only hands it back to PaintAnswer; the window knows what it is.
class IAnswerImage {
public:
    virtual ~IAnswerImage() = default;
};

// What the multiple-choice exercise needs beyond IOvningsformular of its
// window, reached by a cross-cast like IKartformular.
class IMultiformular {
public:
    virtual ~IMultiformular() = default;
    // The box of answer 1..4; nullptr for any other index.
    virtual IAnswerImage *AnswerImage(int index) = 0;
    // Fills the box with the colour inside a black outline and writes the
    // text (cp1252) centred on it.
    virtual void PaintAnswer(IAnswerImage *image, Colour colour, const std::string &text) = 0;
    // False once the window was closed or let go of: its pause timer has
    // stopped, so a wait for the next tick would never end.
    virtual bool StillPlaying() const = 0;
};

} // namespace landora
