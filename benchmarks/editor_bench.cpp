// The code page on a 10,000-line personality: showing it (text and colouring) and
// typing one character into it, against putting the same text into a plain text
// control without colouring.
#include "RatioReporter.h"

#include "editor/CodeView.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <benchmark/benchmark.h>

namespace {

// Sections of ten keys under a comment line, 10,000 lines in all.
QString tenThousandLines()
{
    QString text;
    for (int line = 0, section = 0; line < 10000; ++section) {
        text += QStringLiteral("; section %1\n[Section%1]\n").arg(section);
        line += 2;
        for (int key = 0; key < 10 && line < 10000; ++key, ++line)
            text += QStringLiteral("Key%1=Value %2 ; note\n").arg(key).arg(section * 10 + key);
    }
    return text;
}

void ShowCode10k(benchmark::State& state)
{
    const QString text = tenThousandLines();
    sw::TCodeView view;
    QCoreApplication::processEvents();
    for (auto _ : state)
        view.LoadText(text);
}
BENCHMARK(ShowCode10k)->Unit(benchmark::kMillisecond);

void PlainText10k(benchmark::State& state)
{
    const QString text = tenThousandLines();
    QPlainTextEdit view;
    for (auto _ : state)
        view.setPlainText(text);
}
BENCHMARK(PlainText10k)->Unit(benchmark::kMillisecond);

// One keystroke in the middle of the text: the line is coloured again, nothing more.
void TypeInto10k(benchmark::State& state)
{
    sw::TCodeView view;
    QCoreApplication::processEvents();
    view.LoadText(tenThousandLines());
    QTextCursor cursor(view.document()->findBlockByNumber(5000));
    for (auto _ : state) {
        cursor.insertText(QStringLiteral("x"));
        cursor.deletePreviousChar();
    }
}
BENCHMARK(TypeInto10k)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    sw::bench::RatioReporter reporter({
        {"ShowCode10k", "PlainText10k", 2.0, "code page of 10,000 lines / the same text uncoloured"},
        {"TypeInto10k", "PlainText10k", 0.05, "one keystroke in 10,000 lines / showing them uncoloured"},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
