// The dialogs' templates as Qt widgets: dialog units, the dialog font and the
// static texts.
#include "ui/qt/dialog_builder.h"

#include <QDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QTest>

#include "batch/dialogs.h"

using namespace diz;

class DialogBuilderTest : public QObject {
    Q_OBJECT
  private slots:
    void dialogUnitsMapEdgeByEdgeRounded() {
        const DialogUnits units(7, 13);
        // Batter A's at-bats cell, 33, 13, 25, 12: left 57.75 -> 58, right
        // 101.5 -> 102; top 21.125 -> 21, bottom 40.625 -> 41.
        QCOMPARE(units.toPixels(33, 13, 25, 12), QRect(58, 21, 44, 20));
        QCOMPARE(units.toPixels(319, 355), QSize(558, 577));
        // Adjacent cells share their edge: no gaps and no overlaps.
        const QRect upper = units.toPixels(33, 13, 25, 12);
        const QRect lower = units.toPixels(33, 29, 25, 12);
        QCOMPARE(lower.top() - upper.top(), units.toPixels(33, 13, 25, 16).height());
    }

    void dialogUnitsFollowTheFont() {
        QFont small = dialogFont();
        QFont large = small;
        large.setPointSize(18);
        const DialogUnits a = DialogUnits::fromFont(small);
        const DialogUnits b = DialogUnits::fromFont(large);
        QVERIFY(a.baseX() > 0 && a.baseY() > 0);
        QVERIFY(b.baseX() > a.baseX());
        QVERIFY(b.baseY() > a.baseY());
    }

    void dialogFontIsNinePointJapaneseWhereInstalled() {
        const QFont font = dialogFont();
        QCOMPARE(font.pointSize(), 9);
        if (!QFontDatabase::families().contains(QStringLiteral("IPAPGothic"))) {
            QSKIP("IPAPGothic is not installed");
        }
        const QString family = QFontInfo(font).family();
        QVERIFY2(
            family == QStringLiteral("IPAPGothic") || family == QStringLiteral("ＭＳ Ｐゴシック"),
            family.toUtf8());
    }

    void staticTextsShowTheirWholeCaption() {
        QDialog dialog;
        buildDialog(dialog, kMainDialogTemplate);
        const QFontMetrics metrics(dialog.font());
        const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
        QCOMPARE(labels.size(), qsizetype(21));  // 9 headings, 9 row labels and 3 more
        for (QLabel* label : labels) {
            QVERIFY2(label->width() >= metrics.horizontalAdvance(label->text()),
                     label->text().toUtf8());
            QVERIFY2(label->geometry().right() < dialog.width(), label->text().toUtf8());
        }
    }
};

QTEST_MAIN(DialogBuilderTest)
#include "dialog_builder_test.moc"
