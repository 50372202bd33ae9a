#include "effects/engine.h"
