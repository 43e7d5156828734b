#include "model/SpectrumList.h"

#include <utility>

bool SpectrumList::NameExists(std::string_view name) const { return Find(name) != Size(); }

std::size_t SpectrumList::Find(std::string_view name) const {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i]->name == name) return i;
  }
  return items_.size();
}

void SpectrumList::Append(std::unique_ptr<DesignSpectrum> spectrum) {
  // Every slot must hold a spectrum: At() and the walkers dereference without checking.
  if (spectrum) items_.push_back(std::move(spectrum));
}

bool SpectrumList::RemoveFirst(std::string_view name) {
  const std::size_t index = Find(name);
  if (index == items_.size()) return false;
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

void SpectrumList::Clear() {
  for (auto& item : items_) item.reset();
  items_.clear();
}
