// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/DesignSpectrum.h"
#include "records/CompatibilityCheck.h"

// The check as the comma-separated table that both the records window's data file and
// `check --format csv` hold, with the same columns:
//   DesignSpectrum,Code,AlphaMax(g),Tg(s),DampingRatio          and its line
//   Tolerance(%),T1(s),MinimumDuration(s),ScaleBandLow,ScaleBandHigh   and its line
//   (empty line)
//   Period(s),Mean(g),Design(g),Deviation(%),Result,<record> PSA(g),...   a line per period
//   (empty line)
//   Record,Kind,PGA(g),ScaleFactor,ScaleFactorInBand,EffectiveDuration(s),Duration
//                                                                       a line per record
//   (empty line)
//   Records,Real,Artificial,RealAtLeastTwoThirds,SetRule,Result,Reasons  and its line
// Lines end with CR LF; numbers are the shortest text that reads back to the same double, with
// the given decimal separator; fields holding "," or '"' are quoted the RFC 4180 way.
std::string BuildCheckTableText(const DesignSpectrum& design, const CheckResult& result,
                                std::string_view decimalSeparator);

// Why the set does not pass, one phrase each, in the order: periods outside the tolerance,
// records too short, too few real records, too few records. Empty when it passes.
std::vector<std::string> CheckFailureReasons(const CheckResult& result,
                                             std::string_view decimalSeparator);

// What the set's size lets the results be used for: "fewer than 3 records: not a set the code
// accepts", "3 to 6 records: use the envelope of the results", "7 or more records: the mean of
// the results may be used".
std::string SetRuleText(SetRule rule);

// The warning for the records whose scale factor lies outside the band, naming them; empty
// when there is none.
std::string ScaleWarningText(const CheckResult& result, std::string_view decimalSeparator);
