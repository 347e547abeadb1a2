#ifndef ZUVO_LEGACY_NUDIIMPORT_H
#define ZUVO_LEGACY_NUDIIMPORT_H

#include <QString>

// Opening a "nudi" file: the RTF text is extracted (one character per glyph byte), turned
// into the romanisation and then into Unicode Kannada. The result is empty when the file
// cannot be read or holds no text; otherwise each line of it ends with a line break.
QString importNudiFile(const QString &path);

// The same conversion for text already extracted from such a file.
QString nudiTextToUnicode(const QString &text);

#endif
