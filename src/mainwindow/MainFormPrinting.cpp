// Printing the code page, and the printer the main window keeps for it.
#include "mainwindow/MainForm.h"

#include "editor/CodeView.h"
#include "editor/UISExplorerForm.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace sw {

std::function<bool(QPrinter&)>& TMainForm::PrintDialogHook()
{
    static std::function<bool(QPrinter&)> hook;
    return hook;
}

QPrinter& TMainForm::Printer()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>();
    return *printer_;
}

void TMainForm::FilePrintItemClick()
{
    if (!explorer_ || !explorer_->CodePageActive())
        return;
    QPrinter& printer = Printer();
    bool accepted;
    if (PrintDialogHook()) {
        accepted = PrintDialogHook()(printer);
    } else {
        QPrintDialog dialog(&printer, this);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (accepted)
        explorer_->CodeRichEdit->Print(printer, explorer_->CodePrintTitle());
}

void TMainForm::FilePrintSetupItemClick()
{
    QPageSetupDialog dialog(&Printer(), this);
    dialog.exec();
}

}  // namespace sw
