// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/CsvReader.h"

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
}

CsvReader::CsvReader(std::string_view bytes) : bytes_(bytes) {
  if (bytes_.substr(0, kByteOrderMark.size()) == kByteOrderMark) pos_ = kByteOrderMark.size();
}

bool CsvReader::Next(CsvRecord& record) {
  record.fields.clear();
  if (pos_ >= bytes_.size()) return false;
  record.line = line_;
  for (;;) {
    std::string& field = record.fields.emplace_back();
    if (ReadField(field)) return true;
  }
}

bool CsvReader::SkipLineBreak() {
  if (pos_ >= bytes_.size()) return false;
  if (bytes_[pos_] == '\r') {
    ++pos_;
    if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
  } else if (bytes_[pos_] == '\n') {
    ++pos_;
  } else {
    return false;
  }
  ++line_;
  return true;
}

bool CsvReader::ReadField(std::string& field) {
  if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
    const std::size_t openedOn = line_;
    ++pos_;
    for (;;) {
      if (pos_ >= bytes_.size()) throw CsvError(openedOn, "a quoted field is not closed");
      const char c = bytes_[pos_];
      if (c == '"') {
        if (pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '"') {
          field.push_back('"');
          pos_ += 2;
          continue;
        }
        ++pos_;
        break;
      }
      if (c == '\r' || c == '\n') {
        // Kept as written; counted so later messages name the right line.
        const std::size_t from = pos_;
        SkipLineBreak();
        field.append(bytes_.substr(from, pos_ - from));
        continue;
      }
      field.push_back(c);
      ++pos_;
    }
    if (pos_ >= bytes_.size() || SkipLineBreak()) return true;
    if (bytes_[pos_] == ',') {
      ++pos_;
      return false;
    }
    throw CsvError(line_, "a closing quote is followed by other text");
  }
  const std::size_t begin = pos_;
  while (pos_ < bytes_.size()) {
    const char c = bytes_[pos_];
    if (c == ',' || c == '\r' || c == '\n') break;
    if (c == '"') throw CsvError(line_, "a quote inside a field that does not begin with one");
    ++pos_;
  }
  field.assign(bytes_.substr(begin, pos_ - begin));
  if (pos_ < bytes_.size() && bytes_[pos_] == ',') {
    ++pos_;
    return false;
  }
  SkipLineBreak();
  return true;
}
