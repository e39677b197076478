#pragma once

// Marks an English text that the window shows in the user's language. The core uses the text as
// it stands; lupdate collects it under the given context (it treats this like QT_TRANSLATE_NOOP).
#define KESTROW_TRANSLATABLE(context, text) text
