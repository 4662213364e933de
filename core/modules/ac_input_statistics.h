#pragma once
// Running statistics of the AC input's precise value, kept by the program
// for checking an instrument against a reference: extremes of the value and
// of its deviation from the value at the last zeroing.

#include <cmath>
#include <limits>

#include "core/device/records.h"

namespace velmar {

// Percent deviation from the reference; 100 while there is none to speak of.
inline float DeviationPercent(float value, float reference) {
    if (std::fabs(reference) <= 0.0001f) return 100.0f;
    return (value - reference) / reference * 100.0f;
}

// A not-a-number extreme takes the next value, so an extreme starts with
// the first value seen rather than with a value never measured.
inline void TrackMinimum(float& minimum, float value) {
    if (minimum > value || std::isnan(minimum) || std::isnan(value)) minimum = value;
}
inline void TrackMaximum(float& maximum, float value) {
    if (!(maximum >= value)) maximum = value;
}

// Nothing seen yet: every extreme takes the first value.
inline void ClearPreciseStatistics(tRX& rx) {
    const float none = std::numeric_limits<float>::quiet_NaN();
    rx.fDeltaMin = rx.fDeltaMax = none;
    rx.fHibaSzazalekMin = rx.fHibaSzazalekMax = none;
}

// One more precise value from a status answer.
inline void TrackPreciseValue(tRX& rx) {
    const float v = rx.fiSkalazottKijezesiErtekPontos;
    TrackMinimum(rx.fDeltaMin, v);
    TrackMaximum(rx.fDeltaMax, v);
    rx.fHibaSzazalek = DeviationPercent(v, rx.fValueAtZero);
    TrackMinimum(rx.fHibaSzazalekMin, rx.fHibaSzazalek);
    TrackMaximum(rx.fHibaSzazalekMax, rx.fHibaSzazalek);
}

// The present value becomes the reference and the statistics start again
// from it: its own deviation, not that against the old reference, is where
// the deviation's extremes start.
inline void ZeroPreciseStatistics(tRX& rx) {
    const float v = rx.fiSkalazottKijezesiErtekPontos;
    rx.fDeltaMin = rx.fDeltaMax = v;
    rx.fValueAtZero = v;
    rx.fHibaSzazalek = DeviationPercent(v, v);
    rx.fHibaSzazalekMin = rx.fHibaSzazalekMax = rx.fHibaSzazalek;
}

}  // namespace velmar
