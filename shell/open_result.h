// Shows the selected result line, asks whether it becomes the destination
// and starts the map application there.
#pragma once

void OpenSelectedResult();
