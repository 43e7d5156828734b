// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The author's details shown in the status bar and the About box.
namespace author {

inline constexpr char kName[] = "Kestrin";
// Shown and opened without a scheme; the desktop layer adds one when it opens it.
inline constexpr char kWebsite[] = "www.kestrin.cn";
inline constexpr char kDescription[] = "Elastic design response spectra";
inline constexpr char kDate[] = "Date : 2024-05-18";
inline constexpr char kInstitution[] =
    "Institute of Structural Engineering, Eastern Hills University";
inline constexpr char kEmail[] = "ks@kestrin.cn";
inline constexpr char kMessenger[] = "QQ : 2048173";
inline constexpr char kLicence[] = "Licence : GPL-3.0-or-later";

}  // namespace author
