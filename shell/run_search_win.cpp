#include "shell/run_search.h"

// The search command is not built yet: this does nothing at all, on purpose,
// so that nothing looks as if a search had run.
void RunSearch() {}
