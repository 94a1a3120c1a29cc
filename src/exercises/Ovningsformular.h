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

} // namespace landora
