#include "core/environment.h"

Environment g_environment;  // NOLINT(cert-err58-cpp): empty texts at start-up allocate nothing
