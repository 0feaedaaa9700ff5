// Draws the ranking window into a PNG for the documentation, as it looks
// after ranking all 362880 orders of the shipped example batters: the main
// window loads examples/batters.txt, its system menu's ranking entry opens the
// window, and the fifth-best order is selected so that both chart marks show.
//   QT_QPA_PLATFORM=offscreen diz-ranking-screenshot examples docs/diz-ranking.png
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <cstdio>
#include <string>

#include "batch/dialogs.h"
#include "support/recording_message_boxes.h"
#include "support/scripted_chooser.h"
#include "ui/qt/main_app.h"
#include "ui/qt/main_dialog.h"
#include "ui/qt/ranking_model.h"
#include "ui/qt/ranking_window.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s EXAMPLES_DIR OUTPUT.png\n", argv[0]);
        return 2;
    }
    diz::MainApp app(argc, argv);
    const QDir examples(QString::fromLocal8Bit(argv[1]));
    const QString picture = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();

    diz::MainDialog dialog;
    diz::support::RecordingMessageBoxes boxes;
    dialog.setMessageBoxes(&boxes);
    diz::support::ScriptedChooser chooser;
    chooser.answer = examples.absoluteFilePath("batters.txt").toStdString();
    dialog.setFileChooser(&chooser);
    static_cast<QPushButton*>(dialog.control(diz::ids::kLoad))->click();

    dialog.showRanking();
    diz::RankingWindow* window = dialog.rankingWindow();
    if (window == nullptr) {
        std::fprintf(stderr, "%s: the ranking window did not open\n", argv[0]);
        return 1;
    }
    // The point ranking alone: resampling every ordering takes minutes.
    window->replicatesField()->setValue(0);
    QEventLoop loop;
    bool completed = false;
    QObject::connect(window, &diz::RankingWindow::evaluationFinished, [&](bool done) {
        completed = done;
        loop.quit();
    });
    loop.exec();
    if (!completed || window->model().rowCount() != diz::kOrderings) {
        std::fprintf(stderr, "%s: the ranking ended with %d orders\n", argv[0],
                     window->model().rowCount());
        return 1;
    }
    window->resize(1200, 760);
    window->table()->selectRow(4);
    QApplication::processEvents();

    if (!window->grab().save(picture, "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
