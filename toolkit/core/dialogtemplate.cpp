#include "dialogtemplate.h"

namespace tk {

const ControlTemplate *findControl(const DialogTemplate &dialog, int id)
{
    for (const ControlTemplate &control : dialog.controls) {
        if (control.id == id)
            return &control;
    }
    return nullptr;
}

} // namespace tk
