#pragma once
#include "exercises/Ovning.h"

namespace landora {

// Exercise: choose the right one of four answers.
class COvningMulti : public COvning {
public:
    COvningMulti() = default;
};

} // namespace landora
