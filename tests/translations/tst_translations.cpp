// The German and French translations hold every text the program shows, and
// the English one every plural's forms:
// the sources are extracted afresh, so a tr() text added without its
// translations fails here even when nobody ran lupdate.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {

struct Message {
    QString type; // "unfinished", "vanished", "obsolete" or empty
    QStringList forms;
};

// Context and source text, in the file's order.
using Messages = QList<std::pair<QString, Message>>;

Messages readTs(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    QXmlStreamReader xml(&file);
    Messages messages;
    QString context;
    QString source;
    Message message;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = xml.name();
        if (name == "name"_L1) {
            context = xml.readElementText();
        } else if (name == "message"_L1) {
            message = {};
        } else if (name == "source"_L1) {
            source = xml.readElementText();
        } else if (name == "translation"_L1) {
            message.type = xml.attributes().value("type"_L1).toString();
            // A plural's forms, run together: none may be empty.
            message.forms = {xml.readElementText(QXmlStreamReader::IncludeChildElements)};
            messages.append({context + u" | "_s + source, message});
        }
    }
    if (xml.hasError())
        qFatal("%s: %s", qPrintable(path), qPrintable(xml.errorString()));
    return messages;
}

// %1 to %99 and %n, each as often as it stands.
QStringList placeholders(const QString& text) {
    static const QRegularExpression marker(u"%(\\d{1,2}|n)"_s);
    QStringList found;
    for (const QRegularExpressionMatch& match : marker.globalMatch(text))
        found.append(match.captured());
    found.sort();
    return found;
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void everyTextIsTranslated_data();
    void everyTextIsTranslated();

private:
    QTemporaryDir m_dir;
    Messages m_extracted;
};

void TestTranslations::initTestCase() {
    const QString fresh = m_dir.filePath(u"fresh.ts"_s);
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    lupdate.start(QStringLiteral(SONGBINDER_LUPDATE),
                  {u"-silent"_s, u"-locations"_s, u"none"_s,
                   QStringLiteral(SONGBINDER_SOURCE_DIR "/src"),
                   QStringLiteral(SONGBINDER_SOURCE_DIR "/app"), u"-ts"_s, fresh});
    QVERIFY(lupdate.waitForFinished(60000));
    QCOMPARE(lupdate.exitCode(), 0);
    m_extracted = readTs(fresh);
    QVERIFY(m_extracted.size() > 50);
}

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
    const Messages translated = readTs(
        QStringLiteral(SONGBINDER_SOURCE_DIR "/translations/songbinder_%1.ts").arg(language));
    QHash<QString, Message> byKey;
    for (const auto& [key, message] : translated)
        byKey.insert(key, message);
    QStringList faults;
    for (const auto& [key, unused] : m_extracted) {
        const QString source = key.section(u" | "_s, 1);
        if (pluralsOnly && !source.contains(u"%n"_s))
            continue;
        const auto found = byKey.constFind(key);
        if (found == byKey.cend()) {
            faults.append(u"missing: "_s + key);
            continue;
        }
        if (!found->type.isEmpty())
            faults.append(found->type + u": "_s + key);
        for (const QString& form : found->forms) {
            if (form.isEmpty())
                faults.append(u"empty: "_s + key);
            else if (placeholders(form) != placeholders(source) && !source.contains(u"%n"_s))
                faults.append(u"placeholders differ: "_s + key + u" -> "_s + form);
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
