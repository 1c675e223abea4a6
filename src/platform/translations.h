#pragma once

class QCoreApplication;
class QLocale;

// Shows the program in the language of `locale` where it speaks it (German,
// French), with Qt's own texts (the file dialog's buttons, Yes and No) in
// the same language where the system has them installed. English, the
// language the texts are written in, brings only its plural forms. The
// translators belong to `app`.
void installTranslations(QCoreApplication& app, const QLocale& locale);
