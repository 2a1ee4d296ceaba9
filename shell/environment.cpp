#include "shell/environment.h"

Environment g_environment;
