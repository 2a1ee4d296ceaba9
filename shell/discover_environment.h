// Start-up's look at the device, in the order that gives each finding its
// meaning.
#pragma once
#include "core/environment.h"

// Finds, in this order: the storage card name; the map application under
// that name; the display scale; the map data folder from the map
// application's setting; then "mappath.txt", "cardname.txt" and
// "phonehost.txt" beside the executable (none when the executable's path
// cannot be told), whose first lines replace the map data folder, the card
// name and the phone search's host (g_phoneSearchHost, only with a host
// PhoneSearchHostUsable accepts).  The card name from
// the file therefore never moves the map application, only what is looked
// for on the card afterwards: the QLCode database, found last, after the
// ClearType setting.  The main window is created from what this found.
Environment DiscoverEnvironment();
