#include "module/kvmodule_initializer.h"
