// Load, Save and Simulate from the window's buttons, through the batch layer
// and, for Simulate, the real engine library.
#include <sys/stat.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <new>
#include <system_error>

#include "batch/dialogs.h"
#include "batch/messages.h"
#include "support/recording_message_boxes.h"
#include "support/scripted_chooser.h"
#include "ui/qt/log_pane.h"
#include "ui/qt/main_dialog.h"
#include "ui/qt/qt_file_chooser.h"

using namespace diz;

namespace {

QLineEdit* edit(const MainDialog& dialog, int id) {
    return qobject_cast<QLineEdit*>(dialog.control(id));
}

void click(const MainDialog& dialog, int id) {
    QTest::mouseClick(dialog.control(id), Qt::LeftButton);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(contents);
}

// A chooser that fails as an allocation or a thread start fails inside an
// action.
class ThrowingChooser final : public FileChooser {
  public:
    explicit ThrowingChooser(std::function<void()> fail) : m_fail(std::move(fail)) {}
    std::optional<std::string> choose(const ChooserRequest&) override {
        m_fail();
        return std::nullopt;
    }

  private:
    std::function<void()> m_fail;
};

}  // namespace

class MainDialogActionsTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        m_temp = std::make_unique<QTemporaryDir>();
        QVERIFY(m_temp->isValid());
        m_dialog = std::make_unique<MainDialog>();
        m_boxes = std::make_unique<support::RecordingMessageBoxes>();
        m_chooser = std::make_unique<support::ScriptedChooser>();
        m_dialog->setMessageBoxes(m_boxes.get());
        m_dialog->setFileChooser(m_chooser.get());
        m_previousDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_temp->path()));
    }
    void cleanup() {
        QDir::setCurrent(m_previousDir);
        m_dialog.reset();
        m_boxes.reset();
        m_chooser.reset();
        m_temp.reset();
    }

    void loadWithTheChooserCancelledShowsTheNormalForm() {
        edit(*m_dialog, 1000)->setText("007");
        edit(*m_dialog, 1070)->setText("0.50");
        click(*m_dialog, ids::kLoad);
        QCOMPARE(m_chooser->requestCount, 1);
        QCOMPARE(m_chooser->lastRequest->kind, ChooserRequest::Kind::Open);
        QCOMPARE(edit(*m_dialog, 1000)->text(), QStringLiteral("7"));
        QCOMPARE(edit(*m_dialog, 1070)->text(), QStringLiteral("0.5"));
        QVERIFY(edit(*m_dialog, ids::kStatus)->text().isEmpty());
        QVERIFY(static_cast<LogPane*>(m_dialog->control(ids::kLog))->contents().isEmpty());
        QVERIFY(m_boxes->shown.empty());
    }

    void loadFillsTheGridAndLogsTheBatters() {
        const QString path = m_temp->filePath("three.txt");
        writeFile(path,
                  "400 100 20 2 10 50 0.25 0.5 0.4\r\n"
                  "300 90 1 0 0 0 0.1 0.2 0.3\n"
                  "17\n");
        m_chooser->answer = path.toStdString();
        click(*m_dialog, ids::kLoad);
        QCOMPARE(edit(*m_dialog, 1000)->text(), QStringLiteral("400"));
        QCOMPARE(edit(*m_dialog, 1052)->text(), QStringLiteral("10"));   // A home runs
        QCOMPARE(edit(*m_dialog, 1061)->text(), QStringLiteral("50"));   // A walks
        QCOMPARE(edit(*m_dialog, 1089)->text(), QStringLiteral("0.3"));  // B 2B 1to4
        QCOMPARE(edit(*m_dialog, 1009)->text(), QStringLiteral("17"));   // C at-bats
        QCOMPARE(edit(*m_dialog, 1018)->text(), QStringLiteral("0"));    // C singles kept
        QCOMPARE(edit(*m_dialog, 1010)->text(), QStringLiteral("1"));    // D untouched
        QCOMPARE(edit(*m_dialog, ids::kStatus)->text(),
                 QStringLiteral("打者データを読み込みました..."));
        const QString log = static_cast<LogPane*>(m_dialog->control(ids::kLog))->contents();
        QCOMPARE(log.count(u'\n'), 9);
        QVERIFY(log.startsWith(
            QStringLiteral("# 打者A\tAVE: 0.330   OBP: 0.404   SLG: 0.465   OPS: 0.869\n")));
    }

    // A file without one whole batter line (the ranking's CSV) is no batter
    // file: Load says so and changes nothing; a byte-order mark is no part of
    // the first line.
    void loadTellsAFileWithoutABatterLineAndSkipsAByteOrderMark() {
        const QString csv = m_temp->filePath("ranking.csv");
        writeFile(csv, "\xEF\xBB\xBF順位,打順,得点期待値\r\n1,abcdefghi,5.078538\r\n");
        edit(*m_dialog, 1000)->setText("400");
        m_chooser->answer = csv.toStdString();
        click(*m_dialog, ids::kLoad);
        QCOMPARE(m_boxes->shown.size(), std::size_t{1});
        QCOMPARE(m_boxes->shown[0].text,
                 QStringLiteral("打者データとして読める行がありません：") + csv);
        QCOMPARE(edit(*m_dialog, 1000)->text(), QStringLiteral("400"));
        QVERIFY(static_cast<LogPane*>(m_dialog->control(ids::kLog))->contents().isEmpty());

        const QString marked = m_temp->filePath("marked.txt");
        writeFile(marked,
                  "\xEF\xBB\xBF"
                  "321 100 20 2 10 50 0.25 0.5 0.4\r\n");
        m_chooser->answer = marked.toStdString();
        click(*m_dialog, ids::kLoad);
        QCOMPARE(edit(*m_dialog, 1000)->text(), QStringLiteral("321"));
        QCOMPARE(edit(*m_dialog, ids::kStatus)->text(),
                 QStringLiteral("打者データを読み込みました..."));
    }

    // What was last loaded, saved or simulated is what closing compares
    // with: after each, Escape closes without a question; a cancelled Load
    // is none of them.
    void theLastLoadSaveOrSimulateIsWhatClosingComparesWith() {
        writeFile(m_temp->filePath("order.dat"), "abcdefghi\r\n");
        const auto closesWithoutAsking = [this] {
            m_dialog->show();
            if (!QTest::qWaitForWindowActive(m_dialog.get())) return false;
            const qsizetype asked = m_boxes->asked.size();
            QTest::keyClick(edit(*m_dialog, 1000), Qt::Key_Escape);
            const bool closed = !m_dialog->isVisible();
            return closed && m_boxes->asked.size() == asked;
        };
        edit(*m_dialog, 1000)->setText("400");
        m_chooser->answer.reset();
        click(*m_dialog, ids::kLoad);
        QVERIFY(!closesWithoutAsking());
        m_chooser->answer = m_temp->filePath("saved.txt").toStdString();
        click(*m_dialog, ids::kSave);
        QVERIFY(closesWithoutAsking());

        edit(*m_dialog, 1016)->setText("0100");  // the same value in another form
        QVERIFY(!closesWithoutAsking());
        m_chooser->answer = m_temp->filePath("output.txt").toStdString();
        click(*m_dialog, ids::kSimulate);
        QVERIFY(closesWithoutAsking());

        edit(*m_dialog, 1016)->setText("7");
        m_chooser->answer = m_temp->filePath("saved.txt").toStdString();
        click(*m_dialog, ids::kLoad);
        QVERIFY(closesWithoutAsking());
        QCOMPARE(edit(*m_dialog, 1016)->text(), QStringLiteral("0"));
    }

    void saveWritesTheBattersOrRefusesAnInvalidField() {
        edit(*m_dialog, 1014)->setText("0");  // H at-bats
        click(*m_dialog, ids::kSave);
        QCOMPARE(m_chooser->requestCount, 0);
        QCOMPARE(m_boxes->shown.size(), std::size_t{1});
        QVERIFY(m_boxes->shown[0].text.contains(QStringLiteral("1 から 100000")));
        QCOMPARE(m_dialog->focusWidget(), m_dialog->control(1014));
        QVERIFY(edit(*m_dialog, ids::kStatus)->text().isEmpty());

        edit(*m_dialog, 1014)->setText("12");
        edit(*m_dialog, 1071)->setText("0.1234567");
        const QString path = m_temp->filePath("saved.txt");
        m_chooser->answer = path.toStdString();
        click(*m_dialog, ids::kSave);
        const QList<QByteArray> lines = readFile(path).split('\n');
        QCOMPARE(lines.size(), qsizetype(10));
        QCOMPARE(lines[1], QByteArray("1 0 0 0 0 0 0.123457 0.000000 0.000000\r"));
        QCOMPARE(lines[7], QByteArray("12 0 0 0 0 0 0.000000 0.000000 0.000000\r"));
        QCOMPARE(edit(*m_dialog, ids::kStatus)->text(),
                 QStringLiteral("打者データを保存しました..."));
        QCOMPARE(edit(*m_dialog, 1071)->text(), QStringLiteral("0.1234567"));  // the model keeps it
    }

    void simulateRunsTheEngineEndToEnd() {
        writeFile(m_temp->filePath("order.dat"), "abcdefghi\r\nbcdefghia\r\n");
        // The reference batter in every row, field by field in the grid's order.
        const char* const reference[] = {"400", "100", "20", "2", "10", "50", "0.25", "0.5", "0.4"};
        for (const ids::GridRow& row : ids::kGrid) {
            for (std::size_t f = 0; f < row.size(); ++f)
                edit(*m_dialog, row[f])->setText(reference[f]);
        }
        edit(*m_dialog, 1026)->setText("*********");  // pattern 2 takes the second order
        const QString output = m_temp->filePath("output.txt");
        m_chooser->answer = output.toStdString();
        m_dialog->appendLog("from before\n");
        QString statusDuringRun;
        m_boxes->onShow = [&] { statusDuringRun = edit(*m_dialog, ids::kStatus)->text(); };

        click(*m_dialog, ids::kSimulate);

        QCOMPARE(m_chooser->requestCount, 1);
        QCOMPARE(m_chooser->lastRequest->initialName, std::string("output.txt"));
        const QByteArray result = readFile(output);
        QVERIFY2(result.startsWith("abcdefghi 6.107143 0.315209\r\n"), result);
        QCOMPARE(result.count('\n'), 2);
        const QString log = static_cast<LogPane*>(m_dialog->control(ids::kLog))->contents();
        QVERIFY(!log.contains(QStringLiteral("from before")));
        QCOMPARE(log.count(u'\n'), 11);  // nine batters, two orders
        QVERIFY(log.contains(QStringLiteral("\nabcdefghi 6.107143 0.315209\n")));
        QCOMPARE(m_boxes->shown.size(), std::size_t{1});
        QCOMPARE(m_boxes->shown[0].kind, MessageBoxes::Kind::Report);
        QVERIFY(m_boxes->shown[0].text.startsWith(QStringLiteral("正常に終了しました。\n出力：")));
        QCOMPARE(statusDuringRun, QStringLiteral("シミュレート中..."));
        // The box says the outcome; the status line then points to the
        // ranking, at its start, where the narrow line shows it.
        QLineEdit* status = edit(*m_dialog, ids::kStatus);
        QCOMPARE(status->text(), QString::fromUtf8(msg::kRankingHint) + m_boxes->shown[0].text);
        QCOMPARE(status->cursorPosition(), 0);
    }

    // Counts that cannot be run as they are, and the log says so once, after
    // the batters' lines and before the first result line.
    void aCountThatCannotBeIsToldOnceInTheLog() {
        writeFile(m_temp->filePath("order.dat"), "abcdefghi\r\nbacdefghi\r\n");
        edit(*m_dialog, ids::kGrid[0][0])->setText("10");
        edit(*m_dialog, ids::kGrid[0][1])->setText("11");   // A: 11 singles in 10 at-bats
        edit(*m_dialog, ids::kGrid[2][7])->setText("1.5");  // C: 1B 2to4
        edit(*m_dialog, ids::kPatterns[1])->setText("*********");
        m_chooser->answer = m_temp->filePath("output.txt").toStdString();
        click(*m_dialog, ids::kSimulate);
        const QStringList lines =
            static_cast<LogPane*>(m_dialog->control(ids::kLog))->contents().split('\n');
        QCOMPARE(lines.size(), 9 + 2 + 2 + 1);  // batters, warnings, two orders, the end
        QCOMPARE(lines[9],
                 QStringLiteral("# 警告：打者A の安打 (1B+2B+3B+HR) 11 が打数 10 を超えています "
                                "(アウトになりにくい打者です)"));
        QCOMPARE(lines[10],
                 QStringLiteral("# 警告：打者C の 1B 2to4 1.5 は 0 から 1 の間にありません"));
        QVERIFY(lines[11].startsWith(QStringLiteral("abcdefghi ")));
        QVERIFY(m_boxes->shown[0].text.startsWith(QStringLiteral("正常に終了しました。")));
    }

    // Without an order file the user hears so before choosing a result
    // file, with the folder it was looked in; the status keeps its limit of
    // 255 bytes, the box shows the whole text.
    void aMissingOrderFileIsToldBeforeTheChooser() {
        QString deep = m_temp->path();
        for (int i = 0; i < 12; ++i) deep += QStringLiteral("/フォルダー%1").arg(i);
        QVERIFY(QDir().mkpath(deep));
        QVERIFY(QDir::setCurrent(deep));
        m_chooser->answer = "output.txt";
        click(*m_dialog, ids::kSimulate);
        QCOMPARE(m_chooser->requestCount, 0);
        QCOMPARE(m_boxes->shown.size(), std::size_t{1});
        const QString expected = QStringLiteral("ORDERが開けません：order.dat\n場所：") + deep;
        QCOMPARE(m_boxes->shown[0].text, expected);
        const std::string status = m_dialog->model().statusText;
        QVERIFY(status.size() <= 255);
        QVERIFY(status.size() >= 253);  // cut at a whole character, three bytes at most
        QVERIFY(expected.toStdString().rfind(status, 0) == 0);
        QVERIFY(!QFile::exists(QDir(deep).filePath("output.txt")));
    }

    // Cancelling the result file's chooser is no failure: no box, a status
    // that says so.
    void aCancelledResultChooserEndsQuietly() {
        writeFile(m_temp->filePath("order.dat"), "abcdefghi\r\n");
        m_chooser->answer.reset();
        click(*m_dialog, ids::kSimulate);
        QCOMPARE(m_chooser->requestCount, 1);
        QVERIFY(m_boxes->shown.empty());
        QCOMPARE(edit(*m_dialog, ids::kStatus)->text(),
                 QStringLiteral("シミュレートを取り消しました"));
    }

    // A pipe is never waited for or replaced: with no reader the save is
    // reported at once; a device takes the bytes and stays a device.
    void savingOntoAPipeOrADeviceNeverReplacesIt() {
        const QByteArray pipe = QFile::encodeName(m_temp->filePath("pipe"));
        QCOMPARE(mkfifo(pipe.constData(), 0600), 0);
        m_chooser->answer = pipe.toStdString();
        QElapsedTimer took;
        took.start();
        click(*m_dialog, ids::kSave);
        QVERIFY(took.elapsed() < 5000);
        QCOMPARE(m_boxes->shown.size(), std::size_t{1});
        QCOMPARE(m_boxes->shown[0].text,
                 QStringLiteral("打者データを保存できません：") + QString::fromUtf8(pipe));
        QVERIFY(QFileInfo(QString::fromUtf8(pipe)).isFile() == false);

        m_chooser->answer = "/dev/null";
        click(*m_dialog, ids::kSave);
        QCOMPARE(edit(*m_dialog, ids::kStatus)->text(),
                 QStringLiteral("打者データを保存しました..."));
        QVERIFY(!QFileInfo(QStringLiteral("/dev/null")).isFile());

        // The same for a run's result file.
        writeFile(m_temp->filePath("order.dat"), "abcdefghi\r\n");
        m_boxes->shown.clear();
        m_chooser->answer = pipe.toStdString();
        took.restart();
        click(*m_dialog, ids::kSimulate);
        QVERIFY(took.elapsed() < 5000);
        QCOMPARE(m_boxes->shown.size(), std::size_t{1});
        QCOMPARE(m_boxes->shown[0].text,
                 QStringLiteral("出力が開けません：") + QString::fromUtf8(pipe));
        QVERIFY(!QFileInfo(QString::fromUtf8(pipe)).isFile());
    }

    // Running out of memory or of threads in an action is told in words;
    // the program goes on.
    void runningOutInAnActionIsTold() {
        ThrowingChooser outOfMemory([] { throw std::bad_alloc(); });
        m_dialog->setFileChooser(&outOfMemory);
        click(*m_dialog, ids::kLoad);
        ThrowingChooser noThread([] {
            throw std::system_error(
                std::make_error_code(std::errc::resource_unavailable_try_again));
        });
        m_dialog->setFileChooser(&noThread);
        writeFile(m_temp->filePath("order.dat"), "abcdefghi\r\n");
        click(*m_dialog, ids::kSimulate);
        m_dialog->setFileChooser(m_chooser.get());
        QCOMPARE(m_boxes->shown.size(), std::size_t{2});
        QCOMPARE(m_boxes->shown[0].text, QStringLiteral("メモリが足りないため中止しました"));
        QCOMPARE(m_boxes->shown[1].text, QStringLiteral("スレッドを作成できないため中止しました"));
        QCOMPARE(edit(*m_dialog, ids::kStatus)->text(), m_boxes->shown[1].text);
    }

    void anInvalidFieldStopsSimulateBeforeTheLogIsCleared() {
        writeFile(m_temp->filePath("order.dat"), "abcdefghi\n");
        m_dialog->appendLog("from before\n");
        edit(*m_dialog, 1036)->setText("abc");  // C doubles
        click(*m_dialog, ids::kSimulate);
        QCOMPARE(m_chooser->requestCount, 0);
        QCOMPARE(m_boxes->shown.size(), std::size_t{1});
        QCOMPARE(m_dialog->focusWidget(), m_dialog->control(1036));
        QCOMPARE(static_cast<LogPane*>(m_dialog->control(ids::kLog))->contents(),
                 QStringLiteral("from before\n"));
        QVERIFY(!QFile::exists(m_temp->filePath("output.txt")));
    }

    void theQtChooserIsSetUpAsRequested() {
        QtFileChooser chooser(m_dialog.get());
        ChooserRequest request;
        request.kind = ChooserRequest::Kind::Save;
        request.initialName = "output.txt";
        request.overwritePrompt = true;
        QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
        QString suffix;
        QStringList filters;
        QString directory;
        QStringList selected;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            mode = dialog->acceptMode();
            suffix = dialog->defaultSuffix();
            filters = dialog->nameFilters();
            directory = dialog->directory().absolutePath();
            selected = dialog->selectedFiles();
            dialog->reject();
        });
        QCOMPARE(chooser.choose(request), std::nullopt);
        QCOMPARE(mode, QFileDialog::AcceptSave);
        // The extension is the chooser's to add (chosenName), not the dialog's.
        QVERIFY(suffix.isEmpty());
        QCOMPARE(filters, QStringList{QStringLiteral("全て(*.*) (*)")});
        QCOMPARE(directory, QDir(m_temp->path()).absolutePath());
        QCOMPARE(selected.size(), qsizetype(1));
        QVERIFY(selected[0].endsWith(QStringLiteral("/output.txt")));
        QCOMPARE(QDir::currentPath(), QDir(m_temp->path()).absolutePath());
    }

    void aWildcardInitialNameFiltersTheListAndLeavesTheNameEmpty() {
        QtFileChooser chooser(m_dialog.get());
        ChooserRequest request;
        request.kind = ChooserRequest::Kind::Save;
        request.initialName = "*.txt";
        QStringList filters;
        QString name = QStringLiteral("not read");
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            filters = dialog->nameFilters();
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(edit);
            name = edit->text();
            // Enter on the empty name box chooses nothing.
            QTest::keyClick(edit, Qt::Key_Return);
            QVERIFY(dialog->isVisible());
            dialog->reject();
        });
        QCOMPARE(chooser.choose(request), std::nullopt);
        QCOMPARE(filters, QStringList{QStringLiteral("全て(*.*) (*.txt)")});
        QCOMPARE(name, QString());
        QVERIFY(!QFile::exists(m_temp->filePath("*.txt")));
    }

    // A typed name that is a file opens as typed; otherwise the default
    // extension is added; a name of neither is refused in the dialog.
    void anExistingFileWithoutExtensionOpensAsTyped() {
        writeFile(m_temp->filePath("lineup"), "400 100 20 2 10 50 0.25 0.5 0.4\n");
        writeFile(m_temp->filePath("other.txt"), "");
        QtFileChooser chooser(m_dialog.get());
        ChooserRequest request;
        request.fileMustExist = true;
        request.initialName = "*.txt";
        const auto type = [this](const QString& name) {
            QTimer::singleShot(0, this, [name] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                QVERIFY(edit);
                edit->setText(name);
                QTest::keyClick(edit, Qt::Key_Return);
            });
        };
        type(QStringLiteral("lineup"));
        QCOMPARE(chooser.choose(request),
                 std::optional<std::string>(m_temp->filePath("lineup").toStdString()));
        type(QStringLiteral("other"));
        QCOMPARE(chooser.choose(request),
                 std::optional<std::string>(m_temp->filePath("other.txt").toStdString()));

        QString refused;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QTimer::singleShot(0, this, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                refused = box->text();
                QTimer::singleShot(0, this, [] {
                    auto* again = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                    QVERIFY(again);
                    again->reject();
                });
                box->button(QMessageBox::Ok)->click();
            });
            dialog->selectFile(m_temp->filePath("nothing"));
            static_cast<QDialog*>(dialog)->accept();
        });
        QCOMPARE(chooser.choose(request), std::nullopt);
        QCOMPARE(refused, QStringLiteral("ファイルが見つかりません：nothing.txt"));
    }

    void theQtChooserAsksBeforeCreatingAFile() {
        QtFileChooser chooser(m_dialog.get());
        ChooserRequest request;
        request.kind = ChooserRequest::Kind::Save;
        request.initialName = "output.txt";
        request.createPrompt = true;
        const QString newFile = m_temp->filePath("new.txt");
        QStringList steps;
        // Choose a new file, refuse to create it, choose it again, agree.
        const auto chooseNewFile = [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            steps << "file dialog";
            dialog->selectFile(newFile);
            static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept is protected
        };
        const auto answer = [&](QMessageBox::StandardButton button) {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            steps << (button == QMessageBox::No ? "no" : "yes");
            box->button(button)->click();
        };
        QTimer::singleShot(0, this, [&] {
            QTimer::singleShot(0, this, [&] {
                QTimer::singleShot(0, this, [&] {
                    QTimer::singleShot(0, this, [&] { answer(QMessageBox::Yes); });
                    chooseNewFile();
                });
                answer(QMessageBox::No);
            });
            chooseNewFile();
        });
        QCOMPARE(chooser.choose(request), std::optional<std::string>(newFile.toStdString()));
        QCOMPARE(steps, (QStringList{"file dialog", "no", "file dialog", "yes"}));
        QVERIFY(!QFile::exists(newFile));  // choosing creates nothing
    }

  private:
    std::unique_ptr<QTemporaryDir> m_temp;
    QString m_previousDir;
    std::unique_ptr<MainDialog> m_dialog;
    std::unique_ptr<support::RecordingMessageBoxes> m_boxes;
    std::unique_ptr<support::ScriptedChooser> m_chooser;
};

QTEST_MAIN(MainDialogActionsTest)
#include "main_dialog_actions_test.moc"
