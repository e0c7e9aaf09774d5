#include "analysis/sweep.h"  // the window does not build on the analysis
