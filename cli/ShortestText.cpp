#include "cli/ShortestText.h"

#include <charconv>

void AppendShortest(std::string& out, double value) {
  char text[32];
  const auto converted = std::to_chars(text, text + sizeof text, value);
  out.append(text, converted.ptr);
}
