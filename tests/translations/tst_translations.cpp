// The German and French translations hold every text the program shows, and
// the English one every plural's forms. The sources are extracted afresh, so
// a tr() text added without its translations fails here even when nobody
// ran lupdate.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {

// "context | source" -> the translation ("unfinished"/"vanished" marks it
// unusable) with a plural's forms run together.
QMap<QString, QString> readTs(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    QXmlStreamReader xml(&file);
    QMap<QString, QString> messages;
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == "name"_L1)
            context = xml.readElementText();
        else if (xml.name() == "source"_L1)
            source = xml.readElementText();
        else if (xml.name() == "translation"_L1)
            messages.insert(context + u" | "_s + source,
                            xml.attributes().value("type"_L1).isEmpty()
                                ? xml.readElementText(QXmlStreamReader::IncludeChildElements)
                                : QString());
    }
    return messages;
}

// %1 to %99, each named once (a plural's forms repeat them).
QStringList placeholders(const QString& text) {
    static const QRegularExpression marker(u"%\\d{1,2}"_s);
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
    const QString fresh = dir.filePath(u"fresh.ts"_s);
    QCOMPARE(QProcess::execute(QStringLiteral(SONGBINDER_LUPDATE),
                               {u"-silent"_s, QStringLiteral(SONGBINDER_SOURCE_DIR "/src"),
                                QStringLiteral(SONGBINDER_SOURCE_DIR "/app"), u"-ts"_s, fresh}),
             0);
    const QMap<QString, QString> translated = readTs(
        QStringLiteral(SONGBINDER_SOURCE_DIR "/translations/songbinder_%1.ts").arg(language));
    QStringList faults;
    for (const QString& key : readTs(fresh).keys()) {
        const QString source = key.section(u" | "_s, 1);
        const QString translation = translated.value(key);
        if (pluralsOnly && !source.contains(u"%n"_s))
            continue;
        if (translation.isEmpty())
            faults.append(u"missing or unfinished: "_s + key);
        else if (placeholders(translation) != placeholders(source))
            faults.append(u"placeholders differ: "_s + key);
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
