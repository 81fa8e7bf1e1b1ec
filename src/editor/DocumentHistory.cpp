#include "editor/DocumentHistory.h"

#include "store/IniFile.h"

#include <QUndoCommand>

#include <utility>

namespace sw {

// One step: the working copy's bytes before and after it.
class DocumentChangeCommand : public QUndoCommand {
public:
    DocumentChangeCommand(DocumentHistory& history, const QString& name, QString mergeKey, std::string before,
                          std::string after)
        : QUndoCommand(name),
          history_(history),
          mergeKey_(std::move(mergeKey)),
          before_(std::move(before)),
          after_(std::move(after))
    {
    }

    // The change is already on disk when the step is pushed; later redos write it again.
    void redo() override
    {
        if (done_)
            history_.restore(after_);
        done_ = true;
    }
    void undo() override { history_.restore(before_); }

    int id() const override { return mergeKey_.isEmpty() ? -1 : 1; }
    bool mergeWith(const QUndoCommand* other) override
    {
        auto* next = static_cast<const DocumentChangeCommand*>(other);
        if (next->mergeKey_ != mergeKey_)
            return false;
        after_ = next->after_;
        // Typing a value back to what it was leaves nothing to undo.
        setObsolete(after_ == before_);
        return true;
    }

private:
    DocumentHistory& history_;
    QString mergeKey_;
    std::string before_;
    std::string after_;
    bool done_ = false;
};

DocumentHistory::DocumentHistory(QObject* parent) : QObject(parent)
{
    stack_.setObjectName(QStringLiteral("DocumentUndoStack"));
}

void DocumentHistory::Attach(TIniFile* document)
{
    document_ = nullptr;  // clearing the stack must not write anything
    stack_.clear();
    document_ = document;
    snapshot_ = document ? document->DiskBytes() : std::string();
    stack_.setClean();
}

void DocumentHistory::AttachRecovered(TIniFile* document, const std::string& base, const QString& name)
{
    Attach(document);
    if (!document)
        return;
    snapshot_ = base;
    stack_.setClean();
    Commit(name);
}

void DocumentHistory::RevertUncommitted()
{
    if (!document_ || document_->DiskBytes() == snapshot_)
        return;
    TIniFile::Unguarded direct(*document_);
    document_->ReplaceBytes(snapshot_);
}

bool DocumentHistory::Commit(const QString& name, const QString& mergeKey)
{
    if (!document_ || document_->DiskBytes() == snapshot_)
        return false;
    std::string after = document_->DiskBytes();
    std::string before = std::exchange(snapshot_, after);
    stack_.push(new DocumentChangeCommand(*this, name, mergeKey, std::move(before), std::move(after)));
    return true;
}

void DocumentHistory::MarkSaved()
{
    Rebase();
    stack_.setClean();
}

void DocumentHistory::Rebase()
{
    if (document_)
        snapshot_ = document_->DiskBytes();
}

void DocumentHistory::restore(const std::string& bytes)
{
    if (!document_)
        return;
    try {
        TIniFile::Unguarded direct(*document_);
        document_->ReplaceBytes(bytes);
    } catch (const std::exception& error) {
        // The file and the store are as they were; only the stack's position moved,
        // and stepping the other way writes what the file already holds.
        emit RestoreFailed(QString::fromLocal8Bit(error.what()));
        return;
    }
    snapshot_ = bytes;
    emit Restored();
}

}  // namespace sw
