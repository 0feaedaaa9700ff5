// Draws the DIZ window into a PNG for the documentation, as it looks after a
// run on the shipped example: batters loaded from examples/batters.txt, two
// patterns, Simulate over examples/order.dat. The run happens in a scratch
// directory, so nothing is written beside the example.
//   QT_QPA_PLATFORM=offscreen diz-screenshot examples docs/diz-window.png
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>
#include <string>

#include "batch/dialogs.h"
#include "batch/window.h"
#include "support/recording_message_boxes.h"
#include "support/scripted_chooser.h"
#include "ui/qt/main_app.h"
#include "ui/qt/main_dialog.h"
#include "ui/qt/message_boxes.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s EXAMPLES_DIR OUTPUT.png\n", argv[0]);
        return 2;
    }
    diz::MainApp app(argc, argv);
    const QDir examples(QString::fromLocal8Bit(argv[1]));
    const QString picture = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
    QTemporaryDir scratch;
    if (!scratch.isValid() ||
        !QFile::copy(examples.filePath("order.dat"), scratch.filePath("order.dat"))) {
        std::fprintf(stderr, "%s: cannot copy order.dat from %s\n", argv[0], argv[1]);
        return 1;
    }
    const std::string batters = examples.absoluteFilePath("batters.txt").toStdString();
    QDir::setCurrent(scratch.path());

    diz::MainDialog dialog;
    diz::support::RecordingMessageBoxes boxes;
    dialog.setMessageBoxes(&boxes);
    diz::support::ScriptedChooser chooser(batters);
    dialog.setFileChooser(&chooser);
    dialog.show();

    static_cast<QPushButton*>(dialog.control(diz::ids::kLoad))->click();
    static_cast<QLineEdit*>(dialog.control(diz::ids::kPatterns[1]))->setText("a********");
    chooser.answer = "output.txt";
    static_cast<QPushButton*>(dialog.control(diz::ids::kSimulate))->click();
    dialog.control(diz::ids::kGrid[0][0])->setFocus();
    QApplication::processEvents();

    const QString outcome = boxes.shown.empty() ? QString() : boxes.shown.back().text;
    if (!outcome.startsWith(QStringLiteral("正常に終了しました"))) {
        std::fprintf(stderr, "%s: the example run ended with: %s\n", argv[0],
                     outcome.toUtf8().constData());
        return 1;
    }
    if (!dialog.grab().save(picture, "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
