#pragma once
#include "exercises/Ovning.h"

namespace landora {

// Exercise: pick the named country's flag among up to sixteen.
class COvningFlagga : public COvning {
public:
    COvningFlagga() = default;
};

} // namespace landora
