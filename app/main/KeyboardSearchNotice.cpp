#include "KeyboardSearchNotice.h"

#include "KeyboardSearchLayout.h"
#include "MainTexts.h"
#include "model/Languages.h"

using model::kLanguageChinese;

namespace {

const QColor kColorKey(255, 0, 0);

// Both lines read the same in either language; the notice's own is fixed, as the user chooses
// one only later, in the main window.
const std::string& NoticeLanguage() {
    static const std::string kLanguage = kLanguageChinese;
    return kLanguage;
}

}  // namespace

KeyboardSearchNotice::KeyboardSearchNotice(const skin::SkinResources& resources, float scaleFactor)
    : SkinnedDialog(resources, NoticeLanguage(), scaleFactor, nullptr,
                    Qt::SplashScreen | Qt::WindowStaysOnTopHint) {
    setWindowTitle(QString::fromUtf8(texts::kProgramName));
    std::vector<skin::SkinItem> items;
    for (const skin::ItemSpec& entry : keyboard_search::KeyboardSearchItems()) {
        items.push_back(skin::ItemFromSpec(entry));
    }
    openSkin({resources.picture(keyboard_search::kImageBackground), {}, {}}, kColorKey,
             keyboard_search::kFaceSize, std::move(items));
}
