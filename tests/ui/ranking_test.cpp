// The ranking window: its table's sort, its figures against diz-cli exact,
// the CSV it saves, cancelling, sending an order to the lineup patterns and
// the ways in from the main window.
#include <sys/stat.h>

#include <QAbstractAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGlyphRun>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QPainter>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRawFont>
#include <QRegularExpression>
#include <QSet>
#include <QSpinBox>
#include <QStyleOptionHeader>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>
#include <QTimer>
#include <cmath>
#include <map>
#include <random>

#include "batch/dialogs.h"
#include "batch/text_io.h"
#include "support/recording_message_boxes.h"
#include "support/scripted_chooser.h"
#include "ui/qt/main_dialog.h"
#include "ui/qt/ranking_charts.h"
#include "ui/qt/ranking_model.h"
#include "ui/qt/ranking_window.h"

using namespace diz;

namespace {

constexpr int kWaitMs = 120000;  // all 362880 orders on a busy machine

const QString kBatters = QStringLiteral(DIZ_EXAMPLES_DIR "/batters.txt");

QLineEdit* edit(const MainDialog& dialog, int id) {
    return qobject_cast<QLineEdit*>(dialog.control(id));
}

SimulationFiles orderFile(const char* name) {
    SimulationFiles files;
    files.orderFile = name;
    return files;
}

// The view's orders, top to bottom.
QStringList viewOrders(const RankingModel& model) {
    QStringList orders;
    for (int row = 0; row < model.rowCount(); ++row) {
        orders << model.index(row, ranking::kOrder).data().toString();
    }
    return orders;
}

// Table row `row` as diz-cli exact writes it with every figure reported.
QString cliLine(const RankingModel& model, int row) {
    QString line = model.index(row, ranking::kOrder).data().toString();
    for (int column = ranking::kMeanRuns; column < ranking::kColumnCount; ++column) {
        if (column == ranking::kGap) continue;
        line += ' ' + model.index(row, column).data().toString();
    }
    return line;
}

}  // namespace

class RankingTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        m_dialog = std::make_unique<MainDialog>();
        m_dialog->setMessageBoxes(&m_boxes);
        m_dialog->setFileChooser(&m_chooser);
        m_chooser.answer = kBatters.toStdString();
        static_cast<QPushButton*>(m_dialog->control(ids::kLoad))->click();
        m_boxes.shown.clear();
        m_chooser.requestCount = 0;
    }
    void cleanup() {
        m_dialog.reset();
        m_boxes.shown.clear();
        m_chooser.answer.reset();
        m_chooser.requestCount = 0;
    }

    void aSelectedRowFollowsItsOrderThroughASort() {
        RankingWindow* window = openRanking({"abcdefg**", "bacdefg**"});
        QCOMPARE(window->model().rowCount(), 4);
        QCOMPARE(window->status()->text(), QString::fromUtf8(msg::rankingEvaluated(4)));
        window->table()->selectRow(2);
        const QString order = currentOrder(*window);
        window->table()->horizontalHeader()->setSortIndicator(ranking::kOrder, Qt::AscendingOrder);
        QCOMPARE(window->model().sortColumn(), ranking::kOrder);
        QCOMPARE(currentOrder(*window), order);
        QCOMPARE(viewOrders(window->model()),
                 QStringList({"abcdefghi", "abcdefgih", "bacdefghi", "bacdefgih"}));
    }

    // Every figure of a pattern selection and of an order file's lines is
    // the one diz-cli exact writes for that order.
    void theFiguresAreThoseOfDizCliExact() {
        m_dialog->setSimulationFiles(orderFile(DIZ_EXAMPLES_DIR "/order.dat"));
        RankingWindow* window = openRanking({"*********"}, OrderSource::OrderFile);
        QCOMPARE(window->model().rowCount(), 36);
        compareWithCli(*window,
                       {"--orders", DIZ_EXAMPLES_DIR "/order.dat", "--pattern", "*********"});

        openRanking({"abcdefg**", "b*a******"});
        QCOMPARE(window->model().rowCount(), 2 + 5040);
        compareWithCli(*window, {"--all", "--pattern", "abcdefg**", "--pattern", "b*a******"});
    }

    void savesTheWholeTableInItsSortAsCsv() {
        RankingWindow* window = openRanking({"abcdefg**"});
        QTemporaryDir dir;
        const QString path = dir.filePath("ranking.csv");
        m_chooser.answer = path.toStdString();
        QVERIFY(window->saveCsv());
        QCOMPARE(m_chooser.requestCount, 1);
        const ChooserRequest& request = *m_chooser.lastRequest;
        QCOMPARE(request.kind, ChooserRequest::Kind::Save);
        QCOMPARE(request.initialName, std::string("ranking.csv"));
        QVERIFY(request.overwritePrompt && request.createPrompt);

        QByteArray bytes = readAll(path);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QList<QByteArray> lines = bytes.mid(3).split('\n');
        QCOMPARE(lines.size(), 4);  // header, two orders, nothing after the last CR LF
        QVERIFY(lines.takeLast().isEmpty());
        QStringList header;
        for (int column = 0; column < ranking::kColumnCount; ++column) {
            header << window->model().headerData(column, Qt::Horizontal).toString();
        }
        QCOMPARE(QString::fromUtf8(lines[0].chopped(1)), header.join(','));
        const QRegularExpression figure(QStringLiteral("^-?[0-9]+\\.[0-9]{6}$"));
        QStringList orders;
        for (int i = 1; i <= 2; ++i) {
            const QStringList cells = QString::fromUtf8(lines[i].chopped(1)).split(',');
            QCOMPARE(cells.size(), ranking::kColumnCount);
            QCOMPARE(cells[0], QString::number(i));
            orders << cells[1];
            for (int column = ranking::kMeanRuns; column < cells.size(); ++column) {
                QVERIFY2(figure.match(cells[column]).hasMatch(), qPrintable(cells[column]));
            }
        }
        QCOMPARE(QString::fromUtf8(lines[1]).section(',', 3, 3), QStringLiteral("0.000000"));
        QCOMPARE(orders, viewOrders(window->model()));

        // Sorted the other way round, the file follows; an existing file is replaced.
        window->table()->horizontalHeader()->setSortIndicator(ranking::kRank, Qt::DescendingOrder);
        m_chooser.answer = path.toStdString();
        QVERIFY(window->saveCsv());
        lines = readAll(path).mid(3).split('\n');
        QCOMPARE(lines[1].left(11), QByteArray("2," + orders[1].toLatin1()));
        QCOMPARE(lines[2].left(11), QByteArray("1," + orders[0].toLatin1()));

        // A file that can't be created is reported; nothing is left behind.
        const QString missing = dir.filePath("no/such/folder/ranking.csv");
        m_chooser.answer = missing.toStdString();
        QVERIFY(!window->saveCsv());
        QCOMPARE(m_boxes.shown.size(), std::size_t{1});
        QVERIFY(m_boxes.shown[0].text.startsWith(QStringLiteral("出力が開けません：/")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"ranking.csv"}));
    }

    // 確からしさ, entered by keyboard, evaluates again; the CSV then carries
    // the four resampled columns byte for byte as diz-cli exact --resample
    // writes them for the same batters and orders, and the table, the
    // summary and the chart show them. Without it, none of them shows.
    void theResampledCsvIsThatOfDizCliExactResample() {
        RankingWindow* window = openRanking({"abcde****"});
        QCOMPARE(window->model().rowCount(), 24);
        QVERIFY(window->table()->isColumnHidden(ranking::kBestShare));
        QVERIFY(window->table()->isColumnHidden(ranking::kGapRange));
        QCOMPARE(window->summary()->text().count('\n'), 1);
        QVERIFY(!window->charts()->bestRange()->isVisible());

        QSpinBox* field = window->replicatesField();
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("20"));
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(window->isEvaluating());
        QTRY_VERIFY_WITH_TIMEOUT(!window->isEvaluating(), kWaitMs);
        QCOMPARE(window->model().rowCount(), 24);
        QVERIFY(!window->table()->isColumnHidden(ranking::kBestShare));
        QVERIFY(!window->table()->isColumnHidden(ranking::kGapRange));
        const QString summary = window->summary()->text();
        QVERIFY2(summary.section('\n', 2).startsWith(
                     QStringLiteral("確からしさ：リサンプリング 20 回で最良 ") +
                     currentOrder(*window) + QStringLiteral(" が最良 ")),
                 qPrintable(summary));
        QVERIFY(window->model().index(0, ranking::kBestShare).data().toString().endsWith('%'));
        QVERIFY(window->charts()->bestRange()->isVisible());
        QCOMPARE(window->charts()->bestRange()->count(), 4);

        QTemporaryDir dir;
        m_chooser.answer = dir.filePath("ranking.csv").toStdString();
        QVERIFY(window->saveCsv());
        QProcess cli;
        cli.setWorkingDirectory(dir.path());
        cli.start(QStringLiteral(DIZ_CLI),
                  {"exact", "--batters", kBatters, "--all", "--pattern", "abcde****", "--resample",
                   "20", "--quiet", "--output", "exact.txt", "--csv", "cli.csv"});
        QVERIFY(cli.waitForFinished(kWaitMs));
        QCOMPARE(cli.exitCode(), 0);
        const QByteArray saved = readAll(dir.filePath("ranking.csv"));
        QVERIFY(saved.contains(",最善の割合,順位中央値,差の5%点,差の95%点\r\n"));
        QCOMPARE(saved, readAll(dir.filePath("cli.csv")));

        // Sorted by the share, then ranked without resampling: the columns go
        // and so does their sort.
        window->table()->horizontalHeader()->setSortIndicator(ranking::kBestShare,
                                                              Qt::DescendingOrder);
        QCOMPARE(window->model().sortColumn(), ranking::kBestShare);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("0"));
        QTest::keyClick(field, Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(!window->isEvaluating(), kWaitMs);
        QCOMPARE(window->model().sortColumn(), ranking::kMeanRuns);
        QVERIFY(window->table()->isColumnHidden(ranking::kBestShare));
        QCOMPARE(window->summary()->text().count('\n'), 1);
    }

    // The ranking shows while its seasons are resampled; 中止 then keeps the
    // ranking and the seasons done, and says so.
    void cancellingWhileResamplingKeepsTheRankingAndTheSeasonsDone() {
        for (int i = 0; i < kPatternCount; ++i) {
            edit(*m_dialog, ids::kPatterns[i])->setText(i == 0 ? "abcd*****" : "");
        }
        m_dialog->showRanking();
        RankingWindow* window = m_dialog->rankingWindow();
        window->replicatesField()->setValue(static_cast<int>(resampling::kReplicatesMax));
        window->setSelection(OrderSource::AcceptedOrderings);
        QTRY_VERIFY_WITH_TIMEOUT(
            window->status()->text() == QString::fromUtf8(msg::kRankingResampling) &&
                window->progress()->value() >= 1,
            kWaitMs);
        QCOMPARE(window->progress()->maximum(), static_cast<int>(resampling::kReplicatesMax));
        // The ranking shows while the seasons are drawn, their columns not yet.
        QCOMPARE(window->model().rowCount(), 120);
        QVERIFY(window->table()->isColumnHidden(ranking::kBestShare));
        window->cancelButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(!window->isEvaluating(), kWaitMs);
        QCOMPARE(window->model().rowCount(), 120);
        const ResampleSummary& resampled = window->model().table().resampling();
        QVERIFY(resampled.replicates >= 1 && resampled.replicates < resampling::kReplicatesMax);
        QCOMPARE(window->status()->text(),
                 QString::fromUtf8(msg::rankingResampleStopped(120, resampled.replicates,
                                                               resampling::kReplicatesMax)));
        QVERIFY(window->summary()->text().contains(QStringLiteral("（10000 回のうち、中止）")));
        QVERIFY(!window->table()->isColumnHidden(ranking::kBestShare));
        QVERIFY(m_boxes.shown.empty());
    }

    // CSV保存 onto a pipe or a device writes into it or says why, as the
    // batter Save does: never waits for a reader, never replaces it with a
    // file.
    void theCsvOntoAPipeOrADeviceIsNeverAFile() {
        RankingWindow* window = openRanking({"abcdefg**"});
        QTemporaryDir dir;
        const QByteArray pipe = QFile::encodeName(dir.filePath("pipe"));
        QCOMPARE(mkfifo(pipe.constData(), 0600), 0);
        m_chooser.answer = pipe.toStdString();
        QVERIFY(!window->saveCsv());
        QCOMPARE(m_boxes.shown.size(), std::size_t{1});
        QCOMPARE(m_boxes.shown[0].text,
                 QStringLiteral("出力が開けません：") + QString::fromUtf8(pipe));
        QVERIFY(!QFileInfo(QString::fromUtf8(pipe)).isFile());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System), QStringList({"pipe"}));

        m_chooser.answer = "/dev/null";
        QVERIFY(window->saveCsv());
        QCOMPARE(window->status()->text(), QStringLiteral("CSVを保存しました：/dev/null"));
        QVERIFY(!QFileInfo(QStringLiteral("/dev/null")).isFile());
    }

    void cancellingOrClosingStopsTheRunAndLeavesBothWindowsUsable() {
        // The window opens on all 362880 orderings; the run starts at the next turn.
        m_dialog->showRanking();
        RankingWindow* window = m_dialog->rankingWindow();
        QVERIFY(window->isEvaluating());
        QTRY_VERIFY(window->cancelButton()->isEnabled());
        QVERIFY(window->cancelButton()->isEnabled());
        window->cancelButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(!window->isEvaluating(), kWaitMs);
        QCOMPARE(window->model().rowCount(), 0);
        QVERIFY(!window->cancelButton()->isEnabled());
        QVERIFY(window->isVisible());

        // Both windows still work: the main window reads, the ranking evaluates
        // (the default pattern "abcdefghi" accepts one ordering).
        edit(*m_dialog, ids::kGamesPerOrder)->setText("10");
        QVERIFY(m_dialog->readControls());
        window->setSelection(OrderSource::AcceptedOrderings);
        QTRY_VERIFY_WITH_TIMEOUT(!window->isEvaluating(), kWaitMs);
        QCOMPARE(window->model().rowCount(), 1);

        // Closing while evaluating returns only once the run has stopped.
        window->setSelection(OrderSource::EveryOrdering);
        QTRY_VERIFY(window->cancelButton()->isEnabled());
        window->close();
        QVERIFY(!window->isEvaluating());
        QCOMPARE(window->model().rowCount(), 0);
        QVERIFY(m_dialog->readControls());
        QVERIFY(m_boxes.shown.empty());
    }

    void theChosenOrderGoesIntoTheFirstPattern() {
        RankingWindow* window = openRanking({"abcdefg**", "", "bacdefghi"});
        QCOMPARE(window->model().rowCount(), 3);
        window->table()->selectRow(1);
        const QString second = currentOrder(*window);
        static_cast<QPushButton*>(findButton(*window, QStringLiteral("打線指定へ(&P)")))->click();
        QCOMPARE(edit(*m_dialog, ids::kPatterns[0])->text(), second);

        // A double click on a row does the same.
        const QModelIndex third = window->model().index(2, ranking::kOrder);
        window->table()->setCurrentIndex(third);
        emit window->table()->doubleClicked(third);
        QCOMPARE(edit(*m_dialog, ids::kPatterns[0])->text(), currentOrder(*window));
        QVERIFY(currentOrder(*window) != second);
        QVERIFY(m_dialog->readControls());
        QCOMPARE(QString::fromStdString(m_dialog->model().patterns[0]), currentOrder(*window));
    }

    void anInvalidFieldOrAMissingOrderFileOpensNothing() {
        edit(*m_dialog, ids::kGrid[2][1])->setText("x");
        m_dialog->showRanking();
        QVERIFY(m_dialog->rankingWindow() == nullptr);
        QCOMPARE(m_boxes.shown.size(), std::size_t{1});
        QCOMPARE(m_boxes.shown[0].kind, MessageBoxes::Kind::Validation);
        QCOMPARE(m_dialog->focusWidget(), edit(*m_dialog, ids::kGrid[2][1]));

        edit(*m_dialog, ids::kGrid[2][1])->setText("98");
        m_dialog->setSimulationFiles(orderFile("no-such-order.dat"));
        RankingWindow* window = openRanking({"abcdefghi"});
        m_boxes.shown.clear();
        window->setSelection(OrderSource::OrderFile);
        QTRY_VERIFY(!window->isEvaluating());
        QCOMPARE(m_boxes.shown.size(), std::size_t{1});
        QCOMPARE(
            m_boxes.shown[0].text,
            QStringLiteral("ORDERが開けません：no-such-order.dat\n場所：") + QDir::currentPath());
        // The table keeps the order it showed, and the selection goes back to it.
        QCOMPARE(window->model().rowCount(), 1);
        QCOMPARE(window->selection(), OrderSource::AcceptedOrderings);
    }

    // While a run restarts, nothing of the old one shows: the bar is busy,
    // the status says the evaluation starts, the empty charts show no axis.
    void aRestartShowsOnlyTheNewStart() {
        m_dialog->showRanking();
        RankingWindow* window = m_dialog->rankingWindow();
        QTRY_VERIFY_WITH_TIMEOUT(window->progress()->value() > 0, kWaitMs);
        window->setSelection(OrderSource::AcceptedOrderings);
        QVERIFY(window->isEvaluating());
        QCOMPARE(window->progress()->maximum(), 0);
        QCOMPARE(window->status()->text(), QStringLiteral("評価中..."));
        QCOMPARE(window->model().rowCount(), 0);
        for (QChart* chart : {window->charts()->histogram(), window->charts()->innings()}) {
            for (QAbstractAxis* axis : chart->axes(Qt::Vertical)) QVERIFY(!axis->isVisible());
        }
        QTRY_VERIFY_WITH_TIMEOUT(!window->isEvaluating(), kWaitMs);
        QCOMPARE(window->model().rowCount(), 1);
        QCOMPARE(window->progress()->value(), 1);
        QVERIFY(window->charts()->histogram()->axes(Qt::Vertical).constFirst()->isVisible());
    }

    // A selection without an order is said, not shown as an empty success.
    void aSelectionWithoutOrdersIsTold() {
        RankingWindow* window = openRanking({"abcdefgh"});
        QCOMPARE(window->model().rowCount(), 0);
        QCOMPARE(window->status()->text(), QStringLiteral("打線指定に合う打順がありません"));
    }

    // The summary is drawn in one font: figures that follow Japanese text
    // look like the others.
    void theSummaryIsDrawnInOneFont() {
        RankingWindow* window = openRanking({"abcdefg**", "acbdefg**"});
        const QString summary = window->summary()->text();
        QVERIFY(summary.contains(QStringLiteral("試合で ")));
        QSet<QString> families;
        for (const QString& line : summary.split('\n')) {
            QTextLayout layout(line, window->summary()->font());
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            for (const QGlyphRun& run : layout.glyphRuns()) families << run.rawFont().familyName();
        }
        QCOMPARE(families.size(), qsizetype(1));
    }

    // ▲ means ascending: the mark is narrow at the top for an ascending sort
    // (which the header hands its style as SortDown) and at the bottom for a
    // descending one.
    void theSortMarkPointsUpForAscending() {
        RankingWindow* window = openRanking({"abcdefg**"});
        QHeaderView* header = window->table()->horizontalHeader();
        const auto inkAbove = [header](QStyleOptionHeader::SortIndicator sort) {
            QImage image(40, 40, QImage::Format_ARGB32);
            image.fill(Qt::white);
            QStyleOptionHeader option;
            option.initFrom(header);
            option.rect = image.rect();
            option.sortIndicator = sort;
            option.palette.setColor(QPalette::ButtonText, Qt::black);
            QPainter painter(&image);
            header->style()->drawPrimitive(QStyle::PE_IndicatorHeaderArrow, &option, &painter,
                                           header);
            painter.end();
            int above = 0;
            int below = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    if (qGray(image.pixel(x, y)) < 128) ++(y < image.height() / 2 ? above : below);
                }
            }
            return above - below;
        };
        QVERIFY(inkAbove(QStyleOptionHeader::SortDown) < 0);          // ascending: ▲
        QVERIFY(inkAbove(QStyleOptionHeader::SortUp) > 0);            // descending: ▼
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);  // best first: ▼
    }

    // The best and the selected order differ in print and without colour:
    // solid against hatched bars, solid against dashed marks, lightness far
    // apart, and each named with its letters.
    void theBestAndTheSelectedOrderDifferWithoutColour() {
        RankingWindow* window = openRanking({"abcdefg**", "bacdefg**"});
        window->table()->selectRow(2);
        const auto* bars =
            qobject_cast<QBarSeries*>(window->charts()->innings()->series().constFirst());
        QVERIFY(bars);
        const QList<QBarSet*> sets = bars->barSets();
        QCOMPARE(sets.size(), qsizetype(2));
        QVERIFY(sets[0]->brush().style() != sets[1]->brush().style());
        QVERIFY(std::abs(qGray(sets[0]->brush().color().rgb()) -
                         qGray(sets[1]->brush().color().rgb())) >= 50);
        const QString selected = currentOrder(*window);
        const QString best = window->model().index(0, ranking::kOrder).data().toString();
        QVERIFY(best != selected);
        QCOMPARE(sets[0]->label(), QStringLiteral("選択 ") + selected);
        QCOMPARE(sets[1]->label(), QStringLiteral("最良 ") + best);
        QList<Qt::PenStyle> marks;
        // The two marks; the best order's resampled bracket is the third line.
        for (QAbstractSeries* series : window->charts()->histogram()->series()) {
            if (series == window->charts()->bestRange()) continue;
            if (auto* line = qobject_cast<QLineSeries*>(series)) marks << line->pen().style();
        }
        QCOMPARE(marks.size(), qsizetype(2));
        QVERIFY(marks[0] != marks[1]);
    }

    void altSpaceThenROpensTheWindow() {
        edit(*m_dialog, ids::kPatterns[0])->setText("abcdefgh*");
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        bool menuShown = false;
        QTimer::singleShot(0, this, [&] {
            QWidget* menu = QApplication::activePopupWidget();
            menuShown = qobject_cast<QMenu*>(menu) != nullptr;
            if (menu) QTest::keyClick(menu, Qt::Key_R);
        });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space, Qt::AltModifier);
        QVERIFY(menuShown);
        RankingWindow* window = m_dialog->rankingWindow();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("打順ランキング"));
        QCOMPARE(window->selection(), OrderSource::EveryOrdering);
        window->setSelection(OrderSource::AcceptedOrderings);
        QTRY_VERIFY_WITH_TIMEOUT(!window->isEvaluating(), kWaitMs);
        QCOMPARE(window->model().rowCount(), 1);
        QVERIFY(m_dialog->isVisible());

        // Tab leaves the table, so the keyboard reaches the buttons.
        QVERIFY(QTest::qWaitForWindowActive(window));
        window->table()->setFocus();
        QTest::keyClick(window->table(), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != window->table());
    }

  private:
    // Sets the patterns, opens the ranking window from the main window (or
    // evaluates it again) and evaluates `selection` to the end.
    // Resampled over `replicates` seasons: none unless asked, which the
    // figures of the point ranking don't need.
    RankingWindow* openRanking(const QStringList& patterns,
                               OrderSource selection = OrderSource::AcceptedOrderings,
                               int replicates = 0) {
        for (int i = 0; i < kPatternCount; ++i) {
            edit(*m_dialog, ids::kPatterns[i])->setText(i < patterns.size() ? patterns[i] : "");
        }
        m_dialog->showRanking();
        RankingWindow* window = m_dialog->rankingWindow();
        if (window == nullptr) return nullptr;
        window->replicatesField()->setValue(replicates);
        // A fresh window would start on every ordering; choosing the selection
        // before the event loop runs starts only this one.
        window->setSelection(selection);
        [&] { QTRY_VERIFY_WITH_TIMEOUT(!window->isEvaluating(), kWaitMs); }();
        return window;
    }

    static QString currentOrder(const RankingWindow& window) {
        const QModelIndex current = window.table()->currentIndex();
        return window.model().index(current.row(), ranking::kOrder).data().toString();
    }

    static QPushButton* findButton(const QWidget& window, const QString& text) {
        for (QPushButton* button : window.findChildren<QPushButton*>()) {
            if (button->text() == text) return button;
        }
        return nullptr;
    }

    static QByteArray readAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Runs diz-cli exact on the same batters with every figure of one game
    // reported and compares its lines with the window's rows, order by order.
    void compareWithCli(const RankingWindow& window, const QStringList& selection) {
        QTemporaryDir dir;
        const QString output = dir.filePath("exact.txt");
        QProcess cli;
        cli.setWorkingDirectory(dir.path());
        cli.start(QStringLiteral(DIZ_CLI),
                  QStringList{"exact", "--batters", kBatters, "--games", "1", "--report",
                              "mean,se,inning-runs,inning-prob", "--quiet", "--top", "0",
                              "--output", output} +
                      selection);
        QVERIFY(cli.waitForFinished(kWaitMs));
        QCOMPARE(cli.exitCode(), 0);
        std::map<QString, QString> expected;
        for (const QByteArray& line : readAll(output).split('\n')) {
            if (!line.isEmpty())
                expected[QString::fromLatin1(line.left(9))] = QString::fromLatin1(line.trimmed());
        }
        const RankingModel& model = window.model();
        QCOMPARE(expected.size(), static_cast<std::size_t>(model.rowCount()));
        for (int row = 0; row < model.rowCount(); ++row) {
            const QString line = cliLine(model, row);
            QCOMPARE(line, expected[line.left(9)]);
        }
    }

    std::unique_ptr<MainDialog> m_dialog;
    support::RecordingMessageBoxes m_boxes;
    support::ScriptedChooser m_chooser;
};

QTEST_MAIN(RankingTest)
#include "ranking_test.moc"
