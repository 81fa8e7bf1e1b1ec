#include "document/AuthorDefaults.h"

namespace sw {

std::string authorPlaceholder(std::string_view key)
{
    if (key == "SkinAuthor")
        return "Corvane (put your name here)";
    if (key == "AuthorsURL")
        return "https://skinwright.example.org/ (put your URL here)";
    if (key == "AuthorEmail")
        return "author@skinwright.example.org (put your e-mail here)";
    if (key == "SpecialNotes")
        return "Sample Special Note (here's the place for your default sample note)";
    return {};
}

std::string readAuthorField(TCustomIniFile& settings, std::string_view key)
{
    std::string value = settings.ReadString("Author", key, "");
    if (value == authorPlaceholder(key))
        value.clear();
    return value;
}

}  // namespace sw
