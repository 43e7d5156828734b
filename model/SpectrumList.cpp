#include "model/SpectrumList.h"

#include <utility>

bool SpectrumList::NameExists(std::string_view name) const {
  return nameCounts_.find(std::string(name)) != nameCounts_.end();
}

std::size_t SpectrumList::Find(std::string_view name) const {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i]->name == name) return i;
  }
  return items_.size();
}

void SpectrumList::Append(std::unique_ptr<DesignSpectrum> spectrum) {
  // Every slot must hold a spectrum: At() and the walkers dereference without checking.
  if (!spectrum) return;
  ++nameCounts_[spectrum->name];
  items_.push_back(std::move(spectrum));
}

bool SpectrumList::RemoveFirst(std::string_view name) {
  const std::size_t index = Find(name);
  if (index == items_.size()) return false;
  const auto count = nameCounts_.find(items_[index]->name);
  if (--count->second == 0) nameCounts_.erase(count);
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

void SpectrumList::Clear() {
  for (auto& item : items_) item.reset();
  items_.clear();
  nameCounts_.clear();
}
