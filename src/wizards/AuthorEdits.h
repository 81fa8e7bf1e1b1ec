// The author fields of the wizards' last page: filled from what the author gave last
// time (the placeholders only as grey hints), and remembered when a skin is made.
#pragma once

#include <array>

class QLineEdit;

namespace sw {

class TCustomIniFile;

// Author, URL, e-mail and notes, in that order.
using AuthorEdits = std::array<QLineEdit*, 4>;

void showAuthorFields(TCustomIniFile& settings, const AuthorEdits& edits);
void rememberAuthorFields(TCustomIniFile& settings, const AuthorEdits& edits);

}  // namespace sw
