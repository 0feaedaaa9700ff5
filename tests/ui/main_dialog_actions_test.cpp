// Load, Save and Simulate from the window's buttons, through the batch layer
// and, for Simulate, the real engine library.
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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
        // The box says the outcome; the status line then points to the ranking.
        QCOMPARE(edit(*m_dialog, ids::kStatus)->text(),
                 m_boxes->shown[0].text + QString::fromUtf8(msg::kRankingHint));
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
        QCOMPARE(suffix, QStringLiteral("txt"));
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
