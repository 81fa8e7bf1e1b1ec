#include "wizards/AuthorEdits.h"

#include "document/AuthorDefaults.h"
#include "common/Latin1.h"
#include "store/CustomIniFile.h"

#include <QLineEdit>

namespace sw {

void showAuthorFields(TCustomIniFile& settings, const AuthorEdits& edits)
{
    for (std::size_t i = 0; i < edits.size(); ++i) {
        const std::string_view key = kAuthorFieldKeys[i];
        edits[i]->setPlaceholderText(QString::fromStdString(authorPlaceholder(key)));
        edits[i]->setText(fromBytes(readAuthorField(settings, key)));
        edits[i]->setCursorPosition(0);
    }
}

void rememberAuthorFields(TCustomIniFile& settings, const AuthorEdits& edits)
{
    for (std::size_t i = 0; i < edits.size(); ++i)
        settings.WriteString("Author", kAuthorFieldKeys[i], toBytes(edits[i]->text()));
}

}  // namespace sw
