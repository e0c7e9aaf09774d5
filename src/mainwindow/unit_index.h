#pragma once

#include <cstdint>

// Item indexes of the unit selectors, in the order the design lists their items.
namespace mainwindow {

// Power unit (rgPowerUnit): W (with kW and MW by magnitude), dBm, dBW, dBkW.
inline constexpr std::int32_t kPowerWatts = 0;
inline constexpr std::int32_t kPowerDbm = 1;
inline constexpr std::int32_t kPowerDbw = 2;
inline constexpr std::int32_t kPowerDbkw = 3;

// Factor unit (rgTransmMagUnit, SelUnit): plain ratio, per cent, dB.
inline constexpr std::int32_t kFactorRatio = 0;
inline constexpr std::int32_t kFactorPercent = 1;
inline constexpr std::int32_t kFactorDb = 2;

// Measurement error unit (rgPowMeasUnit, SelErrUnit): the power unit, per cent, dB.
inline constexpr std::int32_t kErrorPower = 0;
inline constexpr std::int32_t kErrorPercent = 1;
inline constexpr std::int32_t kErrorDb = 2;

// A reflection's form (cbSrcRfl, cbLoaRfl, rgLoadMeasMagUnit): magnitude, return loss, SWR.
inline constexpr std::int32_t kReflMag = 0;
inline constexpr std::int32_t kReflDb = 1;
inline constexpr std::int32_t kReflSwr = 2;

// A mismatch factor's unit (cbSrcMism, cbLoaMism): plain ratio, dB, per cent.
inline constexpr std::int32_t kMismRatio = 0;
inline constexpr std::int32_t kMismDb = 1;
inline constexpr std::int32_t kMismPercent = 2;

}  // namespace mainwindow
