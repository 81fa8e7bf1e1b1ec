// "Internal Attribute Definition": the catalogue entry behind one attribute, as
// read-only rich text.
#pragma once

#include "document/Insertion.h"

#include <QDialog>

class QTextEdit;

namespace sw {

class TfrmAttribDef : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAttribDef(const AttributeDefinition& definition, QWidget* parent = nullptr);

    QTextEdit* reAttribDef;
};

}  // namespace sw
