#include "shell/open_result.h"

// Opening a result is not built yet: this does nothing at all, on purpose,
// so that nothing looks as if the map application had been started.
void OpenSelectedResult() {}
