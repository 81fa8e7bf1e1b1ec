// The one way the programs show message boxes, ask questions and run the file and
// folder dialogs, so that a test can script the answers and check every text shown.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace sw {

enum class PromptIcon { None, Information, Warning, Error, Question };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class PromptAnswer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

// What an open or save dialog starts with. The filter is written the program's way:
// description and patterns alternate, separated by "|", patterns by ";"
// ("Bitmaps (*.bmp)|*.bmp|All files (*.*)|*.*").
struct FileDialogRequest {
    QString caption;
    QString folder;
    QString filter;
    QString fileName;       // put into the name field
    QString defaultSuffix;  // added to a typed name without extension, e.g. "uis"
};

class PromptService {
public:
    virtual ~PromptService();

    // A modal message box; returns the button pressed. Closing the box without a
    // button gives cautiousAnswer(buttons).
    virtual PromptAnswer message(const QString& text, const QString& caption, PromptIcon icon,
                                 PromptButtons buttons) = 0;
    // The chosen file or folder, or empty when the dialog was cancelled.
    virtual QString openFile(const FileDialogRequest& request) = 0;
    virtual QString saveFile(const FileDialogRequest& request) = 0;
    virtual QString chooseFolder(const QString& caption, const QString& folder) = 0;

    // The service in use: the installed one, else one that writes each message to
    // standard error and takes the cautious answer (Cancel, No; empty paths), which
    // suits programs without windows.
    static PromptService& current();
    // Installs a service (nullptr puts the default back) and returns the previous one.
    static PromptService* install(PromptService* service);
};

// Short for PromptService::current().
PromptService& prompts();

// Whether the answer is one of the buttons of the set.
bool offersAnswer(PromptButtons buttons, PromptAnswer answer);
// The answer that changes nothing: Cancel when offered, else No, else Abort, else OK.
PromptAnswer cautiousAnswer(PromptButtons buttons);

// The program's dialog filter as Qt name filters: "Bitmaps (*.bmp)|*.bmp;*.dib"
// gives "Bitmaps (*.bmp *.dib)". A description's own "(...)" is replaced by the
// patterns, repeated patterns are listed once, a description without patterns is dropped.
QStringList qtNameFilters(const QString& filter);

// Runs one delivery of an event: an error that no handler caught is shown in the
// standard error box and the program goes on (false: the event was not handled).
bool deliverReportingErrors(const std::function<bool()>& deliver);

// Names for messages and test output: "Information", "YesNoCancel", "Yes", ...
QString promptIconName(PromptIcon icon);
QString promptButtonsName(PromptButtons buttons);
QString promptAnswerName(PromptAnswer answer);

}  // namespace sw
