// One whole Simulate in the DIZ window, timed: the window shown (offscreen
// unless QT_QPA_PLATFORM says otherwise), its log pane live, the batters
// loaded through Load, every order selected, the result file chooser and the
// closing message box answered without a user. Run in the directory that
// holds order.dat:
//   bench_window_run BATTERS.txt OUTPUT.txt
// Prints "window <wall seconds> <cpu seconds> <result lines in the log pane>"
// and the final status text; exits 1 unless the run ended normally.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <optional>
#include <string>

#include "batch/dialogs.h"
#include "batch/window.h"
#include "support/recording_message_boxes.h"
#include "support/scripted_chooser.h"
#include "ui/qt/log_pane.h"
#include "ui/qt/main_app.h"
#include "ui/qt/main_dialog.h"
#include "ui/qt/message_boxes.h"

namespace {

double cpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s BATTERS.txt OUTPUT.txt\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    diz::MainApp app(argc, argv);
    diz::MainDialog dialog;
    diz::support::RecordingMessageBoxes boxes;
    dialog.setMessageBoxes(&boxes);
    diz::support::ScriptedChooser chooser{std::string(argv[1])};
    dialog.setFileChooser(&chooser);
    dialog.show();
    QApplication::processEvents();

    static_cast<QPushButton*>(dialog.control(diz::ids::kLoad))->click();
    static_cast<QLineEdit*>(dialog.control(diz::ids::kPatterns[0]))->setText("*********");
    chooser.answer = std::string(argv[2]);
    QApplication::processEvents();

    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = cpuSeconds();
    static_cast<QPushButton*>(dialog.control(diz::ids::kSimulate))->click();
    // What the user sees at the end: the box closed, the pane caught up.
    QApplication::processEvents();
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    const double cpu = cpuSeconds() - cpuStart;

    const QString log = static_cast<diz::LogPane*>(dialog.control(diz::ids::kLog))->contents();
    std::printf("window %.3f %.3f %lld\n", wall, cpu, static_cast<long long>(log.count(u'\n')));
    const QString outcome = boxes.shown.empty() ? QString() : boxes.shown.back().text;
    std::printf("%s\n", outcome.toUtf8().constData());
    return outcome.startsWith(QStringLiteral("正常に終了しました")) ? 0 : 1;
}
