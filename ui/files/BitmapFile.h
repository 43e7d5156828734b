// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// A Windows BMP file of the image: 14-byte file header, 40-byte information header, 24
// bits per pixel, uncompressed, rows bottom-up and padded to 4 bytes. Throws
// std::runtime_error when the image cannot be encoded (an empty image).
QByteArray BmpBytes(const QImage& image);

// Writes the image as a BMP file whatever extension the name has; failures as for
// WriteWholeFile.
void WriteBitmapFile(const QString& path, const QImage& image);
