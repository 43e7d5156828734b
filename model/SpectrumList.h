#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/DesignSpectrum.h"

// The ordered, owning set of created spectra, in creation order. Names are compared for
// exact, case-sensitive equality; keeping them unique is the caller's check (NameExists).
class SpectrumList {
 public:
  std::size_t Size() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  const DesignSpectrum& At(std::size_t index) const { return *items_[index]; }

  bool NameExists(std::string_view name) const;
  // Index of the first spectrum with this name, or Size() when there is none.
  std::size_t Find(std::string_view name) const;

  void Append(std::unique_ptr<DesignSpectrum> spectrum);
  // Removes and destroys the first spectrum with this name; false when there is none.
  bool RemoveFirst(std::string_view name);
  // Destroys every spectrum, front to back.
  void Clear();

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<std::unique_ptr<DesignSpectrum>> items_;
  // How many spectra carry each name, so that a batch of thousands checks its names in
  // constant time each instead of walking the list.
  std::unordered_map<std::string, std::size_t> nameCounts_;
};
