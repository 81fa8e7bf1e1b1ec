// "New Skin": the gallery of ways to start a personality, read from templates.ini in
// the template folder. The dialog only returns the chosen entry's type and file; the
// main window acts on them.
#pragma once

#include <QDialog>

#include <QImage>
#include <QSize>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace sw {

class TCustomIniFile;

// One gallery entry as templates.ini describes it.
struct TemplateEntry {
    int number = 0;  // n of its section Template<n>
    std::string name;
    int icon = 1;
    std::string type;  // kept as text: it is converted only when chosen
    std::string file;
    std::vector<std::string> description;
};

// The entries of Template0 ... Template<TemplateCount> that exist, in number order.
std::vector<TemplateEntry> readTemplateGallery(TCustomIniFile& ini);
// The type of an entry as a number; throws EConvertError when it is none.
int templateType(const std::string& text);
// How many pictures the gallery's icon list holds, and one of them (32 x 32).
int templateIconCount();
QPixmap templateIcon(int index);

// Where a template personality lies: its file and the folder of its pictures, found
// without regard to case. The pictures are in a folder of the template's name, as an
// installed personality keeps them, or (older templates) in the template folder.
struct TemplateFiles {
    std::filesystem::path uisFile;
    std::filesystem::path pictures;
    bool ownFolder = false;  // the pictures are in a folder of the template's name
};
std::optional<TemplateFiles> findTemplatePersonality(const std::filesystem::path& templateFolder,
                                                     const std::string& name);

// The size of the gallery's pictures: the templates' previews fit in it, the icons
// sit in its middle. A preview shows a window large enough for its frame, buttons
// and some of the sample dialog.
inline constexpr QSize kGalleryPictureSize(96, 72);
inline constexpr QSize kGalleryPreviewWindow(320, 240);
// The gallery's picture of a template entry (types 3 and 4): the personality drawn
// by the preview and scaled to fit the size. A null image for the wizard entries and
// for a template that cannot be drawn.
QImage templatePreview(const TemplateEntry& entry, const std::filesystem::path& templateFolder,
                       QSize size = kGalleryPictureSize);
// Set on a gallery item (Qt::UserRole + 1) whose picture is its template's preview.
inline constexpr int kPreviewRole = 0x0101;

class TNewSkinForm : public QDialog {
    Q_OBJECT
public:
    // templateFolder holds templates.ini.
    explicit TNewSkinForm(const std::filesystem::path& templateFolder, QWidget* parent = nullptr);

    // 0 when nothing was accepted.
    int ResultType() const { return resultType_; }
    const std::string& ResultFile() const { return resultFile_; }

    QListWidget* ChoiceNewListView;
    QPlainTextEdit* DescriptionMemo;
    QPushButton* Button1;
    QPushButton* Button2;

    void ChoiceNewListViewClick();
    void AcceptClick();

private:
    void FormCreate(const std::filesystem::path& templateFolder);

    std::vector<TemplateEntry> entries_;
    int resultType_ = 0;
    std::string resultFile_;
};

}  // namespace sw
