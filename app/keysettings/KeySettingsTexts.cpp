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
        case Id::ClearAssignmentQuestion:
            return skin::BilingualText{
                "此页没有选择任何功能，按“确定”会清除这个键原有的设置：\n%1\n\n是否清除?",
                "Nothing is chosen on this page: OK clears what the key does now:\n%1\n\n"
                "Clear it?"}
                .in(language);
        case Id::MacroFull:
            return skin::BilingualText{"宏已有%1项，达到上限，录制已停止。",
                                       "The macro holds %1 items, as many as a macro may: "
                                       "recording stopped."}
                .in(language);
    }
    return QString();
}

}  // namespace keysettings::texts
