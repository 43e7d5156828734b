// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SpectrumList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Counts destructions so the tests can see when the list lets a spectrum go.
class CountedSpectrum : public DesignSpectrum {
 public:
  CountedSpectrum(std::string name, std::vector<std::string>& destroyed)
      : DesignSpectrum(std::move(name), 0.04, 0.2, 0.05, 0), destroyed_(destroyed) {}
  ~CountedSpectrum() override { destroyed_.push_back(name); }

 private:
  std::vector<std::string>& destroyed_;
};

class SpectrumListTest : public ::testing::Test {
 protected:
  void Add(const std::string& name) {
    list.Append(std::make_unique<CountedSpectrum>(name, destroyed));
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& spectrum : list) names.push_back(spectrum->name);
    return names;
  }

  std::vector<std::string> destroyed;
  SpectrumList list;
};

TEST_F(SpectrumListTest, KeepsCreationOrderAndComparesNamesExactly) {
  Add("b");
  Add("a");
  Add("B");
  EXPECT_EQ(Names(), (std::vector<std::string>{"b", "a", "B"}));
  EXPECT_EQ(list.Find("a"), 1u);
  EXPECT_EQ(list.Find("A"), 3u);
  EXPECT_TRUE(list.NameExists("B"));
  EXPECT_FALSE(list.NameExists("b "));
  EXPECT_EQ(list.At(2).name, "B");
}

TEST_F(SpectrumListTest, RemoveFirstDestroysOnlyThatSpectrum) {
  Add("x");
  Add("y");
  Add("z");
  EXPECT_TRUE(list.RemoveFirst("y"));
  EXPECT_EQ(destroyed, std::vector<std::string>{"y"});
  EXPECT_EQ(Names(), (std::vector<std::string>{"x", "z"}));
  EXPECT_FALSE(list.RemoveFirst("y"));
  EXPECT_EQ(list.Size(), 2u);
}

TEST_F(SpectrumListTest, ClearDestroysFrontToBack) {
  Add("1");
  Add("2");
  Add("3");
  list.Clear();
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(destroyed, (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(SpectrumListTest, NullIsNotAppended) {
  list.Append(nullptr);
  EXPECT_TRUE(list.Empty());
}

}  // namespace
