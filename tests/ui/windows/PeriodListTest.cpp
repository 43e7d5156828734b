// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windows/PeriodList.h"

#include <gtest/gtest.h>

#include "tests/support/QtPrinters.h"

namespace {

struct ListCase {
  const char* separator;  // decimal
  const char* text;
  QStringList entries;
};

void PrintTo(const ListCase& c, std::ostream* out) { *out << "'" << c.separator << "' " << c.text; }

class PeriodListTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(PeriodListTest, SplitsAtTheListSeparators) {
  EXPECT_EQ(SplitPeriodList(QString::fromUtf8(GetParam().text), GetParam().separator),
            GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(Texts, PeriodListTest,
                         ::testing::Values(ListCase{".", "1.2, 0.4,0.2", {"1.2", "0.4", "0.2"}},
                                           ListCase{".", "1.2; 0.4", {"1.2", "0.4"}},
                                           ListCase{".", " , ;", {}},
                                           ListCase{".", "1.2,,0.4,", {"1.2", "0.4"}},
                                           ListCase{".", "1.2 0.4\t0.2", {"1.2", "0.4", "0.2"}},
                                           ListCase{",", "1,2 0,4", {"1,2", "0,4"}},
                                           ListCase{",", "1,2; 0,4", {"1,2", "0,4"}},
                                           ListCase{",", "1,2", {"1,2"}}));

TEST_F(PeriodListTest, WrittenListsUseASeparatorThatReadsBack) {
  EXPECT_EQ(PeriodListSeparator("."), ", ");
  EXPECT_EQ(PeriodListSeparator(","), "; ");
}

}  // namespace
