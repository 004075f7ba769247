#include "qt/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vexlo::qtview {

void useQtTexts(bool english) {
    static QTranslator* japanese = nullptr;
    static bool loaded = false;
    if (japanese == nullptr) {
        japanese = new QTranslator(QCoreApplication::instance());
        loaded =
            japanese->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"),
                           QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    // Without the translations installed, Qt's English is what there is.
    if (!loaded) return;
    if (english) {
        QCoreApplication::removeTranslator(japanese);
    } else {
        QCoreApplication::installTranslator(japanese);
    }
}

}  // namespace vexlo::qtview
