// The main window without the batch actions: controls, defaults, reading and
// showing the model, keys, the log pane and the About box.
#include "ui/qt/main_dialog.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include "batch/dialogs.h"
#include "batch/messages.h"
#include "support/recording_message_boxes.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/log_pane.h"
#include "ui/qt/main_app.h"
#include "ui/qt/utf8_validator.h"

using namespace diz;

namespace {

QLineEdit* edit(const MainDialog& dialog, int id) {
    return qobject_cast<QLineEdit*>(dialog.control(id));
}

QCheckBox* checkBox(const MainDialog& dialog, int id) {
    return qobject_cast<QCheckBox*>(dialog.control(id));
}

// Every field's text and check state, to see that nothing changed.
QStringList snapshot(const MainDialog& dialog) {
    QStringList values;
    for (int id = 1000; id <= 1111; ++id) {
        if (auto* field = edit(dialog, id)) values << field->text();
        if (auto* box = checkBox(dialog, id)) values << (box->isChecked() ? "1" : "0");
    }
    return values;
}

}  // namespace

class MainDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        m_dialog = std::make_unique<MainDialog>();
        m_boxes = std::make_unique<support::RecordingMessageBoxes>();
        m_dialog->setMessageBoxes(m_boxes.get());
    }
    void cleanup() {
        m_dialog.reset();
        m_boxes.reset();
    }

    void startsWithTheDefaultsAndFocusInBatterAAtBats() {
        for (const ids::GridRow& row : ids::kGrid) {
            QCOMPARE(edit(*m_dialog, row[0])->text(), QStringLiteral("1"));  // at-bats
            for (std::size_t f = 1; f < row.size(); ++f) {
                QCOMPARE(edit(*m_dialog, row[f])->text(), QStringLiteral("0"));
            }
        }
        QCOMPARE(edit(*m_dialog, ids::kGamesPerOrder)->text(), QStringLiteral("140"));
        QCOMPARE(edit(*m_dialog, ids::kPatterns[0])->text(), QStringLiteral("abcdefghi"));
        for (int i = 1; i < 6; ++i) QVERIFY(edit(*m_dialog, ids::kPatterns[i])->text().isEmpty());
        QVERIFY(edit(*m_dialog, ids::kStatus)->text().isEmpty());
        QVERIFY(static_cast<LogPane*>(m_dialog->control(ids::kLog))->toPlainText().isEmpty());
        QVERIFY(checkBox(*m_dialog, ids::kExpectedRuns)->isChecked());
        QVERIFY(checkBox(*m_dialog, ids::kStandardError)->isChecked());
        QVERIFY(!checkBox(*m_dialog, ids::kInningRuns)->isChecked());
        QVERIFY(!checkBox(*m_dialog, ids::kInningScoring)->isChecked());

        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        QCOMPARE(QApplication::focusWidget(), m_dialog->control(1000));
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("ball"));
        QVERIFY(!m_dialog->windowIcon().isNull());
        const Qt::WindowFlags flags = m_dialog->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        const QPoint offCentre =
            m_dialog->geometry().center() - m_dialog->screen()->availableGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 2, QByteArray::number(offCentre.manhattanLength()));
    }

    void controlsHaveTheirKindsAndNoButtonIsDefault() {
        QVERIFY(qobject_cast<QLineEdit*>(m_dialog->control(1015)));
        QVERIFY(qobject_cast<LogPane*>(m_dialog->control(1032)));
        QVERIFY(edit(*m_dialog, 1107)->isReadOnly());
        QCOMPARE(m_dialog->control(1002), nullptr);  // the at-bats column skips 1002 to 1008
        for (int id : {ids::kLoad, ids::kSave, ids::kSimulate}) {
            auto* button = qobject_cast<QPushButton*>(m_dialog->control(id));
            QVERIFY(button);
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        }
        QCOMPARE(qobject_cast<QPushButton*>(m_dialog->control(ids::kSimulate))->text(),
                 QStringLiteral("シミュレート！"));
        QCOMPARE(checkBox(*m_dialog, ids::kInningScoring)->text(),
                 QStringLiteral("得点確率(by inning)"));
    }

    // The grid reads as a grid: each row's cells stand side by side in the
    // fields' order, each column's cells one above the other, none overlaps
    // another, and the window holds them all.
    void theGridsCellsFormRowsAndColumnsInsideTheWindow() {
        QCOMPARE(m_dialog->size(), DialogUnits::fromFont(m_dialog->font()).toPixels(319, 355));
        for (std::size_t r = 0; r < ids::kGrid.size(); ++r) {
            for (std::size_t f = 0; f < ids::kGrid[r].size(); ++f) {
                const QRect cell = m_dialog->control(ids::kGrid[r][f])->geometry();
                QVERIFY(m_dialog->rect().contains(cell));
                if (f > 0) {
                    const QRect left = m_dialog->control(ids::kGrid[r][f - 1])->geometry();
                    QVERIFY(left.right() < cell.left());
                    QCOMPARE(left.top(), cell.top());
                }
                if (r > 0) {
                    const QRect above = m_dialog->control(ids::kGrid[r - 1][f])->geometry();
                    QVERIFY(above.bottom() < cell.top());
                    QCOMPARE(above.left(), cell.left());
                }
            }
        }
        // The log runs along the bottom edge over the full width.
        const QRect log = m_dialog->control(ids::kLog)->geometry();
        QVERIFY(log.left() <= 1 && log.right() >= m_dialog->width() - 3);
        QVERIFY(log.bottom() >= m_dialog->height() - 3);
    }

    void tabVisitsTheGridRowByRowThenTheRest() {
        QList<int> expected;
        for (const ids::GridRow& row : ids::kGrid) {
            for (const int id : row) expected << id;  // left to right
        }
        expected << 1004 << 1031 << 1026 << 1028 << 1033 << 1029 << 1030 << 1006 << 1008 << 1025
                 << 1032 << 1107 << 1108 << 1109 << 1110 << 1111 << 1000;

        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        QList<int> visited{idOf(QApplication::focusWidget())};
        while (visited.size() < expected.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << idOf(QApplication::focusWidget());
        }
        QCOMPARE(visited, expected);
    }

    void patternFieldsRefuseATenthByteAndTheStatusLineTyping() {
        QLineEdit* pattern = edit(*m_dialog, 1026);
        QTest::keyClicks(pattern, QStringLiteral("a********x"));
        QCOMPARE(pattern->text(), QStringLiteral("a********"));
        // The limit counts UTF-8 bytes: three 3-byte characters fill nine, a
        // fourth would not fit.
        pattern->clear();
        for (QChar c : QStringLiteral("打者あい")) {
            QTest::sendKeyEvent(QTest::Click, pattern, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        QCOMPARE(pattern->text(), QStringLiteral("打者あ"));
        QLineEdit* status = edit(*m_dialog, ids::kStatus);
        QTest::keyClicks(status, QStringLiteral("typed"));
        QVERIFY(status->text().isEmpty());
    }

    void readsTypedValuesIntoTheModel() {
        edit(*m_dialog, 1009)->setText("400");    // C at-bats
        edit(*m_dialog, 1018)->setText(" 500 ");  // C singles above at-bats is fine
        edit(*m_dialog, 1063)->setText("50");     // C walks
        edit(*m_dialog, 1054)->setText("10");     // C home runs
        edit(*m_dialog, 1072)->setText("-0.5");   // rates are not range-checked
        edit(*m_dialog, 1081)->setText("2");
        edit(*m_dialog, 1004)->setText("2147483647");
        edit(*m_dialog, 1030)->setText("*********");  // pattern 6
        checkBox(*m_dialog, ids::kInningScoring)->setChecked(true);
        checkBox(*m_dialog, ids::kStandardError)->setChecked(false);

        QVERIFY(m_dialog->readControls());
        QVERIFY(m_boxes->shown.empty());
        const WindowModel& model = m_dialog->model();
        QCOMPARE(model.batters[2].atBats, 400);
        QCOMPARE(model.batters[2].singles, 500);
        QCOMPARE(model.batters[2].walks, 50);
        QCOMPARE(model.batters[2].homeRuns, 10);
        QCOMPARE(model.batters[2].rate1B1to3, -0.5);
        QCOMPARE(model.batters[2].rate1B2to4, 2.0);
        QCOMPARE(model.gamesPerOrder, 2147483647);
        QCOMPARE(model.patterns[5], std::string("*********"));
        QVERIFY(model.report.inningScoring);
        QVERIFY(!model.report.inningRuns);
        QVERIFY(!model.report.standardError);
    }

    void walksAreReadBeforeHomeRuns() {
        edit(*m_dialog, 1053)->setText("x");  // B home runs
        edit(*m_dialog, 1062)->setText("y");  // B walks
        QVERIFY(!m_dialog->readControls());
        expectOneFailure(1062, "打者B の BB", QStringLiteral("整数を入力してください。"));
    }

    void countsAreReadBeforeTheGames() {
        edit(*m_dialog, 1004)->setText("many");
        edit(*m_dialog, 1016)->setText("abc");  // A singles
        QVERIFY(!m_dialog->readControls());
        expectOneFailure(1016, "打者A の 1B", QStringLiteral("整数を入力してください。"));
    }

    void rangesAreCheckedWithTheirBounds() {
        edit(*m_dialog, 1004)->setText("0");
        QVERIFY(!m_dialog->readControls());
        expectOneFailure(1004, "打線あたりの試行数",
                         QStringLiteral("1 から 2147483647 までの整数を入力してください。"));

        m_boxes->shown.clear();
        edit(*m_dialog, 1004)->setText("140");
        edit(*m_dialog, 1015)->setText("100001");  // I at-bats
        QVERIFY(!m_dialog->readControls());
        expectOneFailure(1015, "打者I の 打数",
                         QStringLiteral("1 から 100000 までの整数を入力してください。"));

        m_boxes->shown.clear();
        edit(*m_dialog, 1015)->setText("100000");
        edit(*m_dialog, 1042)->setText("-1");  // I doubles
        QVERIFY(!m_dialog->readControls());
        expectOneFailure(1042, "打者I の 2B",
                         QStringLiteral("0 から 99999 までの整数を入力してください。"));
    }

    void ratesAndTextsHaveTheirOwnMessages() {
        edit(*m_dialog, 1094)->setText("0.3.");  // G 2B 1to4
        QVERIFY(!m_dialog->readControls());
        expectOneFailure(1094, "打者G の 2B 1to4", QStringLiteral("数値を入力してください。"));

        m_boxes->shown.clear();
        edit(*m_dialog, 1094)->setText("0.3");
        edit(*m_dialog, 1033)->setText("abcdefghij");  // set by the program, so not refused
        QVERIFY(!m_dialog->readControls());
        expectOneFailure(1033, "打線指定 4", QStringLiteral("9 バイト以内で入力してください。"));

        m_boxes->shown.clear();
        edit(*m_dialog, 1033)->clear();
        edit(*m_dialog, ids::kStatus)->setText(QString(86, QChar(u'打')));  // 258 bytes
        QVERIFY(!m_dialog->readControls());
        expectOneFailure(ids::kStatus, "", QStringLiteral("255 バイト以内で入力してください。"));
    }

    void aFailureChangesNothingElse() {
        m_dialog->appendLog("kept\n");
        m_dialog->reportMessage("previous");
        m_boxes->shown.clear();
        edit(*m_dialog, 1016)->setText("5");    // valid, read before the failure
        edit(*m_dialog, 1036)->setText("abc");  // C doubles
        const QStringList before = snapshot(*m_dialog);

        QVERIFY(!m_dialog->readControls());
        expectOneFailure(1036, "打者C の 2B", QStringLiteral("整数を入力してください。"));
        QCOMPARE(snapshot(*m_dialog), before);
        QCOMPARE(m_dialog->model().batters[0].singles, 0);
        QCOMPARE(m_dialog->model().statusText, std::string("previous"));
        QCOMPARE(static_cast<LogPane*>(m_dialog->control(ids::kLog))->contents(),
                 QStringLiteral("kept\n"));
    }

    void showModelWritesTheNormalForm() {
        edit(*m_dialog, 1000)->setText("007");
        edit(*m_dialog, 1070)->setText("+.250");
        edit(*m_dialog, 1004)->setText(" 0140");
        QVERIFY(m_dialog->readControls());
        m_dialog->showModel();
        QCOMPARE(edit(*m_dialog, 1000)->text(), QStringLiteral("7"));
        QCOMPARE(edit(*m_dialog, 1070)->text(), QStringLiteral("0.25"));
        QCOMPARE(edit(*m_dialog, 1004)->text(), QStringLiteral("140"));
    }

    void reportMessageSetsTheStatusAfterTheBoxCloses() {
        m_dialog->reportMessage("正常に終了しました。\n出力：out.txt");
        QCOMPARE(m_boxes->shown.size(), std::size_t{1});
        QCOMPARE(m_boxes->shown[0].kind, MessageBoxes::Kind::Report);
        QCOMPARE(edit(*m_dialog, ids::kStatus)->text(),
                 QStringLiteral("正常に終了しました。\n出力：out.txt"));
        // The status line reads back unchanged, line break included.
        QVERIFY(m_dialog->readControls());
        QCOMPARE(m_dialog->model().statusText, std::string("正常に終了しました。\n出力：out.txt"));
    }

    // The real question box: the application's name as its title, はい and
    // いいえ, いいえ the default, so that Enter keeps the window open.
    void theRealCloseQuestionDefaultsToNo() {
        m_dialog->setMessageBoxes(nullptr);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        edit(*m_dialog, 1000)->setText("400");
        QStringList buttons;
        QString title;
        QString defaultButton;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            for (QAbstractButton* button : box->buttons()) buttons << button->text();
            defaultButton = box->defaultButton()->text();
            QTest::keyClick(box, Qt::Key_Return);
        });
        m_dialog->close();
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(title, QCoreApplication::applicationName());
        buttons.sort();
        QCOMPARE(buttons, QStringList({"いいえ", "はい"}));
        QCOMPARE(defaultButton, QStringLiteral("いいえ"));
    }

    void theRealMessageBoxIsTitledWithTheApplicationName() {
        m_dialog->setMessageBoxes(nullptr);
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::Critical;
        qsizetype buttons = 0;
        QString statusWhileOpen;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->buttons().size();
            statusWhileOpen = edit(*m_dialog, ids::kStatus)->text();
            box->button(QMessageBox::Ok)->click();
        });
        m_dialog->reportMessage("出力が開けません：");
        QCOMPARE(title, QCoreApplication::applicationName());
        QCOMPARE(text, QStringLiteral("出力が開けません："));
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(buttons, qsizetype(1));
        QVERIFY(statusWhileOpen.isEmpty());
        QCOMPARE(edit(*m_dialog, ids::kStatus)->text(), QStringLiteral("出力が開けません："));
    }

    // Enter reads every value first; with values typed since the start it
    // asks before the window closes, and no (the default) keeps it open.
    void enterClosesOnlyWhenEveryValueIsValid() {
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        QLineEdit* games = edit(*m_dialog, 1004);
        games->setFocus();
        games->setText("0");
        QTest::keyClick(games, Qt::Key_Return);
        QVERIFY(m_dialog->isVisible());
        expectOneFailure(1004, "打線あたりの試行数",
                         QStringLiteral("1 から 2147483647 までの整数を入力してください。"));
        QVERIFY(m_boxes->asked.empty());

        games->setText("150");
        QTest::keyClick(games, Qt::Key_Return);
        QCOMPARE(m_boxes->asked, QStringList{QString::fromUtf8(msg::kConfirmClose)});
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(games->text(), QStringLiteral("150"));

        m_boxes->answer = true;
        QTest::keyClick(games, Qt::Key_Return);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        QCOMPARE(m_dialog->model().gamesPerOrder, 150);
    }

    void enterPressesAFocusedButtonAndNothingInTheLog() {
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        auto* save = qobject_cast<QPushButton*>(m_dialog->control(ids::kSave));
        // Disconnect the action: only the press matters here.
        save->disconnect();
        QSignalSpy pressed(save, &QPushButton::clicked);
        save->setFocus();
        QTest::keyClick(save, Qt::Key_Return);
        QCOMPARE(pressed.count(), 1);
        QVERIFY(m_dialog->isVisible());

        edit(*m_dialog, 1000)->setText("bad");
        QWidget* log = m_dialog->control(ids::kLog);
        log->setFocus();
        QTest::keyClick(log, Qt::Key_Return);
        QVERIFY(m_dialog->isVisible());
        QVERIFY(m_boxes->shown.empty());
    }

    // Escape closes without reading: at once while the fields hold what the
    // window started with, after a question once something was typed.
    void escapeClosesWithoutReading() {
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        QTest::keyClick(edit(*m_dialog, 1000), Qt::Key_Escape);
        QVERIFY(!m_dialog->isVisible());
        QVERIFY(m_boxes->asked.empty());

        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        edit(*m_dialog, 1000)->setText("bad");
        edit(*m_dialog, 1004)->setText("99");
        QTest::keyClick(edit(*m_dialog, 1000), Qt::Key_Escape);
        QCOMPARE(m_boxes->asked.size(), qsizetype(1));
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(edit(*m_dialog, 1000)->text(), QStringLiteral("bad"));

        m_boxes->answer = true;
        QTest::keyClick(edit(*m_dialog, 1000), Qt::Key_Escape);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
        QVERIFY(m_boxes->shown.empty());
        QCOMPARE(m_dialog->model().gamesPerOrder, 140);
    }

    // The same question for the close box and the menu's Close; a field set
    // back to what it held asks nothing.
    void everyWayOfClosingAsksFirst() {
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        edit(*m_dialog, ids::kGrid[4][5])->setText("12");
        m_dialog->close();
        QVERIFY(m_dialog->isVisible());
        m_dialog->systemMenu()->actions().constFirst()->trigger();
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_boxes->asked.size(), qsizetype(2));
        edit(*m_dialog, ids::kGrid[4][5])->setText("0");
        m_dialog->close();
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_boxes->asked.size(), qsizetype(2));
    }

    // What a Japanese input method types reads as the digits it stands for,
    // and shows in their normal form afterwards.
    void fullWidthDigitsAreNumbers() {
        edit(*m_dialog, 1000)->setText(QStringLiteral("５００"));
        edit(*m_dialog, 1004)->setText(QStringLiteral("１４０００"));
        edit(*m_dialog, 1070)->setText(QStringLiteral("０．２５"));
        QVERIFY(m_dialog->readControls());
        QCOMPARE(m_dialog->model().batters[0].atBats, 500);
        QCOMPARE(m_dialog->model().gamesPerOrder, 14000);
        QCOMPARE(m_dialog->model().batters[0].rate1B1to3, 0.25);
        m_dialog->showModel();
        QCOMPARE(edit(*m_dialog, 1000)->text(), QStringLiteral("500"));
        QVERIFY(m_boxes->shown.empty());
    }

    void appendedLinesShowTheEndWithoutTakingTheFocus() {
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        auto* log = static_cast<LogPane*>(m_dialog->control(ids::kLog));
        for (int i = 0; i < 40; ++i)
            m_dialog->appendLog(QByteArray::number(i).toStdString() + "\n");
        log->verticalScrollBar()->setValue(0);  // the user scrolls to the top
        m_dialog->appendLog("last one\n");
        m_dialog->appendLog("and another\n");
        QCoreApplication::processEvents();
        QVERIFY(log->contents().endsWith(QStringLiteral("39\nlast one\nand another\n")));
        QCOMPARE(log->verticalScrollBar()->value(), log->verticalScrollBar()->maximum());
        QVERIFY(log->verticalScrollBar()->maximum() > 0);
        QCOMPARE(QApplication::focusWidget(), m_dialog->control(1000));

        m_dialog->clearLog();
        QVERIFY(log->toPlainText().isEmpty());
    }

    void theLogKeepsItsLatestLinesWhenFull_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("linesPerUpdate");
        // Updates as during a run, and one update after more than fills the pane.
        QTest::newRow("updated along") << LogPane::kMaxLines * 2 + 500 << 1000;
        QTest::newRow("updated once") << LogPane::kMaxLines * 5 / 2 << 0;
        QTest::newRow("just full") << LogPane::kMaxLines << 0;
    }

    void theLogKeepsItsLatestLinesWhenFull() {
        QFETCH(int, lines);
        QFETCH(int, linesPerUpdate);
        auto* log = static_cast<LogPane*>(m_dialog->control(ids::kLog));
        for (int i = 0; i < lines; ++i) {
            m_dialog->appendLog("abcdefghi 6.107143 " + std::to_string(i) + "\n");
            if (linesPerUpdate > 0 && i % linesPerUpdate == 0) log->flush();
        }
        const QStringList kept = log->contents().split(u'\n');
        QVERIFY(kept.size() - 1 >= LogPane::kMaxLines);
        QVERIFY(kept.size() - 1 <= LogPane::kMaxLines + LogPane::kLinesPerBlock);
        // The newest lines, in order and without gaps.
        const int first = lines - static_cast<int>(kept.size() - 1);
        for (qsizetype i = 0; i + 1 < kept.size(); ++i) {
            QCOMPARE(kept[i], QStringLiteral("abcdefghi 6.107143 %1").arg(first + i));
        }
        QVERIFY(kept.last().isEmpty());
    }

    void copyingFromTheLogGivesPlainLines() {
        m_dialog->appendLog("# 打者A\tAVE: 0.330\n");
        m_dialog->appendLog("abcdefghi 6.107143 0.315209\n");
        auto* log = static_cast<LogPane*>(m_dialog->control(ids::kLog));
        log->flush();
        log->selectAll();
        log->copy();
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("# 打者A\tAVE: 0.330\nabcdefghi 6.107143 0.315209\n"));
    }

    void theMenuOffersAboutAfterASeparator() {
        // After a separator: About, then the ranking window's and the roster
        // window's entries.
        const QList<QAction*> actions = m_dialog->systemMenu()->actions();
        QVERIFY(actions.size() >= 4);
        QVERIFY(actions[actions.size() - 4]->isSeparator());
        QAction* aboutAction = actions[actions.size() - 3];
        QCOMPARE(aboutAction->text(), QStringLiteral("DIZ のﾊﾞｰｼﾞｮﾝ情報(&A)..."));
        QCOMPARE(actions[actions.size() - 2]->text(), QStringLiteral("打順ランキング(&R)..."));
        QCOMPARE(actions.last()->text(), QStringLiteral("選手名簿(&L)..."));

        edit(*m_dialog, 1000)->setText("12");  // typed but not read
        const QStringList before = snapshot(*m_dialog);
        QString caption;
        QString version;
        QSize iconSize;
        QTimer::singleShot(0, this, [&] {
            auto* about = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
            QVERIFY(about);
            caption = about->windowTitle();
            QList<QLabel*> labels = about->findChildren<QLabel*>();
            for (QLabel* label : labels) {
                if (!label->text().isEmpty()) version = label->text();
                if (!label->pixmap().isNull()) iconSize = label->pixmap().size();
            }
            auto* ok = qobject_cast<QPushButton*>(about->control(ids::kAboutOk));
            QVERIFY(ok && ok->isDefault());
            QTest::keyClick(about, Qt::Key_Return);  // Enter presses OK
        });
        aboutAction->trigger();
        QCOMPARE(caption, QStringLiteral("GUIのﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(version, QStringLiteral("DIZ Version 1.0"));
        QCOMPARE(iconSize, QSize(32, 32));
        QCOMPARE(snapshot(*m_dialog), before);
        QVERIFY(m_boxes->shown.empty());
    }

    void altSpaceThenAOpensTheAboutBox() {
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        bool menuShown = false;
        bool aboutShown = false;
        QTimer::singleShot(0, this, [&] {
            QWidget* menu = QApplication::activePopupWidget();
            menuShown = qobject_cast<QMenu*>(menu) != nullptr;
            QTimer::singleShot(0, this, [&] {
                auto* about = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
                aboutShown = about != nullptr;
                if (about) {
                    QTest::keyClick(about, Qt::Key_Escape);
                } else if (QWidget* stillOpen = QApplication::activePopupWidget()) {
                    stillOpen->close();  // fail without hanging in the menu
                }
            });
            if (menu) QTest::keyClick(menu, Qt::Key_A);
        });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space, Qt::AltModifier);
        QVERIFY(menuShown);
        QVERIFY(aboutShown);
        QVERIFY(m_dialog->isVisible());
    }

    void platformTextsAreJapanese() {
        QTranslator translator;
        QVERIFY2(installPlatformTranslation(translator),
                 "qtbase_ja (qt6-translations-l10n) missing");
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                 QStringLiteral("キャンセル"));
        QCoreApplication::removeTranslator(&translator);
    }

  private:
    int idOf(QWidget* widget) const {
        for (int id = 1000; id <= 1111; ++id) {
            if (m_dialog->control(id) == widget) return id;
        }
        return -1;
    }

    // One validation box with `message` below the field's name (a field
    // without a label has none), then the focus on `id` with its whole text
    // selected.
    void expectOneFailure(int id, const char* name, const QString& message) {
        QCOMPARE(m_boxes->shown.size(), std::size_t{1});
        const QString label = QString::fromUtf8(name);
        QCOMPARE(m_boxes->shown[0].text, label.isEmpty() ? message : label + '\n' + message);
        QCOMPARE(m_boxes->shown[0].kind, MessageBoxes::Kind::Validation);
        QLineEdit* field = edit(*m_dialog, id);
        QCOMPARE(m_dialog->focusWidget(), field);
        QCOMPARE(field->selectedText(), field->text());
    }

    std::unique_ptr<MainDialog> m_dialog;
    std::unique_ptr<support::RecordingMessageBoxes> m_boxes;
};

QTEST_MAIN(MainDialogTest)
#include "main_dialog_test.moc"
