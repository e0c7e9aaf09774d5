#include "mainwindow/form.h"  // rf is below the window
