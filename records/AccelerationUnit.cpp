// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/AccelerationUnit.h"

double ToG(AccelerationUnit unit) {
  switch (unit) {
    case AccelerationUnit::MetresPerSecondSquared:
      return 1.0 / kStandardGravity;
    case AccelerationUnit::Gal:
      return 1.0 / (100.0 * kStandardGravity);
    case AccelerationUnit::G:
      break;
  }
  return 1.0;
}
