// The bilingual text table: every caption, name and lore text by text id.
#pragma once

#include "settings/Settings.h"

#include <string>

namespace selenara {

// The text of an id in a language (UTF-8; a line break inside a text is a
// carriage return). Empty for a language other than German or English, an
// id the table does not hold, or a side the table leaves out: there is no
// fallback to the other language. Never contains "|".
std::string TextById(int id, LanguageId language);

}  // namespace selenara
