#include "platform/utf8.h"

#include <QByteArray>
#include <QTest>

#include <string_view>

namespace {

std::string_view view(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

} // namespace

// The one UTF-8 check behind playlist text, tag fields and the registry
// store: the edges of every range, and what a cut-off field leaves behind.
class TestUtf8 : public QObject {
    Q_OBJECT

private slots:
    void sequences_data();
    void sequences();
    void sequenceLengthAlongText_data();
    void sequenceLengthAlongText();
};

void TestUtf8::sequences_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("wellFormed");
    QTest::addColumn<int>("firstLength");    // sequenceLength(bytes, 0)
    QTest::addColumn<int>("incompleteTail"); // incompleteTailLength(bytes)

    const auto row = [](const char* name, const QByteArray& bytes, bool wellFormed, int firstLength,
                        int incompleteTail) {
        QTest::newRow(name) << bytes << wellFormed << firstLength << incompleteTail;
    };
    row("no bytes", QByteArray(), true, 0, 0);
    row("ASCII", QByteArray("a"), true, 1, 0);
    row("NUL", QByteArray(1, '\0'), true, 1, 0);
    row("DEL", QByteArray("\x7F"), true, 1, 0);

    row("two bytes, lowest", QByteArray("\xC2\x80"), true, 2, 0);
    row("two bytes, highest", QByteArray("\xDF\xBF"), true, 2, 0);
    row("two bytes, overlong C0", QByteArray("\xC0\x80"), false, 0, 0);
    row("two bytes, overlong C1", QByteArray("\xC1\xBF"), false, 0, 0);
    row("two bytes, second not a continuation", QByteArray("\xC3("), false, 0, 0);

    row("three bytes, lowest", QByteArray("\xE0\xA0\x80"), true, 3, 0);
    row("three bytes, overlong", QByteArray("\xE0\x9F\xBF"), false, 0, 0);
    row("below the surrogates", QByteArray("\xED\x9F\xBF"), true, 3, 0);
    row("first surrogate", QByteArray("\xED\xA0\x80"), false, 0, 0);
    row("last surrogate", QByteArray("\xED\xBF\xBF"), false, 0, 0);
    row("above the surrogates", QByteArray("\xEE\x80\x80"), true, 3, 0);
    row("U+FFFF", QByteArray("\xEF\xBF\xBF"), true, 3, 0);
    row("three bytes, third not a continuation", QByteArray("\xE2\x82("), false, 0, 0);

    row("four bytes, lowest", QByteArray("\xF0\x90\x80\x80"), true, 4, 0);
    row("four bytes, overlong", QByteArray("\xF0\x8F\xBF\xBF"), false, 0, 0);
    row("U+10FFFF", QByteArray("\xF4\x8F\xBF\xBF"), true, 4, 0);
    row("past U+10FFFF", QByteArray("\xF4\x90\x80\x80"), false, 0, 0);
    row("F5 lead", QByteArray("\xF5\x80\x80\x80"), false, 0, 0);
    row("FF", QByteArray("\xFF"), false, 0, 0);
    row("lone continuation", QByteArray("\x80"), false, 0, 0);
    row("character, then a stray continuation", QByteArray("\xC3\xA9\xA9"), false, 2, 0);
    row("three continuations at the end", QByteArray("a\x80\x80\x80"), false, 1, 0);

    // Well-formed as far as they go, but short: what a fixed-width field
    // leaves of a character it cuts off.
    row("cut after 1 of 2", QByteArray("\xC3"), false, 0, 1);
    row("cut after 1 of 3", QByteArray("\xE2"), false, 0, 1);
    row("cut after 2 of 3", QByteArray("\xE2\x82"), false, 0, 2);
    row("cut after 1 of 4", QByteArray("\xF0"), false, 0, 1);
    row("cut after 2 of 4", QByteArray("\xF0\x9F"), false, 0, 2);
    row("cut after 3 of 4", QByteArray("\xF0\x9F\x8E"), false, 0, 3);
    row("cut after text", QByteArray("ab\xE2\x82"), false, 1, 2);
    row("cut after a whole character", QByteArray("\xC3\xA9\xC3"), false, 2, 1);
    // Short and already wrong: no cut, just bad bytes.
    row("cut overlong", QByteArray("\xE0\x80"), false, 0, 0);
    row("cut surrogate", QByteArray("\xED\xA0"), false, 0, 0);
    row("cut past U+10FFFF", QByteArray("\xF4\x90"), false, 0, 0);
    row("cut with a bad third byte", QByteArray("\xF0\x9F("), false, 0, 0);
    row("cut C0", QByteArray("\xC0"), false, 0, 0);
}

void TestUtf8::sequences() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, wellFormed);
    QFETCH(int, firstLength);
    QFETCH(int, incompleteTail);
    QCOMPARE(utf8::isWellFormed(view(bytes)), wellFormed);
    QCOMPARE(int(utf8::sequenceLength(view(bytes), 0)), firstLength);
    QCOMPARE(int(utf8::incompleteTailLength(view(bytes))), incompleteTail);
}

void TestUtf8::sequenceLengthAlongText_data() {
    QTest::addColumn<int>("at");
    QTest::addColumn<int>("length");
    // "a" "é" "€" "🎵" at 0, 1, 3, 6; the rest are inside a character.
    QTest::newRow("ASCII") << 0 << 1;
    QTest::newRow("two bytes") << 1 << 2;
    QTest::newRow("inside two bytes") << 2 << 0;
    QTest::newRow("three bytes") << 3 << 3;
    QTest::newRow("inside three bytes") << 5 << 0;
    QTest::newRow("four bytes, at the end") << 6 << 4;
    QTest::newRow("last byte") << 9 << 0;
    QTest::newRow("at the end") << 10 << 0;
    QTest::newRow("past the end") << 11 << 0;
}

void TestUtf8::sequenceLengthAlongText() {
    QFETCH(int, at);
    QFETCH(int, length);
    const QByteArray text("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\xB5");
    QCOMPARE(int(utf8::sequenceLength(view(text), static_cast<std::size_t>(at))), length);
}

QTEST_APPLESS_MAIN(TestUtf8)
#include "tst_utf8.moc"
