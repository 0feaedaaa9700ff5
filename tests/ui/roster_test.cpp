// The roster window: a roster read and edited, marks that no lineup can meet,
// the search's lineups against diz-cli lineup's, and a lineup put into the
// main window's nine rows with its names.
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "batch/dialogs.h"
#include "batch/lineup_run.h"
#include "batch/ranking_inputs.h"
#include "support/recording_message_boxes.h"
#include "support/scripted_chooser.h"
#include "ui/qt/main_dialog.h"
#include "ui/qt/ranking_model.h"
#include "ui/qt/ranking_window.h"
#include "ui/qt/roster_window.h"

using namespace diz;

namespace {

constexpr int kWaitMs = 120000;
const std::string kRoster = DIZ_EXAMPLES_DIR "/roster.csv";

int rowOf(const RosterWindow& window, const QString& name) {
    for (int row = 0; row < window.table()->rowCount(); ++row) {
        if (window.table()->item(row, 0)->text() == name) return row;
    }
    return -1;
}

void setCell(RosterWindow& window, const QString& name, int column, const QString& text) {
    const int row = rowOf(window, name);
    QVERIFY(row >= 0);
    window.table()->item(row, column)->setText(text);
}

}  // namespace

class RosterWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void readsEditsAndRefusesBadCells();
    void refusesMarksNoLineupMeets();
    void findsCliLineupsAndPutsOneIntoTheRows();
};

void RosterWindowTest::readsEditsAndRefusesBadCells() {
    RosterWindow window;
    support::ScriptedChooser chooser(kRoster);
    support::RecordingMessageBoxes boxes;
    window.setFileChooser(&chooser);
    window.setMessageBoxes(&boxes);
    QVERIFY(window.importRoster());
    QCOMPARE(window.table()->rowCount(), 13);
    // The column the game has no use for is named.
    QVERIFY(window.status()->text().contains(QStringLiteral("使わなかった列：position")));
    QVERIFY(boxes.shown.empty());

    const int atBats = 1;
    setCell(window, "Ben Kuroda", atBats, "abc");
    QCOMPARE(boxes.shown.size(), std::size_t{1});
    QVERIFY(boxes.shown[0].text.contains(QStringLiteral("打数「abc」は整数ではありません")));
    QCOMPARE(window.table()->item(rowOf(window, "Ben Kuroda"), atBats)->text(), "505");
    setCell(window, "Ben Kuroda", atBats, "６００");
    QCOMPARE(window.table()->item(rowOf(window, "Ben Kuroda"), atBats)->text(), "600");
    setCell(window, "Ben Kuroda", 0, "Aki Hoshino");
    QCOMPARE(boxes.shown.size(), std::size_t{2});
    QVERIFY(rowOf(window, "Ben Kuroda") >= 0);

    // A click on a heading sorts by it, a second click the other way.
    const int homeRuns = 5;
    window.table()->horizontalHeader()->sectionClicked(homeRuns);
    QCOMPARE(window.table()->item(0, 0)->text(), "Max Inagaki");
    window.table()->horizontalHeader()->sectionClicked(homeRuns);
    QCOMPARE(window.table()->item(0, 0)->text(), "Dai Oshiro");

    // What is saved reads back as the edited roster.
    QTemporaryDir dir;
    chooser.answer = dir.filePath("saved.csv").toStdString();
    QVERIFY(window.saveRoster());
    RosterProblem problem;
    const auto saved = readRosterFile(*chooser.answer, kDefaultRunningRates, problem);
    QVERIFY(saved);
    QCOMPARE(saved->players[1].batter.atBats, 600);
}

void RosterWindowTest::refusesMarksNoLineupMeets() {
    RosterWindow window;
    support::ScriptedChooser chooser(kRoster);
    support::RecordingMessageBoxes boxes;
    window.setFileChooser(&chooser);
    window.setMessageBoxes(&boxes);
    QVERIFY(window.importRoster());
    setCell(window, "Gus Amano", rosterTable::kSlot, "9");
    setCell(window, "Hal Ezaki", rosterTable::kSlot, "9");
    QVERIFY(!window.search());
    QCOMPARE(boxes.shown.size(), std::size_t{1});
    QCOMPARE(boxes.shown[0].text,
             QStringLiteral("打順 9 に「Gus Amano」と「Hal Ezaki」が固定されています"));
    QVERIFY(!window.isSearching());
}

void RosterWindowTest::findsCliLineupsAndPutsOneIntoTheRows() {
    MainDialog dialog;
    support::ScriptedChooser chooser(kRoster);
    support::RecordingMessageBoxes boxes;
    dialog.setFileChooser(&chooser);
    dialog.setMessageBoxes(&boxes);
    dialog.showRoster();
    RosterWindow& window = *dialog.rosterWindow();
    QVERIFY(window.importRoster());
    setCell(window, "Gus Amano", rosterTable::kSlot, "9");
    setCell(window, "Dai Oshiro", rosterTable::kRole, QStringLiteral("出場しない"));
    setCell(window, "Hal Ezaki", rosterTable::kRole, QStringLiteral("必ず出場"));
    QSignalSpy finished(&window, &RosterWindow::searchFinished);
    QVERIFY(window.search());
    QVERIFY(!window.searchButton()->isEnabled());
    QVERIFY(finished.wait(kWaitMs));
    QVERIFY(boxes.shown.empty());
    QCOMPARE(window.lineups()->count(), 10);
    QVERIFY(window.status()->text().startsWith(QStringLiteral("9 人の選び方 ")));

    QTemporaryDir dir;
    const QString output = dir.filePath("lineups.csv");
    QProcess cli;
    cli.start(QStringLiteral(DIZ_CLI),
              {"lineup", "--roster", QString::fromStdString(kRoster), "--slot", "9=Gus Amano",
               "--bench", "Dai Oshiro", "--play", "Hal Ezaki", "--top", "10", "--output", output});
    QVERIFY(cli.waitForFinished(kWaitMs));
    QCOMPARE(cli.exitCode(), 0);
    QFile file(output);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const RosterTable& roster = window.roster();
    QCOMPARE(QByteArray::fromStdString(lineupCsv(roster.players(), roster.found().search.best)),
             file.readAll());

    // The second lineup goes into the nine rows, named, with pattern 1
    // selecting it; the other controls keep what they held.
    qobject_cast<QLineEdit*>(dialog.control(ids::kGamesPerOrder))->setText("300");
    window.lineups()->setCurrentRow(1);
    window.putLineup();
    const Lineup& second = roster.found().search.best[1];
    const RosterPlayer& leadoff = roster.players()[static_cast<std::size_t>(second.players[0])];
    QCOMPARE(qobject_cast<QLineEdit*>(dialog.control(ids::kPatterns[0]))->text(), "abcdefghi");
    QCOMPARE(qobject_cast<QLineEdit*>(dialog.control(ids::kGrid[0][0]))->text(),
             QString::number(leadoff.batter.atBats));
    QCOMPARE(dialog.model().gamesPerOrder, 300);
    QCOMPARE(dialog.model().batterNames[8], std::string("Gus Amano"));
    QCOMPARE(QString::fromStdString(
                 orderNames("abcdefghi", rankingInputs(dialog.model(), SimulationFiles{}))),
             QString::fromStdString(lineupNames(roster.players(), second)));

    // The ranking of that order names its players.
    dialog.showRanking();
    RankingWindow& ranking = *dialog.rankingWindow();
    ranking.replicatesField()->setValue(0);
    ranking.setSelection(OrderSource::AcceptedOrderings);
    QTRY_VERIFY_WITH_TIMEOUT(!ranking.isEvaluating() && ranking.model().rowCount() == 1, kWaitMs);
    QCOMPARE(ranking.orderNames()->text(),
             QString::fromStdString("選択した打順：" + lineupNames(roster.players(), second)));

    // 9 人の打者から作る makes the roster of those nine, with their names.
    window.makeFromRows();
    QCOMPARE(window.table()->rowCount(), 9);
    QCOMPARE(window.table()->item(8, 0)->text(), "Gus Amano");
}

QTEST_MAIN(RosterWindowTest)
#include "roster_test.moc"
