// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/BitmapHeader.h"

#include <QtEndian>

namespace {

template <typename T>
T At(const QByteArray& bytes, int offset) {
  return qFromLittleEndian<T>(bytes.constData() + offset);
}

}  // namespace

std::optional<BitmapHeader> ReadBitmapHeader(const QByteArray& bytes) {
  if (bytes.size() < 54) return std::nullopt;
  BitmapHeader header;
  header.magic = bytes.left(2);
  header.fileSize = At<quint32>(bytes, 2);
  header.pixelOffset = At<quint32>(bytes, 10);
  header.infoSize = At<quint32>(bytes, 14);
  header.width = At<qint32>(bytes, 18);
  header.height = At<qint32>(bytes, 22);
  header.planes = At<quint16>(bytes, 26);
  header.bitsPerPixel = At<quint16>(bytes, 28);
  header.compression = At<quint32>(bytes, 30);
  return header;
}
