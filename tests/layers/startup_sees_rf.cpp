#include "rf/model.h"  // start-up links the window, which links rf
