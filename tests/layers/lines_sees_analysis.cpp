#include "analysis/sweep.h"  // lines and waveguides are below the analysis
