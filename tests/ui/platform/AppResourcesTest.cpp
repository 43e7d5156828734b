// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/AppResources.h"

#include <gtest/gtest.h>
#include <QImage>

// The pictures live in a static library, where the linker drops them unless registered.
TEST(AppResources, IconInAllSizesAndAboutPicture) {
  const QList<QSize> sizes = ApplicationIcon().availableSizes();
  for (const int size : resource::kIconSizes)
    EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
  EXPECT_EQ(QImage(resource::kAboutPicture).size(), QSize(48, 48));
}
