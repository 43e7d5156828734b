// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/InputCheck.h"

#include <stdexcept>

#include "tests/model/ModelFixture.h"

namespace {

// The messages and their order are exercised through the window and the command line; here
// the storing rule that both rely on.
class InputCheckTest : public ModelFixture {
 protected:
  std::string name = "old";
  double alphaMax = -1;
  double tg = -1;
  double damping = -1;
  InputTargets targets{name, alphaMax, tg, damping};
};

TEST_F(InputCheckTest, AcceptedEntriesAreStoredBeforeARefusal) {
  const auto problem = CheckInputs({"  Name\t", "0.3", "x", "0.02"}, ".", targets);
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->field, InputField::Tg);
  EXPECT_EQ(problem->message, "\"x\" is not a valid floating number!");
  EXPECT_EQ(name, "Name");
  EXPECT_EQ(alphaMax, 0.3);
  EXPECT_EQ(tg, -1);
  EXPECT_EQ(damping, -1);
}

TEST_F(InputCheckTest, OverflowThrowsAfterTheEarlierEntriesWereStored) {
  EXPECT_THROW(CheckInputs({"N", "0.1", "1e400", "0.05"}, ".", targets), std::overflow_error);
  EXPECT_EQ(name, "N");
  EXPECT_EQ(alphaMax, 0.1);
  EXPECT_EQ(tg, -1);
}

TEST_F(InputCheckTest, AllStoredWhenAccepted) {
  InputValues values;
  EXPECT_FALSE(CheckInputs({"N", "0", "-0", "0.05"}, ".", values));
  EXPECT_EQ(values.name, "N");
  EXPECT_EQ(values.alphaMax, 0.0);
  EXPECT_EQ(values.tg, 0.0);
  EXPECT_EQ(values.damping, 0.05);
}

}  // namespace
