// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordWriter.h"

#include <charconv>
#include <cstddef>
#include <vector>

namespace {

constexpr std::size_t kAt2ValuesPerLine = 5;

void AppendNumber(std::string& out, double value) {
  char text[32];
  const auto converted = std::to_chars(text, text + sizeof text, value);
  out.append(text, converted.ptr);
}

// One line of free text: line breaks and other control characters become blanks.
std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
  }
  return line;
}

void AppendComment(std::string& out, std::string_view text) {
  out += "# ";
  out += OneLine(text);
  out += '\n';
}

}  // namespace

std::string WriteRecord(const GroundMotion& motion, RecordFormat format,
                        const RecordHeader& description) {
  const std::vector<double>& a = motion.acceleration;
  std::string out;
  out.reserve(a.size() * 24 + 256);
  switch (format) {
    case RecordFormat::Automatic:
    case RecordFormat::PeerAt2:
      out += OneLine(description.title) + '\n';
      out += OneLine(description.detail) + '\n';
      out += "ACCELERATION TIME HISTORY IN UNITS OF G\n";
      out += "NPTS= " + std::to_string(a.size()) + ", DT= ";
      AppendNumber(out, motion.step);
      out += " SEC\n";
      for (std::size_t k = 0; k < a.size(); ++k) {
        AppendNumber(out, a[k]);
        out += (k + 1) % kAt2ValuesPerLine == 0 || k + 1 == a.size() ? '\n' : ' ';
      }
      break;
    case RecordFormat::TimeAcceleration:
      AppendComment(out, description.title);
      AppendComment(out, description.detail);
      out += "# time (s), acceleration (g)\n";
      for (std::size_t k = 0; k < a.size(); ++k) {
        AppendNumber(out, static_cast<double>(k) * motion.step);
        out += ' ';
        AppendNumber(out, a[k]);
        out += '\n';
      }
      break;
    case RecordFormat::Acceleration:
      AppendComment(out, description.title);
      AppendComment(out, description.detail);
      out += "# acceleration (g) at a time step of ";
      AppendNumber(out, motion.step);
      out += " s\n";
      for (const double x : a) {
        AppendNumber(out, x);
        out += '\n';
      }
      break;
  }
  return out;
}
