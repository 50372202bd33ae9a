#include "effects/engine.h"
#include "music/mci.h"
