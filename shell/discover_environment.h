// Start-up's look at the device, in the order that gives each finding its
// meaning.
#pragma once
#include "core/environment.h"

// Finds, in this order: the storage card name; the map application under
// that name; the display scale; the map data folder from the map
// application's setting; then "mappath.txt" and "cardname.txt" beside the
// executable (none when the executable's path cannot be told), whose first
// lines replace the map data folder and the card name.  The card name from
// the file therefore never moves the map application, only what is looked
// for on the card afterwards: the QLCode database, found last, after the
// ClearType setting.  The main window is created from what this found.
Environment DiscoverEnvironment();
