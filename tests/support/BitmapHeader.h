// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

// The fields of a Windows BMP file's 14-byte file header and 40-byte information header, as
// the file stores them (little-endian).
struct BitmapHeader {
  QByteArray magic;  // "BM"
  quint32 fileSize = 0;
  quint32 pixelOffset = 0;
  quint32 infoSize = 0;  // 40 for BITMAPINFOHEADER
  qint32 width = 0;
  qint32 height = 0;  // positive: rows stored bottom-up
  quint16 planes = 0;
  quint16 bitsPerPixel = 0;
  quint32 compression = 0;

  // Bytes of one stored row, padded to 4.
  qint64 RowBytes() const { return (qint64{width} * bitsPerPixel / 8 + 3) / 4 * 4; }
};

// Nothing when the bytes are too short for both headers.
std::optional<BitmapHeader> ReadBitmapHeader(const QByteArray& bytes);
