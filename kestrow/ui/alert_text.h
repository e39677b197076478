#pragma once

#include <QString>

#include "kestrow/core/alert.h"

// The alert's message in the user's language; where no translation exists (the C and English
// locales), exactly its English text.
QString alertText(const kestrow::Alert& alert);
