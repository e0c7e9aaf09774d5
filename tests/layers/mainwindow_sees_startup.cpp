#include "startup/lifecycle.h"  // start-up is built on the window
