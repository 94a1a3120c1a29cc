#pragma once
#include "exercises/Ovning.h"

namespace landora {

// Exercise: click the named country or area on the map.
class COvningLandArea : public COvning {
public:
    COvningLandArea() = default;
};

} // namespace landora
