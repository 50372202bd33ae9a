#include "common/rounding.h"
#include "saver/saver_run.h"
