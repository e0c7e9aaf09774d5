#include "lines/line.h"  // the reader is below the lines that use its files
