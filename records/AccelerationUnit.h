// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Units of the acceleration values in a text record. Records are held in g.
enum class AccelerationUnit { G, MetresPerSecondSquared, Gal };

// Standard gravity in m/s2, the conversion between g and the SI units.
inline constexpr double kStandardGravity = 9.80665;

// The factor that turns a value in this unit into g.
double ToG(AccelerationUnit unit);
