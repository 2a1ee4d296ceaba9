#include "core/environment.h"

Environment g_environment;
