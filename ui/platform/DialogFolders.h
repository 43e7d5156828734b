#pragma once

#include <QString>

// The folder in which the user last picked a file of each kind (CSV data, pictures, records),
// remembered across runs, so that file dialogs open where the user works rather than in the
// program's own folder.
class DialogFolders {
 public:
  // Keeps the folders in the INI file `settingsFile`; an empty name means the user's settings
  // file of the program (~/.config/Tremvale/Tremvale.conf).
  explicit DialogFolders(QString settingsFile = {});

  // The folder last used for this kind of file while it still exists; otherwise `fallback`.
  QString StartFolder(const QString& kind, const QString& fallback) const;
  // Remembers the folder of a file the user picked.
  void Remember(const QString& kind, const QString& pickedFile);

 private:
  QString settingsFile_;
};
