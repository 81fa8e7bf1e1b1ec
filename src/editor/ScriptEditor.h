// The explorer's "Scripts" page: edits one script file of the personality's folder at
// a time, colouring each line by its kind (comment, keyword, value word, code). The
// script is saved only to its own file and never touches the personality.
#pragma once

#include <QString>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QWidget>

#include <filesystem>
#include <string>

class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QSyntaxHighlighter;

namespace sw {

class TUisFile;

// The selector's items: the script glyph at 2 pixels from the left, the text from 20.
class ScriptItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// The script files of a folder matching a mask ("*.vxs"; ";" between several), as
// "Folder\file" references, sorted.
QStringList scriptReferences(const std::filesystem::path& folder, const std::string& mask);

class TScriptEditorPage : public QWidget {
    Q_OBJECT
public:
    explicit TScriptEditorPage(QWidget* parent = nullptr);

    // Entering the page: lists the script files of the document's folder. A script
    // being edited stays selected (when it is still listed) and keeps its text.
    void Fill(TUisFile& document);

    // Asks about unsaved edits of the script; false only when the user cancels (or a
    // save the user asked for failed, so the edits are still there).
    bool SaveScript();

    void cbScriptSelectorChange();
    // Both return whether the script was written.
    bool ScriptSaveButtonClick();
    bool ScriptSaveAsButtonClick();

    // 1 comment, 5 keyword, 4 value word, 3 anything else (CodeLineType).
    static int DetermineLineType(const QString& line);
    void HighlightScript(int line);
    void reScriptKeyUp();

    bool Modified() const;
    // The remembered script: its file name and where it is saved.
    const QString& ScriptFileName() const { return scriptName_; }
    const std::filesystem::path& ScriptPath() const { return scriptPath_; }

    QComboBox* cbScriptSelector;
    QPushButton* ScriptSaveButton;
    QPushButton* ScriptSaveAsButton;
    QPlainTextEdit* reScript;
    QPlainTextEdit* reScriptComment;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void listScripts();
    // Selects the item of the remembered script, or none, without reloading.
    void selectRemembered();
    bool load(const QString& reference);
    bool writeScript(const std::filesystem::path& path);
    void showError(const QString& text);

    QSyntaxHighlighter* highlighter_;
    std::filesystem::path scriptFolder_;
    std::string scriptMask_;
    QString scriptName_;
    std::filesystem::path scriptPath_;
    // The bytes as loaded: an unchanged script is written back exactly.
    std::string loadedBytes_;
    bool crlf_ = true;
};

}  // namespace sw
