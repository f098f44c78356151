#pragma once
// How many GDI objects (device contexts included) this process holds, for
// leak checks that must see a raw handle nobody owns, not only the layer's
// own counts.

// Windows counts them itself; Wine answers 0 there, so under Wine every
// entry of the process's handle table is asked for its object's type.
int ProcessGdiObjects();

// Whether the count sees one brush made and leaked by hand (+1, then back):
// leak checks assert it first, so a count that cannot move fails them.
bool GdiCensusSeesALeakedBrush();
