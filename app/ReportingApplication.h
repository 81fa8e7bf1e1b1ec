// The programs' application object: an error that escapes an event handler is shown
// in the standard error box and the program goes on, instead of ending it with every
// unsaved edit.
#pragma once

#include "engine/PromptService.h"

#include <QApplication>

namespace sw {

class ReportingApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        return deliverReportingErrors([&] { return QApplication::notify(receiver, event); });
    }
};

}  // namespace sw
