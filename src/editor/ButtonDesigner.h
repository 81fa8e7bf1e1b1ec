// The explorer's "Image" page: the section's image drawn as the engine would draw it,
// at a size the author picks, with the section's margins, stretch or tile and
// transparency, which "Apply" writes back.
#pragma once

#include <QImage>
#include <QWidget>

#include <string>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;

namespace sw {

class TUisFile;
class ThumbnailDelegate;

// The largest margins an image allows: each end leaves at least one pixel of middle
// beside the other end. width is the whole strip's, split into `images` frames.
struct MarginLimits {
    int top, bottom, left, right;
};
MarginLimits marginLimits(int width, int height, int images, int top, int bottom, int left, int right);

class TButtonDesignerPage : public QWidget {
    Q_OBJECT
public:
    explicit TButtonDesignerPage(QWidget* parent = nullptr);

    // Fills the page from the section selected in the explorer.
    void getImageForButtonDesigner(TUisFile& document);
    void EditImageFilenameChange();
    void ButtonPreviewUpDownUpdate();
    void ButtonPreviewRepaint();
    // Writes into the section each setting the author changed since the page was
    // filled, and those the section lacks.
    void ButtonApplyButtonSettingsClick();
    // The picture as last drawn (231 x 167).
    const QImage& Picture() const { return picture_; }

    QComboBox* EditImageFilename;
    QComboBox* cbImageToShow;
    QSpinBox* UpDownMarginTop;
    QSpinBox* UpDownMarginLeft;
    QSpinBox* UpDownMarginRight;
    QSpinBox* UpDownMarginBottom;
    QSpinBox* UpDownNoOfImages;
    QCheckBox* CheckBoxTransparent;
    QRadioButton* RadioStretched;
    QRadioButton* RadioTiled;
    QSlider* TrackBarButtonWidth;
    QSlider* TrackBarButtonHeight;
    QLabel* ImageButtonPreview;
    QLabel* LabelFileNotFound;
    QPushButton* ButtonApplyButtonSettings;

signals:
    // "Apply" wrote the section.
    void Applied();

private:
    // What the page shows, as "Apply" would write it.
    struct Settings {
        int top, bottom, left, right;
        bool tiled, transparent;
        QString image;
    };
    Settings shown() const;
    // Loads the image the combo names, without drawing it.
    void loadImage();
    void applyLimits();

    TUisFile* document_ = nullptr;
    Settings filled_{};  // as the page was filled
    std::string imageKey_;  // the section's image attribute
    ThumbnailDelegate* thumbnails_ = nullptr;
    QImage working_;  // the loaded image file
    QImage picture_;
    bool ready_ = false;
    bool filling_ = false;
};

}  // namespace sw
