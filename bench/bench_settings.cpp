// How fast the settings wizard answers the operator, on the shipped sample debate:
//   - each page, from the press of the button that leads to it to its first frame (built,
//     profiles read, painted), walking home → 4-1 → 4-2 → 4-3 → 4-4 and back;
//   - page 4-3 refilled by choosing a segment in its segment box, up to the repainted frame.
// Runs on whatever display Qt picks (offscreen when QT_QPA_PLATFORM says so) and prints it.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <map>
#include <vector>

#include "bench_support.h"
#include "foundation/widgets/fonts.h"
#include "app/startup.h"

namespace {

using namespace bench;

constexpr int kRuns = 7;

// Presses `button` of the window `from` and waits for `to`'s first frame; milliseconds.
double Press(const QString& from, const QString& button, const QString& to) {
    QWidget* window = ShownWindow(from);
    auto* press = window ? window->findChild<QAbstractButton*>(button) : nullptr;
    if (!press) {
        std::printf("no %s on %s\n", qPrintable(button), qPrintable(from));
        std::exit(1);
    }
    FirstPaint painted(to);
    const qint64 start = NowNs();
    press->click();
    const qint64 end = painted.wait();
    return double(end - start) / 1e6;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    QTemporaryDir dir;
    Program program(ProgramFolder(dir));
    program.navigator.ShowMain();
    QWidget* main = ShownWindow(QStringLiteral("Form4"));
    program.navigator.OpenOver(main, ScreenId::SettingsHome);
    Wait(200);

    // Each step: the window shown, its button, the window it leads to.
    struct Step {
        const char* from;
        const char* button;
        const char* to;
    };
    const Step walk[] = {
        {"Form13", "Command4", "Form2"}, {"Form2", "Command2", "Form7"},
        {"Form7", "Command13", "Form3"}, {"Form3", "Command3", "Form10"},
        {"Form10", "Command4", "Form3"}, {"Form3", "Command2", "Form7"},
        {"Form7", "Command10", "Form2"}, {"Form2", "Command5", "Form13"},
    };
    std::map<std::string, std::vector<double>> pages;
    for (int run = 0; run < kRuns; ++run) {
        for (const Step& step : walk) {
            pages[step.to].push_back(Press(step.from, step.button, step.to));
        }
    }
    for (const auto& [page, ms] : pages) {
        PrintFigures(qPrintable(QStringLiteral("press → %1 painted").arg(page.c_str())), ms);
    }

    // Page 4-3: a segment chosen in C1, from the choice to the repainted page.
    program.navigator.Replace(ShownWindow(QStringLiteral("Form13")), ScreenId::SegmentPage);
    Wait(200);
    QWidget* page = ShownWindow(QStringLiteral("Form3"));
    auto* c1 = page ? page->findChild<QComboBox*>(QStringLiteral("C1")) : nullptr;
    if (!c1) {
        std::printf("no segment box\n");
        return 1;
    }
    std::vector<double> refill;
    for (int run = 0; run < kRuns; ++run) {
        for (int segment = 0; segment < c1->count(); ++segment) {
            const qint64 start = NowNs();
            c1->setCurrentIndex(segment);
            emit c1->activated(segment);
            page->repaint();
            refill.push_back(double(NowNs() - start) / 1e6);
        }
    }
    PrintFigures("segment chosen → Form3 repainted", refill);
    return 0;
}
