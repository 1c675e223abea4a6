// The German and French translations hold every text the program shows, and
// the English one every plural's forms. Each file is brought up to date with
// the sources by lupdate first, in a copy, so a tr() text added without its
// translations fails here even when nobody ran lupdate.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// %1 to %99 and a plural's count (%n, %Ln), each named once (a plural's
// forms repeat them).
QStringList placeholders(const QString& text) {
    static const QRegularExpression marker(u"%(\\d{1,2}|L?n)"_s);
    QStringList found;
    for (const QRegularExpressionMatch& match : marker.globalMatch(text))
        found.append(match.captured());
    found.sort();
    found.removeDuplicates();
    return found;
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT

private slots:
    void everyTextIsTranslated_data();
    void everyTextIsTranslated();
};

void TestTranslations::everyTextIsTranslated_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("pluralsOnly");
    QTest::newRow("German") << u"de"_s << false;
    QTest::newRow("French") << u"fr"_s << false;
    QTest::newRow("English plurals") << u"en"_s << true;
}

void TestTranslations::everyTextIsTranslated() {
    QFETCH(QString, language);
    QFETCH(bool, pluralsOnly);
    QTemporaryDir dir;
    const QString copy = dir.filePath(u"songbinder_%1.ts"_s.arg(language));
    QVERIFY(QFile::copy(
        QStringLiteral(SONGBINDER_SOURCE_DIR "/translations/songbinder_%1.ts").arg(language),
        copy));
    QCOMPARE(QProcess::execute(QStringLiteral(SONGBINDER_LUPDATE),
                               {u"-silent"_s, u"-no-obsolete"_s,
                                QStringLiteral(SONGBINDER_SOURCE_DIR "/src"),
                                QStringLiteral(SONGBINDER_SOURCE_DIR "/app"), u"-ts"_s, copy}),
             0);
    QFile file(copy);
    QVERIFY(file.open(QIODevice::ReadOnly));
    static const QRegularExpression message(
        u"<source>(.*?)</source>\\s*<translation( type=\"\\w+\")?>(.*?)</translation>"_s,
        QRegularExpression::DotMatchesEverythingOption);
    QStringList faults;
    int count = 0;
    for (const QRegularExpressionMatch& match :
         message.globalMatch(QString::fromUtf8(file.readAll()))) {
        const QString source = match.captured(1);
        if (pluralsOnly && placeholders(source).filter(u"n"_s).isEmpty())
            continue;
        ++count;
        if (!match.captured(2).isEmpty() || match.captured(3).trimmed().isEmpty())
            faults.append(u"missing or unfinished: "_s + source);
        else if (placeholders(match.captured(3)) != placeholders(source))
            faults.append(u"placeholders differ: "_s + source);
    }
    QVERIFY(count >= (pluralsOnly ? 1 : 50));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
