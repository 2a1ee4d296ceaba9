// The busy state while a search runs: wait cursor, and the search inputs,
// the result list box and the menu bar disabled.  Does not nest: call false
// once, then true once.
#pragma once

void EnableControls(bool enabled);
