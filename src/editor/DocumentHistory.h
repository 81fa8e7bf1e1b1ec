// Undo and redo of the open document. Every change the editor makes is written
// through to the working copy at once, so one step is simply the working copy's bytes
// before and after one user action: undoing puts the bytes back exactly, whatever the
// action did (deleted keys, reordered sections, erased buttons), and the store is read
// again from them. Commands are recorded after the fact: the windows change the
// document as they always have and then call Commit() with the step's name.
#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <string>

namespace sw {

class TIniFile;

class DocumentHistory : public QObject {
    Q_OBJECT
public:
    explicit DocumentHistory(QObject* parent = nullptr);

    // Starts a fresh history for a document that was just opened (nullptr: none).
    void Attach(TIniFile* document);
    // The same for a document whose file holds changes made since `base` was saved
    // (recovered after a crash): they become the first step, so undo gives `base` back.
    void AttachRecovered(TIniFile* document, const std::string& base, const QString& name);

    // Records what changed since the last step as one step named `name`. Changes with
    // the same non-empty mergeKey made one after another (typing a value, nudging a
    // button) make one step. Returns whether there was a change to record.
    bool Commit(const QString& name, const QString& mergeKey = {});

    // The document as it is now is what the personality file holds (after a save).
    void MarkSaved();
    // Takes what changed without a Commit into the present state, so a later step does
    // not carry it (the save stamp, for one).
    void Rebase();
    // Puts the document back to the bytes of the last recorded step, dropping what was
    // changed since without a Commit (a change that could be written only in part).
    // Throws, changing nothing, when the file cannot be written.
    void RevertUncommitted();

    bool IsClean() const { return stack_.isClean(); }
    QUndoStack& Stack() { return stack_; }

signals:
    // Undo or redo replaced the document's contents; windows showing it must refresh.
    void Restored();
    // The working copy could not be rewritten; the document is unchanged.
    void RestoreFailed(const QString& message);

private:
    friend class DocumentChangeCommand;
    void restore(const std::string& bytes);

    QUndoStack stack_;
    TIniFile* document_ = nullptr;
    std::string snapshot_;  // the bytes after the last recorded step
};

}  // namespace sw
