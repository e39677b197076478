#pragma once

#include <QPalette>

// Qt's Fusion style draws a check box's border from the window colour made darker: on a dark
// palette that border vanishes into the dark field, and an unticked box cannot be seen. Where the
// field is dark, this lifts the window colour halfway to the text colour, which only that border
// is drawn from; a light palette comes back unchanged.
QPalette withVisibleCheckBoxBorders(QPalette palette);
