#include "rf/model.h"  // numtext stands beside rf, not on it
