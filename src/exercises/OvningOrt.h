#pragma once
#include "exercises/Ovning.h"

namespace landora {

// Exercise: click the named place on the map.
class COvningOrt : public COvning {
public:
    COvningOrt() = default;
};

} // namespace landora
