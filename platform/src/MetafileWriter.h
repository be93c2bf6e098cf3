#pragma once
// Writes a display list as an enhanced metafile file.

#include <QSize>
#include <QString>

#include "CanvasRecorder.h"

// The picture of Size pixels (96 per inch) whose operations List holds,
// with the creator and description texts in the header; false when the
// file could not be written.
bool WriteEmf(const QString& FileName, const TDisplayList& List, QSize Size, const String& CreatedBy,
              const String& Description);
