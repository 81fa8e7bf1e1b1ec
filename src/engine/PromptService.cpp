#include "engine/PromptService.h"

#include <QRegularExpression>

#include <cstdio>

namespace sw {

namespace {

// Programs without windows have nobody to ask: the message goes to standard error
// and the answer is the one that changes nothing.
class StandardErrorPrompts : public PromptService {
public:
    PromptAnswer message(const QString& text, const QString& caption, PromptIcon, PromptButtons buttons) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
        return cautiousAnswer(buttons);
    }
    QString openFile(const FileDialogRequest&) override { return {}; }
    QString saveFile(const FileDialogRequest&) override { return {}; }
    QString chooseFolder(const QString&, const QString&) override { return {}; }
};

PromptService* installedService = nullptr;

}  // namespace

PromptService::~PromptService() = default;

PromptService& PromptService::current()
{
    static StandardErrorPrompts fallback;
    return installedService ? *installedService : fallback;
}

PromptService* PromptService::install(PromptService* service)
{
    PromptService* previous = installedService;
    installedService = service;
    return previous;
}

PromptService& prompts()
{
    return PromptService::current();
}

bool offersAnswer(PromptButtons buttons, PromptAnswer answer)
{
    using A = PromptAnswer;
    switch (buttons) {
    case PromptButtons::Ok: return answer == A::Ok;
    case PromptButtons::OkCancel: return answer == A::Ok || answer == A::Cancel;
    case PromptButtons::YesNo: return answer == A::Yes || answer == A::No;
    case PromptButtons::YesNoCancel: return answer == A::Yes || answer == A::No || answer == A::Cancel;
    case PromptButtons::RetryCancel: return answer == A::Retry || answer == A::Cancel;
    case PromptButtons::AbortRetryIgnore: return answer == A::Abort || answer == A::Retry || answer == A::Ignore;
    }
    return false;
}

PromptAnswer cautiousAnswer(PromptButtons buttons)
{
    for (PromptAnswer answer : {PromptAnswer::Cancel, PromptAnswer::No, PromptAnswer::Abort})
        if (offersAnswer(buttons, answer))
            return answer;
    return PromptAnswer::Ok;
}

QStringList qtNameFilters(const QString& filter)
{
    static const QRegularExpression ownPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            QString trimmed = pattern.trimmed();
            if (!trimmed.isEmpty() && !patterns.contains(trimmed))
                patterns << trimmed;
        }
        if (patterns.isEmpty())
            continue;
        QString description = parts[i];
        description.remove(ownPatterns);
        result << description.trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return result;
}

QString promptIconName(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::None: return QStringLiteral("None");
    case PromptIcon::Information: return QStringLiteral("Information");
    case PromptIcon::Warning: return QStringLiteral("Warning");
    case PromptIcon::Error: return QStringLiteral("Error");
    case PromptIcon::Question: return QStringLiteral("Question");
    }
    return {};
}

QString promptButtonsName(PromptButtons buttons)
{
    switch (buttons) {
    case PromptButtons::Ok: return QStringLiteral("Ok");
    case PromptButtons::OkCancel: return QStringLiteral("OkCancel");
    case PromptButtons::YesNo: return QStringLiteral("YesNo");
    case PromptButtons::YesNoCancel: return QStringLiteral("YesNoCancel");
    case PromptButtons::RetryCancel: return QStringLiteral("RetryCancel");
    case PromptButtons::AbortRetryIgnore: return QStringLiteral("AbortRetryIgnore");
    }
    return {};
}

QString promptAnswerName(PromptAnswer answer)
{
    switch (answer) {
    case PromptAnswer::Ok: return QStringLiteral("Ok");
    case PromptAnswer::Cancel: return QStringLiteral("Cancel");
    case PromptAnswer::Yes: return QStringLiteral("Yes");
    case PromptAnswer::No: return QStringLiteral("No");
    case PromptAnswer::Retry: return QStringLiteral("Retry");
    case PromptAnswer::Abort: return QStringLiteral("Abort");
    case PromptAnswer::Ignore: return QStringLiteral("Ignore");
    }
    return {};
}

bool deliverReportingErrors(const std::function<bool()>& deliver)
{
    try {
        return deliver();
    } catch (const std::exception& error) {
        prompts().message(QString::fromLocal8Bit(error.what()), QStringLiteral("Error"), PromptIcon::Error,
                          PromptButtons::Ok);
    } catch (...) {
        prompts().message(QStringLiteral("An unexpected error occurred; the last action may not be complete."),
                          QStringLiteral("Error"), PromptIcon::Error, PromptButtons::Ok);
    }
    return false;
}

}  // namespace sw
