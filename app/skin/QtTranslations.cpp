#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace skin {
namespace {

constexpr const char* kChinese = "zh-CN";
// Qt's catalogue of its base modules, which hold every text of its dialogs and widgets.
constexpr const char* kQtCatalogue = "qtbase_zh_CN";

}  // namespace

QtTranslations::QtTranslations() : directory_(QLibraryInfo::path(QLibraryInfo::TranslationsPath)) {}

QtTranslations::~QtTranslations() {
    remove();
}

bool QtTranslations::use(const std::string& language) {
    if (language != kChinese) {
        remove();
        return true;
    }
    if (installed_) {
        return true;
    }
    if (!chinese_) {
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(QLatin1String(kQtCatalogue), directory_)) {
            return false;
        }
        chinese_ = std::move(translator);
    }
    installed_ = QCoreApplication::installTranslator(chinese_.get());
    return installed_;
}

void QtTranslations::remove() {
    if (installed_ && QCoreApplication::instance() != nullptr) {
        QCoreApplication::removeTranslator(chinese_.get());
    }
    installed_ = false;
}

}  // namespace skin
