#include "mainwindow/db_text.h"

#include "numtext/decimals.h"
#include "numtext/format.h"
#include "rf/reflection.h"

namespace mainwindow {

std::string DbText(double x) { return numtext::FloatToText(rf::PowToDb(x), numtext::kDbDecimals); }

}  // namespace mainwindow
