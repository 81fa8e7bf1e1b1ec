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

// What the author gave for that Author key, to be written into a new personality:
// empty when nothing was given, and never the placeholder, which only shows what
// belongs in the field.
std::string readAuthorField(TCustomIniFile& settings, std::string_view key);

// The four author fields, in the order of authorPlaceholder's keys.
inline constexpr std::string_view kAuthorFieldKeys[4] = {"SkinAuthor", "AuthorsURL", "AuthorEmail", "SpecialNotes"};

}  // namespace sw
