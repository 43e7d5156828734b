// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/files/BitmapFile.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include <stdexcept>

#include "tests/support/BitmapHeader.h"
#include "tests/support/QtPrinters.h"

namespace {

// Top row red, bottom row blue, 3 pixels wide: rows of 9 bytes padded to 12.
QImage TwoRows(QImage::Format format) {
  QImage image(3, 2, QImage::Format_RGB32);
  image.fill(Qt::red);
  for (int x = 0; x < 3; ++x) image.setPixelColor(x, 1, Qt::blue);
  return image.convertToFormat(format);
}

class BmpFormats : public ::testing::TestWithParam<QImage::Format> {};

TEST_P(BmpFormats, WindowsBitmapHeadersAndBottomUpRows) {
  const QByteArray bmp = BmpBytes(TwoRows(GetParam()));
  ASSERT_EQ(bmp.size(), 54 + 2 * 12);
  const std::optional<BitmapHeader> header = ReadBitmapHeader(bmp);
  ASSERT_TRUE(header);
  EXPECT_EQ(header->magic, QByteArray("BM"));
  EXPECT_EQ(header->fileSize, 78u);
  EXPECT_EQ(header->pixelOffset, 54u);
  EXPECT_EQ(header->infoSize, 40u);  // BITMAPINFOHEADER
  EXPECT_EQ(header->width, 3);
  EXPECT_EQ(header->height, 2);  // positive: bottom-up
  EXPECT_EQ(header->planes, 1);
  EXPECT_EQ(header->bitsPerPixel, 24);
  EXPECT_EQ(header->compression, 0u);
  // The first stored row is the bottom one (blue), in B, G, R order, then padding.
  EXPECT_EQ(bmp.mid(54, 12), QByteArray::fromHex("ff0000ff0000ff0000000000"));
  EXPECT_EQ(bmp.mid(66, 12), QByteArray::fromHex("0000ff0000ff0000ff000000"));
}

// A mono or indexed picture must not turn into a file with a colour table.
INSTANTIATE_TEST_SUITE_P(Formats, BmpFormats,
                         ::testing::Values(QImage::Format_RGB32, QImage::Format_ARGB32,
                                           QImage::Format_Indexed8, QImage::Format_RGB888));

TEST(BmpBytes, EmptyPictureThrows) { EXPECT_THROW(BmpBytes(QImage()), std::runtime_error); }

TEST(WriteBitmapFile, WritesBitmapWhateverTheExtension) {
  QTemporaryDir folder;
  const QString path = folder.filePath("Spectrum.png");
  WriteBitmapFile(path, TwoRows(QImage::Format_RGB32));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), BmpBytes(TwoRows(QImage::Format_RGB32)));
}

}  // namespace
