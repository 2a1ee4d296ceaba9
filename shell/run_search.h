// The search command: reads the search mode and term from the main window,
// runs the search around the reference point and reports the count.
#pragma once

void RunSearch();
