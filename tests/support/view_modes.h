#pragma once

#include "viewer/form1.h"

namespace ruvo::test {

// The viewer's mode set as a reader's earlier choice left it, before the pages are shown.
inline void setOnePage(Form1& form, bool on)
{
    ViewMode mode = form.viewMode();
    mode.onePage = on;
    form.setViewMode(mode);
}

inline void setStretched(Form1& form, bool on)
{
    ViewMode mode = form.viewMode();
    mode.fit = on ? PageFit::WholePage : PageFit::ActualSize;
    form.setViewMode(mode);
}

} // namespace ruvo::test
