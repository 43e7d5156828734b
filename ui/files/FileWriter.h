#pragma once

#include <QByteArray>
#include <QString>

class QSaveFile;

// Writes a file whole or not at all: the bytes go to a temporary file beside the target,
// which replaces the target only when everything was written. On any failure an existing
// file stays as it was and a std::runtime_error is thrown with the text for the error
// display:
//   the file cannot be created: Cannot create file "<full path>". <system text>
//   writing or replacing fails: Stream write error
void WriteWholeFile(const QString& path, const QByteArray& bytes);

// The same through a save file whose name is already set; lets a test put a device with
// failing writes in its place.
void WriteWholeFile(QSaveFile& file, const QByteArray& bytes);

// "Cannot create file "<full native path>". " and the system's text without its trailing
// full stops, spaces and line breaks.
QString CreateFileErrorText(const QString& path, const QString& systemText);
