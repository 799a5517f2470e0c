#include "KeySettingsTexts.h"

#include "BilingualText.h"

namespace keysettings::texts {

QString Text(Id id, const std::string& language) {
    switch (id) {
        case Id::CaptureInWindowOnly:
            return skin::BilingualText{
                "无法读取键盘输入设备，只有在按键设置窗口处于焦点时才能捕获按键。\n"
                "若要在任何窗口下捕获按键，请将当前用户加入 input 组后重新登录。",
                "The keyboard input devices cannot be read: keys are captured only while the "
                "Key Settings window has the focus.\n"
                "To capture keys whatever window has the focus, add your user to the \"input\" "
                "group and log in again."}
                .in(language);
    }
    return QString();
}

}  // namespace keysettings::texts
