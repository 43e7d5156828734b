// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/files/BitmapFile.h"

#include <QBuffer>
#include <stdexcept>

#include "ui/files/FileWriter.h"

QByteArray BmpBytes(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  // Indexed and mono images would otherwise get a colour table and fewer bits per pixel.
  const QImage trueColour = image.convertToFormat(QImage::Format_RGB32);
  // The format is named so that the extension the user typed does not decide it.
  if (trueColour.isNull() || !trueColour.save(&buffer, "BMP")) {
    throw std::runtime_error("Cannot make a bitmap of an empty picture");
  }
  return bytes;
}

void WriteBitmapFile(const QString& path, const QImage& image) {
  WriteWholeFile(path, BmpBytes(image));
}
