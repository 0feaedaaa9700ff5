// Dialog units, the dialog font and the two templates as data.
#include "ui/dialog_template.h"

#include <QDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QTest>
#include <set>
#include <string_view>

#include "batch/batter_fields.h"
#include "ui/dialog_resources.h"

using namespace diz;

class DialogTemplateTest : public QObject {
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

    void mainTemplateIdentifiersAreUniqueAndBound() {
        std::set<int> seen;
        for (const ControlItem& item : kMainDialogTemplate.controls) {
            if (item.id == kNoId) continue;
            QVERIFY2(seen.insert(item.id).second, QByteArray::number(item.id));
            QVERIFY(item.id >= 1000 && item.id <= 1111);
        }
        // Every identifier the window binds names an edit field of the template.
        std::set<int> edits;
        for (const ControlItem& item : kMainDialogTemplate.controls) {
            if (item.kind == ControlKind::Edit) edits.insert(item.id);
        }
        // Each batter field of each row has a cell of its own.
        std::set<int> cells;
        for (const ids::GridRow& row : ids::kGrid) {
            for (const CountField& field : kCountFields) cells.insert(row.cell(field.member));
            for (const RateField& field : kRateFields) cells.insert(row.cell(field.member));
        }
        QCOMPARE(cells.size(), std::size_t{81});
        for (int id : cells) QVERIFY2(edits.count(id) == 1, QByteArray::number(id));
        for (int id : ids::kPatterns) QVERIFY(edits.count(id) == 1);
        QVERIFY(edits.count(ids::kGamesPerOrder) == 1);
        // 81 grid cells, games, six patterns.
        QCOMPARE(edits.size(), std::size_t{88});
    }

    void batterFieldsAreNamedAsTheGridsColumnHeadings() {
        // diz-cli names a field in its range message as the grid heads it.
        std::set<std::string_view> captions;
        for (const ControlItem& item : kMainDialogTemplate.controls) {
            if (item.kind == ControlKind::Text) captions.insert(item.caption);
        }
        for (const CountField& field : kCountFields) {
            QVERIFY2(captions.count(field.heading) == 1, field.heading.data());
        }
        for (const RateField& field : kRateFields) {
            QVERIFY2(captions.count(field.heading) == 1, field.heading.data());
        }
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

    void everyControlLiesInsideItsDialog() {
        for (const DialogTemplate* dialog : {&kMainDialogTemplate, &kAboutDialogTemplate}) {
            for (const ControlItem& item : dialog->controls) {
                QVERIFY(item.x >= 0 && item.y >= 0);
                QVERIFY2(
                    item.x + item.width <= dialog->width && item.y + item.height <= dialog->height,
                    item.caption);
            }
        }
    }
};

QTEST_MAIN(DialogTemplateTest)
#include "dialog_template_test.moc"
