#include "rf/model.h"  // the text kit is below the model
