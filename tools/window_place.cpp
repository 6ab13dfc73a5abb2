#include "tools/window_place.h"

namespace pellmaris {

void centre_on_screen(rt::Form& form)
{
    const RECT work = rt::Screen::WorkArea();
    form.Move(work.left + (work.right - work.left - form.Width()) / 2,
              work.top + (work.bottom - work.top - form.Height()) / 2);
}

} // namespace pellmaris
