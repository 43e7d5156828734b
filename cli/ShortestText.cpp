#include "cli/ShortestText.h"

#include <charconv>

void AppendShortest(std::string& out, double value) {
  if (value == 0) value = 0;  // -0 reads as 0 and is written so
  char text[32];
  const auto converted = std::to_chars(text, text + sizeof text, value);
  out.append(text, converted.ptr);
}
