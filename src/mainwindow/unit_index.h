#pragma once

#include <cstdint>

#include "numtext/power_unit.h"
#include "rf/reflection.h"

// Item indexes of the unit selectors, in the order the design lists their items.
namespace mainwindow {

// Power unit (rgPowerUnit): W (with kW and MW by magnitude), dBm, dBW, dBkW.
inline constexpr auto kPowerWatts = static_cast<std::int32_t>(numtext::PowerUnit::Watts);
inline constexpr auto kPowerDbm = static_cast<std::int32_t>(numtext::PowerUnit::Dbm);
inline constexpr auto kPowerDbw = static_cast<std::int32_t>(numtext::PowerUnit::Dbw);
inline constexpr auto kPowerDbkw = static_cast<std::int32_t>(numtext::PowerUnit::Dbkw);

// Factor unit (rgTransmMagUnit, SelUnit): plain ratio, per cent, dB.
inline constexpr std::int32_t kFactorRatio = 0;
inline constexpr std::int32_t kFactorPercent = 1;
inline constexpr std::int32_t kFactorDb = 2;

// Measurement error unit (rgPowMeasUnit, SelErrUnit): the power unit, per cent, dB.
inline constexpr std::int32_t kErrorPower = 0;
inline constexpr std::int32_t kErrorPercent = 1;
inline constexpr std::int32_t kErrorDb = 2;

// A reflection's form (cbSrcRfl, cbLoaRfl, rgLoadMeasMagUnit): magnitude, return loss, SWR.
inline constexpr auto kReflMag = static_cast<std::int32_t>(rf::ReflForm::Mag);
inline constexpr auto kReflDb = static_cast<std::int32_t>(rf::ReflForm::Db);
inline constexpr auto kReflSwr = static_cast<std::int32_t>(rf::ReflForm::Swr);

// A mismatch factor's unit (cbSrcMism, cbLoaMism): plain ratio, dB, per cent.
inline constexpr std::int32_t kMismRatio = 0;
inline constexpr std::int32_t kMismDb = 1;
inline constexpr std::int32_t kMismPercent = 2;

}  // namespace mainwindow
