// The author fields written into new personalities and what stands in for them until
// the author fills them in (section Author of the editor's settings).
#pragma once

#include "store/CustomIniFile.h"

#include <string>
#include <string_view>

namespace sw {

// The placeholder of SkinAuthor, AuthorsURL, AuthorEmail or SpecialNotes; empty for
// any other key.
std::string authorPlaceholder(std::string_view key);

// The settings' value of that Author key, or its placeholder.
std::string readAuthorField(TCustomIniFile& settings, std::string_view key);

}  // namespace sw
