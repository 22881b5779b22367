#pragma once

namespace ruvo {

// One forward step: the next page, held at the last one.
int stepForward(int pageIndex, int pageCount);

// One backward step. In two-page mode the index names the second page of the
// spread on screen, or the last page when it stands alone; the step lands on
// the first page of the spread to show.
int stepBackward(int pageIndex, int pageCount, bool onePageMode, bool lastPageShownAlone);

} // namespace ruvo
