// Turning field texts into values and back.
#include "ui/qt/field_text.h"

#include <QLineEdit>
#include <QTest>
#include <cmath>
#include <limits>

using namespace diz;

// Fails the test unless `expr` holds a value equal to `expected`.
#define COMPARE_PARSED(expr, expected)       \
    do {                                     \
        const auto parsed = (expr);          \
        QVERIFY2(parsed.has_value(), #expr); \
        QCOMPARE(*parsed, expected);         \
    } while (false)

class FieldTextTest : public QObject {
    Q_OBJECT
  private slots:
    void integersAcceptSignsAndBlanks() {
        COMPARE_PARSED(parseInteger(u"007"), 7LL);
        COMPARE_PARSED(parseInteger(u"  -12 "), -12LL);
        COMPARE_PARSED(parseInteger(u"+5"), 5LL);
        COMPARE_PARSED(parseInteger(u"2147483647"), 2147483647LL);
    }

    void integersRejectEverythingElse() {
        for (const char16_t* text :
             {u"", u"  ", u"abc", u"1.5", u"1e3", u"12a", u"- 1", u"+", u"１２", u"0x10", u"1 2"}) {
            QVERIFY2(!parseInteger(text).has_value(), QString::fromUtf16(text).toUtf8());
        }
    }

    void hugeIntegersSaturateSoTheyFailRangeChecks() {
        COMPARE_PARSED(parseInteger(u"99999999999999999999999"),
                       std::numeric_limits<long long>::max());
        COMPARE_PARSED(parseInteger(u"-99999999999999999999999"),
                       -std::numeric_limits<long long>::max());
    }

    void numbersInDecimalAndExponentForm() {
        COMPARE_PARSED(parseNumber(u"0.25"), 0.25);
        COMPARE_PARSED(parseNumber(u" -0.5 "), -0.5);
        COMPARE_PARSED(parseNumber(u"+2"), 2.0);
        COMPARE_PARSED(parseNumber(u".5"), 0.5);
        COMPARE_PARSED(parseNumber(u"1e-3"), 0.001);
        COMPARE_PARSED(parseNumber(u"7"), 7.0);
    }

    void numbersRejectNonFiniteAndMalformedText() {
        for (const char16_t* text : {u"", u"abc", u"inf", u"nan", u"-inf", u"0x1p3", u"1e999",
                                     u"1.2.3", u"+-1", u"1,5", u"e5"}) {
            QVERIFY2(!parseNumber(text).has_value(), QString::fromUtf16(text).toUtf8());
        }
    }

    void shownNumbersReadBackExactly() {
        for (double value : {0.0, 0.25, 0.1, 1.0 / 3.0, -0.5, 2.0, 0.123457, 1e-7, 12345.678,
                             std::nextafter(0.4, 1.0)}) {
            const QString shown = formatNumber(value);
            COMPARE_PARSED(parseNumber(shown), value);
        }
        QCOMPARE(formatNumber(0.0), QStringLiteral("0"));
        QCOMPARE(formatNumber(0.25), QStringLiteral("0.25"));
    }

    void limitsCountUtf8Bytes() {
        QCOMPARE(utf8Length(u"abcdefghi"), qsizetype(9));
        QCOMPARE(utf8Length(u"打者"), qsizetype(6));

        QLineEdit field;
        field.setValidator(new Utf8LengthValidator(9, &field));
        QTest::keyClicks(&field, QStringLiteral("abcdefghij"));
        QCOMPARE(field.text(), QStringLiteral("abcdefghi"));

        // Three 3-byte characters fill nine bytes; a fourth would not fit.
        field.clear();
        for (QChar c : QStringLiteral("打者あい")) {
            QTest::sendKeyEvent(QTest::Click, &field, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        QCOMPARE(field.text(), QStringLiteral("打者あ"));
    }
};

QTEST_MAIN(FieldTextTest)
#include "field_text_test.moc"
