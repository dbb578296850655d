#pragma once
#include <QString>

// Qt's own texts (file and colour dialogs, context menus, standard buttons) in
// German from Qt's translations, and Qt's own dialogs instead of the desktop's,
// so every dialog speaks the program's language whatever the desktop's is.
// False when the translations are not installed.
bool QtTexteDeutsch();

// Opens a document with the program the desktop has for its type; false when
// the desktop has none, so the caller can say where the document is.
bool DokumentOeffnen(const QString& pfad);
