#include "rf/model.h"  // the chart engine draws what it is given and knows no model
