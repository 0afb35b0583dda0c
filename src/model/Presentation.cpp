#include "model/Presentation.h"

namespace tessarion {

namespace {
Presentation gSilent;
Presentation* gPresentation = nullptr;
}  // namespace

void setPresentation(Presentation* p) {
    gPresentation = p;
}

Presentation& presentation() {
    return gPresentation != nullptr ? *gPresentation : gSilent;
}

}  // namespace tessarion
