#pragma once
// The two looks of the clickable labels of the area selection and the editor.
#include "runtime/forms.h"

namespace pellmaris {

inline void highlight_link(rt::Label& label)
{
    label.FontSize(10);
    label.ForeColor(rt::QBColor(2));
}

inline void normal_link(rt::Label& label)
{
    if (label.FontSize() != 8) {
        label.FontSize(8);
        label.ForeColor(rt::QBColor(0));
    }
}

} // namespace pellmaris
