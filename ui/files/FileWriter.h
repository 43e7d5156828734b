// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class QSaveFile;

// Writes a file whole or not at all: the bytes go to a temporary file beside the target,
// which replaces the target only when everything was written and flushed. On any failure an
// existing file stays as it was and a std::runtime_error is thrown with the text for the
// error display:
//   the file cannot be created: Cannot create file "<full path>". <system text>
//   writing or replacing fails: Stream write error. <system text>
// A name too long for the folder is a creation failure, found before anything is written.
// Only where the folder refuses a temporary file but the existing file may be written is the
// file written in place; it is then left as far as it was written.
void WriteWholeFile(const QString& path, const QByteArray& bytes);

// The same through a save file whose name is already set; lets a test put a device with
// failing writes in its place.
void WriteWholeFile(QSaveFile& file, const QByteArray& bytes);

// "Cannot create file "<full native path>". " and the system's text without its trailing
// full stops, spaces and line breaks.
QString CreateFileErrorText(const QString& path, const QString& systemText);

// "Stream write error", then ". " and the system's text trimmed in the same way when there
// is one.
QString WriteErrorText(const QString& systemText);
