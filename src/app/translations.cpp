// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/translations.h"

#include "common/user_text.h"
#include "settings/language_choice.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>

namespace orbisk {
namespace {

std::string TranslateWithQt(const char* context, const char* source, const char* disambiguation,
                            int n) {
    return QCoreApplication::translate(context, source, disambiguation, n).toStdString();
}

// Translators live as long as the application: it keeps only their address.
void Install(const QLocale& locale, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(locale, name, "_", folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

void InstallUserLanguage(const std::string& choice) {
    const QString name = QString::fromStdString(ChooseUserLocale(choice, [](const char* variable) {
        const char* value = std::getenv(variable);
        return std::string(value ? value : "");
    }));
    // Numbers the user reads keep their digits together, as before: the
    // decimal separator is the locale's part.
    QLocale locale(name);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(locale);
    Install(locale, "qt", QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // English needs a file of its own only for its plurals ("1 marker",
    // "2 markers"); the last installed is asked first.
    Install(QLocale(QLocale::English), "orbisk", ":/i18n");
    if (locale.language() != QLocale::English)
        Install(locale, "orbisk", ":/i18n");
    InstallTranslation(&TranslateWithQt);
    InstallDecimalSeparator(locale.decimalPoint() == "," ? ',' : '.');
}

} // namespace orbisk
